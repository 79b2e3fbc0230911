#include "notifier/NotifierDialog.h"

#include "controls/SkinButton.h"
#include "notifier/HtmlCtrl.h"
#include "tests/controls/TestImages.h"
#include "tests/notifier/FakeScreen.h"
#include "tests/notifier/NotifierTestSupport.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tipin::test {
namespace {

const QRect kScreen(0, 0, 1920, 1080);
const QRect kBottomBar(0, 0, 1920, 1040);
const QRect kLeftBar(60, 0, 1860, 1080);
const QRect kRightBar(0, 0, 1860, 1080);
const QRect kTopBar(0, 40, 1920, 1040);

using D = CNotifierDialog;

class NotifierDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = std::make_shared<FakeScreen>(kScreen, kBottomBar);
        bitmap = WriteBmp((dir.path() / "notifier.bmp").string(), NotifierBitmap(250, 180));
        popup = std::make_unique<CNotifierDialog>(nullptr, screen);
        popup->DriveTimersByHand();
        // As the skin loader does with a new popup.
        popup->Hide();
    }

    void Load(const std::string& path) {
        ASSERT_TRUE(popup->SetSkin(QString::fromStdString(path), 255, 0, 255));
    }
    void ShowAsTheLoader() { popup->Show(300, 1000, 300, 1); }

    // Fires timer `id` until it stops; returns the number of ticks.
    int RunOut(int id, int limit = 10000) {
        int ticks = 0;
        while (popup->FireTimer(id) && ticks < limit) {
            ++ticks;
        }
        return ticks;
    }
    bool NoTimerRunning() const {
        return !popup->TimerRunning(D::kShowTimer) && !popup->TimerRunning(D::kStayTimer) &&
               !popup->TimerRunning(D::kHideTimer);
    }
    // The window stands where the popup says it is, at the bitmap's size.
    bool PlacedAt(QPoint at) const {
        return popup->CurrentPosition() == at &&
               popup->geometry() == QRect(at, QSize(popup->Width(), popup->Height()));
    }
    // Slides all the way in from the loader's Show and checks every step of `delta`.
    void SlideIn(QPoint start, QPoint delta, int steps) {
        ShowAsTheLoader();
        EXPECT_TRUE(popup->isVisible());
        EXPECT_EQ(popup->StartPosition(), start);
        EXPECT_TRUE(PlacedAt(start));
        for (int i = 1; i <= steps; ++i) {
            ASSERT_TRUE(popup->FireTimer(D::kShowTimer));
            ASSERT_EQ(popup->State(), D::kAppearing);
            ASSERT_TRUE(PlacedAt(start + delta * i)) << "tick " << i;
        }
        ASSERT_TRUE(popup->FireTimer(D::kShowTimer));
        EXPECT_EQ(popup->State(), D::kWaiting);
        EXPECT_TRUE(PlacedAt(start + delta * steps)) << "the last tick does not move";
        EXPECT_TRUE(NoTimerRunning()) << "it waits with no timer";
    }
    void ToWaiting() {
        ShowAsTheLoader();
        RunOut(D::kShowTimer);
        ASSERT_EQ(popup->State(), D::kWaiting);
    }
    // Paints need the window on the (offscreen) screen: the event loop runs until it is, no
    // timer of the popup runs meanwhile (they are driven by hand).
    void WaitExposed() {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup.get()));
        QCoreApplication::processEvents();
    }

    TempDir dir;
    std::shared_ptr<FakeScreen> screen;
    std::string bitmap;
    std::unique_ptr<CNotifierDialog> popup;
};

TEST_F(NotifierDialogTest, StartsIdleAndEmpty) {
    CNotifierDialog fresh(nullptr, screen);
    EXPECT_EQ(fresh.State(), D::kIdle);
    EXPECT_EQ(fresh.Width(), 0);
    EXPECT_EQ(fresh.Height(), 0);
    EXPECT_EQ(fresh.MouseOver(), 0);
    EXPECT_EQ(fresh.Placement(), 0);
    EXPECT_EQ(fresh.Increment(), 1);
    EXPECT_EQ(fresh.CurrentPosition(), QPoint(0, 0));
    EXPECT_EQ(fresh.StartPosition(), QPoint(0, 0));
    EXPECT_EQ(fresh.ShowStepDelay(), 0U);
    EXPECT_EQ(fresh.HideStepDelay(), 0U);
    EXPECT_EQ(fresh.TimeToShow() + fresh.TimeToStay() + fresh.TimeToHide(), 0U);
    EXPECT_TRUE(fresh.SkinBitmap().IsNull());
    EXPECT_FALSE(fresh.Outline());
    EXPECT_FALSE(fresh.isVisible());
    ASSERT_NE(fresh.WebView(), nullptr);
    EXPECT_EQ(fresh.WebView()->parentWidget(), &fresh);
    EXPECT_EQ(fresh.WebView()->Id(), D::kWebViewId);
    EXPECT_EQ(fresh.WebView()->source(), D::PageAddress());
}

TEST_F(NotifierDialogTest, IsAFramelessToolWindowAboveTheOthersThatTakesNoFocus) {
    const Qt::WindowFlags flags = popup->windowFlags();
    EXPECT_TRUE(popup->isWindow());
    EXPECT_EQ(popup->windowType(), Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(popup->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(popup->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(popup->WebView()->focusPolicy(), Qt::NoFocus);
}

// Whether it takes the keyboard is checked on X11 (NotifierX11Test): the offscreen platform
// activates every window it shows.
TEST_F(NotifierDialogTest, IsAWindowOfItsOwnOwnedByTheSkinnedWindow) {
    QWidget owner;
    auto* owned = new CNotifierDialog(&owner, screen);
    EXPECT_TRUE(owned->isWindow());
    EXPECT_EQ(owned->parentWidget(), &owner);
    EXPECT_EQ(owned->window(), owned);
}

TEST_F(NotifierDialogTest, TheOwnerTakesThePopupWithIt) {
    auto owner = std::make_unique<QWidget>();
    QPointer<CNotifierDialog> owned = new CNotifierDialog(owner.get(), screen);
    owner.reset();
    EXPECT_TRUE(owned.isNull());
}

TEST_F(NotifierDialogTest, BottomTaskBarRisesOnePixelPerTickFrom1040To860) {
    Load(bitmap);
    SlideIn(QPoint(1670, 1040), QPoint(0, -1), 180);
    EXPECT_EQ(popup->Placement(), D::kBottom);
    EXPECT_TRUE(PlacedAt(QPoint(1670, 860)));
    EXPECT_EQ(popup->ShowStepDelay(), 1U) << "300 / 180";
    EXPECT_EQ(popup->HideStepDelay(), 1U);
    EXPECT_FALSE(popup->FireTimer(D::kShowTimer)) << "timer 1 is stopped";
}

TEST_F(NotifierDialogTest, ShowStartsTimerOneWithTheStepDelayAndStoresTheTimes) {
    Load(bitmap);
    popup->Show(900, 1234, 1800, 7);
    EXPECT_EQ(popup->State(), D::kIdle) << "until the first tick";
    EXPECT_EQ(popup->TimeToShow(), 900U);
    EXPECT_EQ(popup->TimeToStay(), 1234U);
    EXPECT_EQ(popup->TimeToHide(), 1800U);
    EXPECT_EQ(popup->ShowStepDelay(), 5U) << "900 / 180";
    EXPECT_EQ(popup->HideStepDelay(), 10U) << "1800 / 180";
    EXPECT_EQ(popup->Increment(), 1) << "the step argument is not used";
    EXPECT_TRUE(popup->TimerRunning(D::kShowTimer));
    EXPECT_EQ(popup->TimerPeriod(D::kShowTimer), 5U);
    EXPECT_FALSE(popup->TimerRunning(D::kStayTimer));
    EXPECT_FALSE(popup->TimerRunning(D::kHideTimer));
}

TEST_F(NotifierDialogTest, LeftTaskBarSlidesRightFromMinus190To60) {
    screen->workArea = kLeftBar;
    Load(bitmap);
    SlideIn(QPoint(-190, 900), QPoint(1, 0), 250);
    EXPECT_EQ(popup->Placement(), D::kLeft);
    EXPECT_TRUE(PlacedAt(QPoint(60, 900)));
    EXPECT_EQ(popup->ShowStepDelay(), 1U) << "300 / 250";
}

TEST_F(NotifierDialogTest, RightTaskBarSlidesLeftFromTheWorkAreasRightEdge) {
    screen->workArea = kRightBar;
    Load(bitmap);
    SlideIn(QPoint(1860, 900), QPoint(-1, 0), 250);
    EXPECT_EQ(popup->Placement(), D::kRight);
    EXPECT_TRUE(PlacedAt(QPoint(1610, 900)));
}

TEST_F(NotifierDialogTest, TopTaskBarDropsFromAboveTheWorkArea) {
    screen->workArea = kTopBar;
    Load(bitmap);
    SlideIn(QPoint(1670, -140), QPoint(0, 1), 180);
    EXPECT_EQ(popup->Placement(), D::kTop);
    EXPECT_TRUE(PlacedAt(QPoint(1670, 40)));
}

TEST_F(NotifierDialogTest, NoTaskBarCountsAsBottom) {
    screen->workArea = kScreen;
    Load(bitmap);
    SlideIn(QPoint(1670, 1080), QPoint(0, -1), 180);
    EXPECT_EQ(popup->Placement(), D::kBottom);
}

TEST_F(NotifierDialogTest, ASecondScreenIsMeasuredFromItsOwnEdges) {
    screen->geometry = QRect(1920, 0, 1280, 1024);
    screen->workArea = QRect(1920, 0, 1280, 984);
    Load(bitmap);
    SlideIn(QPoint(2950, 984), QPoint(0, -1), 180);
    EXPECT_EQ(popup->Placement(), D::kBottom) << "left = the screen's left is no left bar";
}

TEST_F(NotifierDialogTest, StepDelaysDivideTheTimesByTheSideSlidAlong) {
    screen->workArea = kLeftBar;
    Load(bitmap);
    popup->Show(1000, 1000, 2000, 1);
    EXPECT_EQ(popup->ShowStepDelay(), 4U) << "1000 / 250";
    EXPECT_EQ(popup->HideStepDelay(), 8U) << "2000 / 250";
    popup->Hide();
    screen->workArea = kBottomBar;
    popup->Show(1000, 1000, 2000, 1);
    EXPECT_EQ(popup->ShowStepDelay(), 5U) << "1000 / 180";
    EXPECT_EQ(popup->HideStepDelay(), 11U) << "2000 / 180";
}

TEST_F(NotifierDialogTest, AStepDelayThatWouldBeZeroRunsAsOneMillisecond) {
    Load(bitmap);
    popup->Show(100, 0, 50, 1);
    EXPECT_EQ(popup->ShowStepDelay(), 1U) << "100 / 180 is 0";
    EXPECT_EQ(popup->HideStepDelay(), 1U);
    EXPECT_EQ(popup->TimerPeriod(D::kShowTimer), 1U);
    RunOut(D::kShowTimer);
    popup->Show(100, 0, 50, 1);
    EXPECT_EQ(popup->TimerPeriod(D::kStayTimer), 1U) << "a stay of 0 ms as well";
}

TEST_F(NotifierDialogTest, ShowWithNoBitmapEverLoadedShowsNothing) {
    popup->Show(300, 1000, 300, 1);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(popup->State(), D::kIdle);
    EXPECT_TRUE(NoTimerRunning());
    EXPECT_EQ(popup->TimeToStay(), 1000U);
}

TEST_F(NotifierDialogTest, TheExitButtonWhileAppearingReversesFromWhereItIs) {
    Load(bitmap);
    ShowAsTheLoader();
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(popup->FireTimer(D::kShowTimer));
    }
    ASSERT_TRUE(PlacedAt(QPoint(1670, 990)));
    popup->ExitRequest("TASKBUTTON_EXIT");
    EXPECT_FALSE(popup->TimerRunning(D::kShowTimer));
    EXPECT_TRUE(popup->TimerRunning(D::kHideTimer));
    EXPECT_EQ(popup->TimerPeriod(D::kHideTimer), popup->HideStepDelay());
    EXPECT_EQ(popup->State(), D::kAppearing) << "until timer 3 ticks";
    for (int y = 991; y <= 1040; ++y) {
        ASSERT_TRUE(popup->FireTimer(D::kHideTimer));
        ASSERT_EQ(popup->State(), D::kDisappearing);
        ASSERT_TRUE(PlacedAt(QPoint(1670, y))) << y;
    }
    ASSERT_TRUE(popup->FireTimer(D::kHideTimer));
    EXPECT_EQ(popup->State(), D::kIdle);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(NoTimerRunning());
    EXPECT_EQ(popup->geometry(), QRect(1670, 1040, 250, 180))
        << "the last tick gives the hidden window its size back";
}

TEST_F(NotifierDialogTest, OtherNamesAreIgnored) {
    Load(bitmap);
    ToWaiting();
    popup->ExitRequest("taskbutton_exit");
    popup->ExitRequest("TASKBUTTON_CLOSE");
    popup->ExitRequest("");
    EXPECT_TRUE(NoTimerRunning());
    EXPECT_EQ(popup->State(), D::kWaiting);
}

TEST_F(NotifierDialogTest, TheWaitingTimerStartsTheSlideOut) {
    Load(bitmap);
    ToWaiting();
    WaitExposed();
    const int paints = popup->PaintCount();
    popup->Show(300, 1000, 300, 1);
    EXPECT_GT(popup->PaintCount(), paints) << "Show while waiting redraws";
    EXPECT_TRUE(popup->TimerRunning(D::kStayTimer));
    EXPECT_EQ(popup->TimerPeriod(D::kStayTimer), 1000U);
    EXPECT_EQ(popup->State(), D::kWaiting);
    ASSERT_TRUE(popup->FireTimer(D::kStayTimer));
    EXPECT_FALSE(popup->TimerRunning(D::kStayTimer));
    EXPECT_TRUE(popup->TimerRunning(D::kHideTimer));
    EXPECT_EQ(popup->TimerPeriod(D::kHideTimer), 1U);
    EXPECT_EQ(RunOut(D::kHideTimer), 181) << "180 steps out, then the hide";
    EXPECT_EQ(popup->State(), D::kIdle);
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(NotifierDialogTest, ShowWhileAppearingOnlyRedraws) {
    Load(bitmap);
    ShowAsTheLoader();
    for (int i = 0; i < 20; ++i) {
        popup->FireTimer(D::kShowTimer);
    }
    WaitExposed();
    const int paints = popup->PaintCount();
    popup->Show(600, 2000, 600, 1);
    EXPECT_GT(popup->PaintCount(), paints);
    EXPECT_TRUE(PlacedAt(QPoint(1670, 1020)));
    EXPECT_EQ(popup->StartPosition(), QPoint(1670, 1040));
    EXPECT_EQ(popup->TimerPeriod(D::kShowTimer), 1U) << "the running timer keeps its period";
    EXPECT_EQ(popup->ShowStepDelay(), 1U);
    EXPECT_EQ(popup->TimeToStay(), 2000U);
    EXPECT_FALSE(popup->TimerRunning(D::kStayTimer));
}

TEST_F(NotifierDialogTest, ShowWhileDisappearingJumpsBackToFullyShownAndWaits) {
    Load(bitmap);
    ToWaiting();
    popup->ExitRequest("TASKBUTTON_EXIT");
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(popup->FireTimer(D::kHideTimer));
    }
    ASSERT_TRUE(PlacedAt(QPoint(1670, 890)));
    WaitExposed();
    const int paints = popup->PaintCount();
    popup->Show(300, 1500, 300, 1);
    EXPECT_EQ(popup->State(), D::kDisappearing) << "the state stays 3";
    EXPECT_FALSE(popup->TimerRunning(D::kHideTimer));
    EXPECT_TRUE(popup->TimerRunning(D::kStayTimer));
    EXPECT_EQ(popup->TimerPeriod(D::kStayTimer), 1500U);
    EXPECT_TRUE(PlacedAt(QPoint(1670, 860)));
    EXPECT_GT(popup->PaintCount(), paints);
    ASSERT_TRUE(popup->FireTimer(D::kStayTimer));
    ASSERT_TRUE(popup->FireTimer(D::kHideTimer));
    EXPECT_TRUE(PlacedAt(QPoint(1670, 861)));
}

TEST_F(NotifierDialogTest, ShowWhileDisappearingOnEachSide) {
    const struct {
        QRect work;
        QPoint shown;
    } sides[] = {{kLeftBar, {60, 900}}, {kRightBar, {1610, 900}}, {kTopBar, {1670, 40}}};
    Load(bitmap);
    for (const auto& side : sides) {
        popup->Hide();
        screen->workArea = side.work;
        ToWaiting();
        popup->ExitRequest("TASKBUTTON_EXIT");
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(popup->FireTimer(D::kHideTimer));
        }
        ASSERT_FALSE(PlacedAt(side.shown));
        popup->Show(300, 1000, 300, 1);
        EXPECT_TRUE(PlacedAt(side.shown)) << side.shown.x() << "," << side.shown.y();
    }
}

TEST_F(NotifierDialogTest, HideFromEveryStateStopsEverythingAndHidesAtOnce) {
    Load(bitmap);
    const auto expectHidden = [this](const char* from) {
        popup->Hide();
        EXPECT_EQ(popup->State(), D::kIdle) << from;
        EXPECT_FALSE(popup->isVisible()) << from;
        EXPECT_TRUE(NoTimerRunning()) << from;
        EXPECT_EQ(popup->pos(), QPoint(0, 0)) << from;
        EXPECT_TRUE(popup->size().isEmpty()) << from;
    };
    expectHidden("idle");
    ShowAsTheLoader();
    expectHidden("shown, before the first tick");
    ShowAsTheLoader();
    popup->FireTimer(D::kShowTimer);
    ASSERT_EQ(popup->State(), D::kAppearing);
    expectHidden("appearing");
    ToWaiting();
    expectHidden("waiting");
    ToWaiting();
    popup->Show(300, 1000, 300, 1);
    expectHidden("waiting with timer 2");
    ToWaiting();
    popup->ExitRequest("TASKBUTTON_EXIT");
    popup->FireTimer(D::kHideTimer);
    ASSERT_EQ(popup->State(), D::kDisappearing);
    expectHidden("disappearing");
    ToWaiting();
    popup->ExitRequest("TASKBUTTON_EXIT");
    popup->FireTimer(D::kHideTimer);
    popup->Show(300, 1000, 300, 1);
    ASSERT_TRUE(popup->TimerRunning(D::kStayTimer));
    expectHidden("disappearing, shown again");
}

TEST_F(NotifierDialogTest, HideRightAfterTheExitButtonLeavesNoTimerBehind) {
    Load(bitmap);
    ShowAsTheLoader();
    popup->FireTimer(D::kShowTimer);
    popup->ExitRequest("TASKBUTTON_EXIT");
    ASSERT_EQ(popup->State(), D::kAppearing);
    popup->Hide();
    EXPECT_TRUE(NoTimerRunning()) << "timer 3 would reverse the next slide-in";
    ShowAsTheLoader();
    EXPECT_FALSE(popup->TimerRunning(D::kHideTimer));
}

TEST_F(NotifierDialogTest, ASkinChangeSlidesInAgainFromTheHiddenPosition) {
    Load(bitmap);
    const std::string larger =
        WriteBmp((dir.path() / "larger.bmp").string(), NotifierBitmap(320, 240));
    for (int stateBefore = D::kIdle; stateBefore <= D::kDisappearing; ++stateBefore) {
        popup->Hide();
        ASSERT_TRUE(popup->SetSkin(QString::fromStdString(bitmap), 255, 0, 255));
        ShowAsTheLoader();
        if (stateBefore >= D::kAppearing) {
            for (int i = 0; i < 40; ++i) {
                popup->FireTimer(D::kShowTimer);
            }
        }
        if (stateBefore >= D::kWaiting) {
            RunOut(D::kShowTimer);
        }
        if (stateBefore == D::kDisappearing) {
            popup->ExitRequest("TASKBUTTON_EXIT");
            popup->FireTimer(D::kHideTimer);
        }
        ASSERT_EQ(popup->State(), stateBefore);

        // What the skin loader does.
        popup->Hide();
        ASSERT_TRUE(popup->SetSkin(QString::fromStdString(larger), 255, 0, 255));
        ShowAsTheLoader();
        EXPECT_EQ(popup->State(), D::kIdle) << stateBefore;
        EXPECT_TRUE(PlacedAt(QPoint(1600, 1040))) << stateBefore;
        EXPECT_TRUE(popup->TimerRunning(D::kShowTimer));
        EXPECT_FALSE(popup->TimerRunning(D::kHideTimer));
        EXPECT_EQ(RunOut(D::kShowTimer), 241) << stateBefore;
        EXPECT_TRUE(PlacedAt(QPoint(1600, 800))) << stateBefore;
    }
}

TEST_F(NotifierDialogTest, TheOutlineLeavesOutTheKeyColourAndTheColumnsPastAMultipleOfFour) {
    const QImage image = NotifierBitmap(203, 60, 6);
    Load(WriteBmp((dir.path() / "w203.bmp").string(), image));
    EXPECT_EQ(popup->Width(), 203);
    EXPECT_EQ(popup->Height(), 60);
    ASSERT_TRUE(popup->Outline());
    EXPECT_EQ(popup->Outline()->boundingRect(), QRect(0, 0, 200, 60));
    EXPECT_TRUE((popup->mask() ^ *popup->Outline()).isEmpty()) << "applied as the window's mask";
    EXPECT_TRUE((*popup->Outline() ^ *ReferenceOutline(image, 255, 0, 255)).isEmpty());
    for (int x = 200; x < 203; ++x) {
        EXPECT_FALSE(popup->mask().contains(QPoint(x, 30))) << x;
    }
    EXPECT_FALSE(popup->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(popup->mask().contains(QPoint(100, 30)));
    ShowAsTheLoader();
    EXPECT_EQ(popup->size(), QSize(203, 60)) << "the window keeps the bitmap's size";
}

TEST_F(NotifierDialogTest, AMissingBitmapKeepsThePreviousOne) {
    Load(bitmap);
    const QImage before = popup->SkinBitmap().Image();
    const QRegion mask = popup->mask();
    EXPECT_FALSE(
        popup->SetSkin(QString::fromStdString((dir.path() / "none.bmp").string()), 255, 0, 255));
    const std::string broken = dir.write("broken.bmp", "BM not really a bitmap").string();
    EXPECT_FALSE(popup->SetSkin(QString::fromStdString(broken), 255, 0, 255));
    EXPECT_EQ(popup->Width(), 250);
    EXPECT_EQ(popup->Height(), 180);
    EXPECT_EQ(popup->SkinBitmap().Image(), before);
    EXPECT_TRUE((popup->mask() ^ mask).isEmpty());
    ShowAsTheLoader();
    EXPECT_TRUE(PlacedAt(QPoint(1670, 1040)));
}

TEST_F(NotifierDialogTest, AColourOfMinusOneLoadsTheBitmapWithoutCuttingAnOutline) {
    Load(bitmap);
    const QRegion mask = popup->mask();
    const std::string other =
        WriteBmp((dir.path() / "other.bmp").string(), NotifierBitmap(320, 240));
    EXPECT_TRUE(popup->SetSkin(QString::fromStdString(other), -1, 0, 255));
    EXPECT_EQ(popup->Width(), 320);
    EXPECT_TRUE((popup->mask() ^ mask).isEmpty()) << "the outline is left as it was";
    EXPECT_TRUE(popup->SetSkin(QString::fromStdString(other), 255, 0xFFFF, 255));
    EXPECT_TRUE((popup->mask() ^ mask).isEmpty());
}

TEST_F(NotifierDialogTest, ABitmapAllOfTheKeyColourShowsNothing) {
    Load(WriteBmp((dir.path() / "key.bmp").string(), SolidImage({40, 20}, Qt::magenta)));
    ASSERT_TRUE(popup->Outline());
    EXPECT_TRUE(popup->Outline()->isEmpty());
    EXPECT_FALSE(popup->mask().intersects(QRect(0, 0, 40, 20)));
}

TEST_F(NotifierDialogTest, ABitmapNarrowerThanFourPixelsHasNoOutline) {
    Load(bitmap);
    Load(WriteBmp((dir.path() / "thin.bmp").string(), SolidImage({3, 20}, Qt::magenta)));
    EXPECT_FALSE(popup->Outline());
    EXPECT_TRUE(popup->mask().isEmpty()) << "the whole window";
}

TEST_F(NotifierDialogTest, TheBackgroundIsTheBitmapAtFullSize) {
    const QImage image = NotifierBitmap(320, 240);
    Load(WriteBmp((dir.path() / "n320.bmp").string(), image));
    ShowAsTheLoader();
    RunOut(D::kShowTimer);
    const QImage shot = popup->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(320, 240));
    const QRect page = popup->WebView()->geometry();
    EXPECT_EQ(page, D::PageRect(QSize(320, 240)));
    int differing = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            if (!page.contains(x, y) && shot.pixel(x, y) != image.pixel(x, y)) {
                ++differing;
            }
        }
    }
    EXPECT_EQ(differing, 0);
    // The page has no background: below its text the bitmap shows through.
    const QPoint belowText(page.right() - 2, page.bottom() - 2);
    EXPECT_EQ(shot.pixel(belowText), image.pixel(belowText));
}

TEST_F(NotifierDialogTest, ThePagesInkReadsOnLightAndOnDarkSkins) {
    const auto ink = [this] { return popup->WebView()->palette().color(QPalette::Text); };
    Load(WriteBmp((dir.path() / "light.bmp").string(),
                  SolidImage({320, 240}, QColor(240, 236, 250))));
    EXPECT_LT(ink().lightness(), 80);
    Load(WriteBmp((dir.path() / "dark.bmp").string(), SolidImage({320, 240}, QColor(34, 34, 38))));
    EXPECT_GT(ink().lightness(), 180);
}

TEST_F(NotifierDialogTest, ATickMovesTheWindowAndPaintsNothing) {
    Load(bitmap);
    ShowAsTheLoader();
    WaitExposed();
    const int paints = popup->PaintCount();
    for (int i = 0; i < 30; ++i) {
        popup->FireTimer(D::kShowTimer);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(popup->PaintCount(), paints);
    EXPECT_TRUE(PlacedAt(QPoint(1670, 1010)));
}

TEST_F(NotifierDialogTest, HoverAndLeaveRedrawOnce) {
    Load(bitmap);
    ToWaiting();
    WaitExposed();
    const QRect page = popup->WebView()->geometry();
    QTest::mouseMove(popup->windowHandle(), page.center());
    EXPECT_EQ(popup->MouseOver(), 0) << "over the page the popup hears no move";
    int paints = popup->PaintCount();
    QTest::mouseMove(popup->windowHandle(), QPoint(4, 20));
    EXPECT_EQ(popup->MouseOver(), 1);
    EXPECT_EQ(popup->PaintCount(), paints + 1);
    QTest::mouseMove(popup->windowHandle(), QPoint(6, 22));
    EXPECT_EQ(popup->PaintCount(), paints + 1) << "only the first move redraws";
    paints = popup->PaintCount();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(popup.get(), &leave);
    EXPECT_EQ(popup->MouseOver(), 0);
    EXPECT_EQ(popup->PaintCount(), paints + 1);
    QCoreApplication::sendEvent(popup.get(), &leave);
    EXPECT_EQ(popup->PaintCount(), paints + 1);
}

TEST_F(NotifierDialogTest, AClickIntoThePageStartsTheSlideOut) {
    Load(bitmap);
    ShowAsTheLoader();
    for (int i = 0; i < 100; ++i) {
        popup->FireTimer(D::kShowTimer);
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup.get()));
    const QRect page = popup->WebView()->geometry();
    QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, page.center());
    QCoreApplication::sendPostedEvents(popup.get());
    EXPECT_FALSE(popup->TimerRunning(D::kShowTimer));
    EXPECT_TRUE(popup->TimerRunning(D::kHideTimer));
    EXPECT_EQ(popup->TimerPeriod(D::kHideTimer), popup->HideStepDelay());
    ASSERT_TRUE(popup->FireTimer(D::kHideTimer));
    EXPECT_TRUE(PlacedAt(QPoint(1670, 941)));
}

TEST_F(NotifierDialogTest, ThePagesTimerNoticesChangeNothing) {
    Load(bitmap);
    ToWaiting();
    QCoreApplication::sendPostedEvents(popup.get());
    popup->WebView()->DriveTimersByHand();
    ASSERT_TRUE(popup->WebView()->FireTimer(CHtmlCtrl::kTitleTimer));
    ASSERT_TRUE(popup->WebView()->FireTimer(CHtmlCtrl::kPageTimer));
    QCoreApplication::sendPostedEvents(popup.get());
    EXPECT_EQ(popup->State(), D::kWaiting);
    EXPECT_TRUE(NoTimerRunning());
}

TEST_F(NotifierDialogTest, TheTaskBarExitButtonIsAChildThatSlidesThePopupOut) {
    const QImage image = NotifierBitmap(320, 240);
    Load(WriteBmp((dir.path() / "n320.bmp").string(), image));
    const std::string strip =
        WriteBmp((dir.path() / "exit.bmp").string(),
                 SolidStrip({Qt::red, Qt::green, Qt::blue, Qt::gray}, 24, 22));
    auto* exit = new CSkinButton(popup.get());
    exit->setGeometry(284, 12, 24, 22);
    exit->name = "TASKBUTTON_EXIT";
    ASSERT_TRUE(exit->LoadSkinBitmap(strip, 284, 12, 308, 34));
    exit->show();
    ToWaiting();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup.get()));
    const QPoint inside(295, 22);
    QTest::mouseMove(popup->windowHandle(), inside);
    QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, inside);
    EXPECT_TRUE(popup->TimerRunning(D::kHideTimer));
    EXPECT_EQ(RunOut(D::kHideTimer), 241);
    EXPECT_FALSE(popup->isVisible());
}

} // namespace
} // namespace tipin::test
