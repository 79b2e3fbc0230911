#include "controls/SkinButton.h"

#include "controls/ExitRequestHost.h"
#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"
#include "tests/support/TempDir.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QColor kNormal(200, 0, 0);
const QColor kHover(0, 200, 0);
const QColor kPressed(0, 0, 200);
const QColor kDisabled(90, 90, 90);
const QRect kButtonRect(40, 30, 50, 30);
const QPoint kInside(60, 40);
const QPoint kOutside(200, 150);

using Report = TestHost::Report;

class SkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        strip = WriteBmp((dir.path() / "strip.bmp").string(),
                         SolidStrip({kNormal, kHover, kPressed, kDisabled}, 50, 30, 3));
        button = new CSkinButton(&host);
        button->setGeometry(kButtonRect);
        button->index = 4;
        button->name = "BUTTON_BROWSE";
        ASSERT_TRUE(Load(*button));
        host.ShowAndWait();
    }

    bool Load(CSkinButton& target) const {
        const QRect r = target.geometry();
        return target.LoadSkinBitmap(strip, r.left(), r.top(), r.left() + r.width(),
                                     r.top() + r.height());
    }

    // The button's whole area shows one frame colour.
    bool Shows(QColor colour) { return AllPixels(host.Shot(), kButtonRect, colour); }

    QWindow* Window() { return host.windowHandle(); }
    void Move(QPoint point) { QTest::mouseMove(Window(), point); }
    void Press(QPoint point) { QTest::mousePress(Window(), Qt::LeftButton, {}, point); }
    void Release(QPoint point) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, point); }
    void Click(QPoint point) {
        Move(point);
        Press(point);
        Release(point);
    }

    TempDir dir;
    std::string strip;
    TestHost host;
    CSkinButton* button = nullptr;
};

TEST_F(SkinButtonTest, ShowsTheFrameOfEveryMouseState) {
    Move(kOutside);
    EXPECT_TRUE(Shows(kNormal));
    Move(kInside);
    EXPECT_EQ(button->Hover(), 1);
    EXPECT_TRUE(Shows(kHover));
    Press(kInside);
    EXPECT_TRUE(Shows(kPressed));
    Release(kInside);
    EXPECT_EQ(button->Hover(), 0);
    Move(kInside + QPoint(1, 0));
    EXPECT_TRUE(Shows(kHover)) << "the next move over the button hovers again";
    Move(kOutside);
    EXPECT_EQ(button->Hover(), 0);
    EXPECT_TRUE(Shows(kNormal));
    button->setEnabled(false);
    EXPECT_TRUE(Shows(kDisabled));
}

TEST_F(SkinButtonTest, HoversOnlyWhileItsWindowIsActive) {
    Move(kInside);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(Shows(kNormal)) << "the hover ends with the activation";
    Move(kInside + QPoint(1, 0));
    EXPECT_EQ(button->Hover(), 0);
}

TEST_F(SkinButtonTest, ReportsAReleaseInsideWithItsIndex) {
    Click(kInside);
    EXPECT_EQ(host.reports, (std::vector<Report>{{Report::kButton, 4, 0}}));
}

TEST_F(SkinButtonTest, DraggedOutItShowsNoHoverAndAReleaseOutsideReportsNothing) {
    Move(kInside);
    Press(kInside);
    Move(kOutside);
    EXPECT_EQ(button->Hover(), 0);
    EXPECT_TRUE(Shows(kNormal));
    Move(kInside);
    EXPECT_EQ(button->Hover(), 0) << "no hover while dragged out";
    EXPECT_TRUE(Shows(kPressed)) << "pushed again over the button";
    Move(kOutside);
    Release(kOutside);
    EXPECT_TRUE(host.reports.empty());
    EXPECT_TRUE(Shows(kNormal));
}

TEST_F(SkinButtonTest, AButtonHeldFromOutsideStartsNoHover) {
    Move(kOutside);
    Press(kOutside);
    Move(kInside);
    EXPECT_EQ(button->Hover(), 0);
    EXPECT_TRUE(Shows(kNormal));
    Release(kInside);
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinButtonTest, LatchOnlyShowsNothingButTheLatchedState) {
    button->latchOnly = 1;
    Move(kInside);
    EXPECT_TRUE(Shows(kNormal));
    Press(kInside);
    EXPECT_TRUE(Shows(kNormal));
    Release(kInside);
    button->setEnabled(false);
    EXPECT_TRUE(Shows(kNormal));
    button->SetLatched(1);
    EXPECT_TRUE(Shows(kPressed));
    EXPECT_EQ(host.reports.size(), 1U) << "a click still reports";
}

TEST_F(SkinButtonTest, ALatchedButtonIsPressedAwayAndHoversUnderThePointer) {
    Move(kOutside);
    button->SetLatched(1);
    EXPECT_TRUE(Shows(kPressed));
    Move(kInside);
    EXPECT_TRUE(Shows(kHover));
    Press(kInside);
    EXPECT_TRUE(Shows(kPressed));
    Release(kInside);
    EXPECT_EQ(button->Latched(), 1) << "a click does not change the latch";
}

TEST_F(SkinButtonTest, TheLeftOverColumnsOfTheStripAreNeverShown) {
    EXPECT_EQ(CountPixels(host.Shot(), kButtonRect, Qt::magenta), 0);
    button->setEnabled(false);
    EXPECT_EQ(CountPixels(host.Shot(), kButtonRect, Qt::magenta), 0);
}

TEST_F(SkinButtonTest, ALargerButtonShowsTheFrameStretched) {
    const QImage halves = SolidStrip({Qt::white, Qt::black}, 25, 30);
    QImage frames(200, 30, QImage::Format_RGB32);
    for (int k = 0; k < 4; ++k) {
        QPainter(&frames).drawImage(k * 50, 0, halves);
    }
    const std::string path = WriteBmp((dir.path() / "halves.bmp").string(), frames);
    button->SetTransparentColour(kNoColour);
    button->setGeometry(40, 30, 100, 60);
    ASSERT_TRUE(button->LoadSkinBitmap(path, 40, 30, 140, 90));
    const QImage shot = host.Shot();
    EXPECT_TRUE(AllPixels(shot, QRect(40, 30, 50, 60), Qt::white));
    EXPECT_TRUE(AllPixels(shot, QRect(90, 30, 50, 60), Qt::black));
}

TEST_F(SkinButtonTest, KeyColouredPixelsShowTheWindowBehind) {
    const QImage strip = SolidStrip({Qt::black, Qt::black, Qt::black, Qt::black}, 50, 30);
    const std::string path = WriteBmp((dir.path() / "black.bmp").string(), strip);
    ASSERT_TRUE(Load(*button));
    ASSERT_TRUE(button->LoadSkinBitmap(path, 40, 30, 90, 60));
    const QImage shot = host.Shot();
    EXPECT_EQ(shot.pixelColor(kInside), host.BackgroundAt(kInside)) << "black is the default key";

    button->SetTransparentColour(kNormal.red());
    EXPECT_EQ(host.Shot().pixelColor(kInside), QColor(Qt::black));
    ASSERT_TRUE(Load(*button));
    EXPECT_EQ(host.Shot().pixelColor(kInside), host.BackgroundAt(kInside));
}

TEST_F(SkinButtonTest, AStripThatCannotBeLoadedKeepsThePreviousImages) {
    EXPECT_FALSE(button->LoadSkinBitmap((dir.path() / "none.bmp").string(), 40, 30, 90, 60));
    EXPECT_TRUE(Shows(kNormal));
}

TEST_F(SkinButtonTest, TheTooltipNeedsATextAndCanBeSwitchedOff) {
    button->ActivateTooltip(true);
    EXPECT_TRUE(button->toolTip().isEmpty());
    button->SetTooltipText(std::nullopt, true);
    EXPECT_FALSE(button->TooltipActive());
    button->SetTooltipText(QString("Browse"), true);
    EXPECT_EQ(button->toolTip(), "Browse");
    button->ActivateTooltip(false);
    EXPECT_TRUE(button->toolTip().isEmpty());
    button->ActivateTooltip(true);
    EXPECT_EQ(button->toolTip(), "Browse");
}

TEST_F(SkinButtonTest, AHostMayDestroyTheButtonWhileItReports) {
    host.onReport = [this](const Report&) { delete button; };
    Click(kInside);
    EXPECT_EQ(host.reports.size(), 1U);
}

class ExitHost : public TestHost, public CExitRequestHost {
public:
    void ExitRequest(const QString& name) override { requests.push_back(name); }
    std::vector<QString> requests;
};

TEST_F(SkinButtonTest, TheExitButtonTellsThePopupByNameAndNeverReportsAnIndex) {
    ExitHost popup;
    auto* exit = new CSkinButton(&popup);
    exit->setGeometry(kButtonRect);
    exit->name = "TASKBUTTON_EXIT";
    ASSERT_TRUE(Load(*exit));
    popup.ShowAndWait();
    QTest::mouseMove(popup.windowHandle(), kInside);
    QTest::mouseClick(popup.windowHandle(), Qt::LeftButton, {}, kInside);
    EXPECT_EQ(popup.requests, std::vector<QString>{"TASKBUTTON_EXIT"});
    EXPECT_TRUE(popup.reports.empty());
}

TEST_F(SkinButtonTest, AParentThatIsNoHostHearsNothing) {
    QWidget plain;
    auto* orphan = new CSkinButton(&plain);
    orphan->setGeometry(kButtonRect);
    ASSERT_TRUE(Load(*orphan));
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    QTest::mouseMove(plain.windowHandle(), kInside);
    QTest::mouseClick(plain.windowHandle(), Qt::LeftButton, {}, kInside);
    EXPECT_EQ(orphan->Hover(), 0);
}

} // namespace
} // namespace tipin::test
