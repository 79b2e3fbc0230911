#include "menus/MenuWindowHook.h"

#include "platform/QtConvert.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The screen under a menu, as the tests make it: a colour for every pixel, by window position.
COLORREF Under(int x, int y) {
    return Rgb((x * 3 + 11) % 256, (y * 5 + 23) % 256, 140);
}

QImage FakeScreen(const QRect& area) {
    QImage image(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const COLORREF c = Under(x, y);
            image.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
        }
    }
    return image;
}

COLORREF At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

// A menu with the items the program's menus have: plain, accelerated, checkable, a
// separator and a sub-menu.
struct TestMenu {
    QMenu menu;
    QAction* open;
    QAction* check;
    QMenu* sub;
    QAction* inner;

    TestMenu() {
        open = menu.addAction("&Open");
        check = menu.addAction("&Check");
        check->setCheckable(true);
        menu.addSeparator();
        sub = menu.addMenu("&More");
        inner = sub->addAction("&Inner");
    }
};

class MenuWindowHookTest : public ::testing::Test {
protected:
    void Install(const MenuPlatform& platform = MenuPlatform{}) {
        hook = CMenuWindowHook::Install(platform);
        hook->SetScreenCapture(&FakeScreen);
    }

    void TearDown() override {
        // Close whatever popups a test left open.
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        CMenuWindowHook::Uninstall();
        EXPECT_EQ(CMenuWindowHook::Instance(), nullptr);
    }

    static void Open(QMenu& menu, QPoint at = QPoint(100, 100)) {
        menu.popup(at);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    }

    CMenuWindowHook* hook = nullptr;
};

TEST_F(MenuWindowHookTest, InstallCreatesTheTenStylesAndSelectsStyle2) {
    Install();
    EXPECT_EQ(CMenuWindowHook::Install(), hook); // once per process
    EXPECT_EQ(CMenuWindowHook::Instance(), hook);
    const int ids[] = {6, 7, 0, 1, 2, 3, 8, 9, 4, 5};
    const int flags[] = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    using F = CMenuDrawStyle::Family;
    const F families[] = {F::A, F::A, F::A, F::A, F::B, F::B, F::B, F::B, F::A, F::A};
    ASSERT_EQ(hook->Styles().size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(hook->Styles()[i]->Id(), ids[i]) << i;
        EXPECT_EQ(hook->Styles()[i]->BorderFlag(), flags[i]) << i;
        EXPECT_EQ(hook->Styles()[i]->DrawFamily(), families[i]) << i;
    }
    ASSERT_NE(hook->SelectedStyle(), nullptr);
    EXPECT_EQ(hook->SelectedStyle()->Id(), 2);
    EXPECT_EQ(hook->SelectedStyle(), hook->Styles()[4].get());
    EXPECT_TRUE(hook->DrawAllMenus());
}

TEST_F(MenuWindowHookTest, DetectedPlatformHasNoMenuShadowsOnX11OrOffscreen) {
    hook = CMenuWindowHook::Install();
    EXPECT_FALSE(hook->Platform().dropShadows);
    EXPECT_FALSE(hook->Platform().highContrast);
    EXPECT_GT(hook->Platform().screenDepth, 0);
}

TEST_F(MenuWindowHookTest, TheFrameMakesTheMenuWiderAndTaller) {
    TestMenu plain;
    const QSize before = plain.menu.sizeHint();
    Install();
    TestMenu framed;
    framed.menu.ensurePolished();
    EXPECT_TRUE(hook->IsSubclassed(&framed.menu));
    EXPECT_EQ(framed.menu.contentsMargins(), QMargins(2, 2, 5, 6));
    EXPECT_EQ(framed.menu.sizeHint(), before + QSize(7, 8));
    Open(framed.menu);
    EXPECT_EQ(framed.menu.size(), before + QSize(7, 8));
    // Items lie in the client area, right of the bar and above the shadow.
    const QRect item = framed.menu.actionGeometry(framed.open);
    EXPECT_GE(item.left(), 2);
    EXPECT_GE(item.top(), 2);
    EXPECT_LE(item.right(), framed.menu.width() - 6);
}

TEST_F(MenuWindowHookTest, WithPlatformShadowsTheMarginsAre2All) {
    TestMenu plain;
    const QSize before = plain.menu.sizeHint();
    MenuPlatform platform;
    platform.dropShadows = true;
    Install(platform);
    TestMenu framed;
    framed.menu.ensurePolished();
    EXPECT_EQ(framed.menu.contentsMargins(), QMargins(2, 2, 2, 2));
    EXPECT_EQ(framed.menu.sizeHint(), before + QSize(4, 4));
}

TEST_F(MenuWindowHookTest, MenusMadeBeforeTheHookAreTakenWhenItIsInstalled) {
    TestMenu early;
    const QSize before = early.menu.sizeHint(); // polished
    Install();
    EXPECT_TRUE(hook->IsSubclassed(&early.menu));
    EXPECT_EQ(early.menu.sizeHint(), before + QSize(7, 8));
}

TEST_F(MenuWindowHookTest, UninstallGivesTheMarginsBack) {
    Install();
    TestMenu menu;
    menu.menu.setContentsMargins(1, 1, 1, 1);
    menu.menu.ensurePolished();
    EXPECT_EQ(menu.menu.contentsMargins(), QMargins(3, 3, 6, 7));
    CMenuWindowHook::Uninstall();
    EXPECT_EQ(menu.menu.contentsMargins(), QMargins(1, 1, 1, 1));
}

TEST_F(MenuWindowHookTest, StateIsCreatedOnShowAndRemovedOnHide) {
    Install();
    TestMenu menu;
    QSignalSpy created(hook, &CMenuWindowHook::StateCreated);
    QSignalSpy removed(hook, &CMenuWindowHook::StateRemoved);
    menu.menu.ensurePolished();
    EXPECT_EQ(hook->StateOf(&menu.menu), nullptr); // polished, not open

    Open(menu.menu, QPoint(100, 100));
    CMenuWindowState* state = hook->StateOf(&menu.menu);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(created.count(), 1);
    EXPECT_EQ(hook->StateCount(), 1);
    EXPECT_EQ(state->bits, CMenuWindowState::kFrameStylesRemoved);
    EXPECT_EQ(state->savedMargins, QMargins());
    EXPECT_TRUE(state->drawFlag);
    // Placed 1 higher; the position is recorded and the screen under it captured, 10 larger.
    EXPECT_EQ(menu.menu.pos(), QPoint(100, 99));
    EXPECT_EQ(state->position, QPoint(100, 99));
    EXPECT_EQ(state->background.size(), menu.menu.size() + QSize(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->framePainted; }));

    menu.menu.hide();
    EXPECT_EQ(hook->StateOf(&menu.menu), nullptr);
    EXPECT_EQ(hook->StateCount(), 0);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].value<QObject*>(), &menu.menu);
    EXPECT_EQ(removed[0][1].toUInt(), CMenuWindowState::kFrameStylesRemoved);

    // Reopening starts afresh.
    Open(menu.menu, QPoint(200, 150));
    CMenuWindowState* again = hook->StateOf(&menu.menu);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->position, QPoint(200, 149));
    EXPECT_EQ(again->bits, CMenuWindowState::kFrameStylesRemoved);
    EXPECT_EQ(created.count(), 2);
}

TEST_F(MenuWindowHookTest, DestroyingAnOpenMenuRemovesItsState) {
    Install();
    auto menu = std::make_unique<TestMenu>();
    QSignalSpy removed(hook, &CMenuWindowHook::StateRemoved);
    Open(menu->menu);
    QObject* key = &menu->menu;
    ASSERT_NE(hook->StateOf(key), nullptr);
    menu.reset();
    EXPECT_EQ(hook->StateOf(key), nullptr);
    EXPECT_FALSE(hook->IsSubclassed(key));
    EXPECT_EQ(hook->StateCount(), 0);
    EXPECT_EQ(removed.count(), 1);
}

TEST_F(MenuWindowHookTest, MovingAnOpenMenuDiscardsTheCapture) {
    Install();
    TestMenu menu;
    Open(menu.menu);
    CMenuWindowState* state = hook->StateOf(&menu.menu);
    ASSERT_NE(state, nullptr);
    EXPECT_FALSE(state->background.isNull());
    menu.menu.move(150, 160);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->position == QPoint(150, 160); }));
    EXPECT_TRUE(state->background.isNull());
}

// The frame of a menu drawn with a known palette, at the frame's coordinates.
TEST_F(MenuWindowHookTest, RenderedMenuShowsTheFrameInThePalettesColours) {
    Install();
    TestMenu menu;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(200, 180, 160)); // the menu's own background
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Button, QColor(150, 150, 150));
    palette.setColor(QPalette::Dark, QColor(60, 60, 60));
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 64));
    menu.menu.setPalette(palette);
    Open(menu.menu);
    const QImage image = menu.menu.grab().toImage();
    const int w = image.width();
    const int h = image.height();
    ASSERT_EQ(QSize(w, h), menu.menu.size());

    const COLORREF light = Rgb(247, 244, 241); // blend(white, M)
    const COLORREF dark = Rgb(100, 90, 80);    // darken(128, M)
    const COLORREF bar = Rgb(208, 191, 174);   // blend(M, white)
    EXPECT_EQ(light, Blend(Rgb(255, 255, 255), Rgb(200, 180, 160)));
    EXPECT_EQ(dark, Darken(128, Rgb(200, 180, 160)));
    EXPECT_EQ(bar, Blend(Rgb(200, 180, 160), Rgb(255, 255, 255)));

    for (int x = 0; x < w - 4; ++x) {
        EXPECT_EQ(At(image, x, 0), dark) << x;
        EXPECT_EQ(At(image, x, h - 5), dark) << x;
    }
    for (int y = 0; y < h - 4; ++y) {
        EXPECT_EQ(At(image, 0, y), dark) << y;
        EXPECT_EQ(At(image, w - 5, y), dark) << y;
    }
    for (int x = 1; x < w - 5; ++x) {
        EXPECT_EQ(At(image, x, 1), light) << x;
        EXPECT_EQ(At(image, x, h - 6), light) << x;
    }
    for (int y = 1; y < h - 5; ++y) {
        EXPECT_EQ(At(image, w - 6, y), light) << y;
    }
    for (int y = 2; y < h - 6; ++y) {
        EXPECT_EQ(At(image, 1, y), bar) << y;
    }
    // The shadow over the captured screen.
    for (int y = 8; y <= h - 5; ++y) {
        EXPECT_EQ(At(image, w - 1, y), Darken(30, Under(w - 1, y))) << y;
        EXPECT_EQ(At(image, w - 4, y), Darken(120, Under(w - 4, y))) << y;
    }
    for (int x = 8; x <= w - 5; ++x) {
        EXPECT_EQ(At(image, x, h - 1), Darken(30, Under(x, h - 1))) << x;
        EXPECT_EQ(At(image, x, h - 4), Darken(120, Under(x, h - 4))) << x;
    }
    EXPECT_EQ(At(image, w - 1, 2), Under(w - 1, 2));
    EXPECT_EQ(At(image, w - 2, 5), Darken(6 * 2 * 2, Under(w - 2, 5)));
    EXPECT_EQ(At(image, w - 3, h - 2), Darken(6 * 3 * 2, Under(w - 3, h - 2)));
    EXPECT_EQ(At(image, 2, h - 1), Under(2, h - 1));
    EXPECT_EQ(At(image, 6, h - 3), Darken(6 * 3 * 3, Under(6, h - 3)));
}

// The same as seen on the screen (the offscreen platform's screen is the windows' pixels),
// with the real capture: a solid window under the menu.
TEST_F(MenuWindowHookTest, ShadowOverARealWindowOnTheScreen) {
    hook = CMenuWindowHook::Install(MenuPlatform{});
    class Solid : public QWidget {
    protected:
        void paintEvent(QPaintEvent*) override {
            QPainter(this).fillRect(rect(), QColor(0, 160, 255));
        }
    } below;
    below.setGeometry(0, 0, 600, 500);
    below.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&below));
    TestMenu menu;
    Open(menu.menu, QPoint(150, 120));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return hook->StateOf(&menu.menu) && hook->StateOf(&menu.menu)->framePainted; }));
    const QRect g = menu.menu.geometry();
    const QImage screen = menu.menu.screen()->grabWindow(menu.menu.winId()).toImage();
    ASSERT_EQ(screen.size(), g.size());
    const COLORREF solid = Rgb(0, 160, 255);
    const int w = g.width();
    const int h = g.height();
    EXPECT_EQ(At(screen, w - 1, 20), Darken(30, solid));
    EXPECT_EQ(At(screen, w - 4, 20), Darken(120, solid));
    EXPECT_EQ(At(screen, 20, h - 1), Darken(30, solid));
    EXPECT_EQ(At(screen, 20, h - 4), Darken(120, solid));
    EXPECT_EQ(At(screen, w - 1, 0), solid);
    EXPECT_EQ(At(screen, 0, h - 1), solid);
}

TEST_F(MenuWindowHookTest, FlatShadowAt8Bits) {
    MenuPlatform platform;
    platform.screenDepth = 8;
    Install(platform);
    TestMenu menu;
    QPalette palette = menu.menu.palette();
    palette.setColor(QPalette::Dark, QColor(128, 64, 0));
    menu.menu.setPalette(palette);
    Open(menu.menu);
    const QImage image = menu.menu.grab().toImage();
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(At(image, w - 1, 20), Under(w - 1, 20));
    EXPECT_EQ(At(image, w - 2, 20), Under(w - 2, 20));
    EXPECT_EQ(At(image, w - 3, 20), Rgb(128, 64, 0));
    EXPECT_EQ(At(image, w - 4, 20), Rgb(128, 64, 0));
    EXPECT_EQ(At(image, w - 3, 2), Under(w - 3, 2));
    EXPECT_EQ(At(image, 20, h - 1), Under(20, h - 1));
    EXPECT_EQ(At(image, 20, h - 3), Rgb(128, 64, 0));
    EXPECT_EQ(At(image, 2, h - 3), Under(2, h - 3));
}

TEST_F(MenuWindowHookTest, HighContrastDrawsOnlyTheButtonTextOutline) {
    MenuPlatform platform;
    platform.highContrast = true;
    Install(platform);
    TestMenu menu;
    QPalette palette = menu.menu.palette();
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 64));
    menu.menu.setPalette(palette);
    Open(menu.menu);
    const QImage image = menu.menu.grab().toImage();
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(At(image, 0, 10), Rgb(0, 0, 64));
    EXPECT_EQ(At(image, 10, 0), Rgb(0, 0, 64));
    EXPECT_EQ(At(image, w - 5, 10), Rgb(0, 0, 64));
    EXPECT_EQ(At(image, 10, h - 5), Rgb(0, 0, 64));
    EXPECT_EQ(At(image, w - 1, 20), Under(w - 1, 20));
    EXPECT_EQ(At(image, 20, h - 4), Under(20, h - 4));
}

TEST_F(MenuWindowHookTest, AMenuDrawnBeforeItShowsGetsItsFrameWithoutAState) {
    Install();
    TestMenu menu;
    menu.menu.move(300, 300);
    menu.menu.resize(menu.menu.sizeHint());
    const QImage image = menu.menu.grab().toImage();
    EXPECT_EQ(hook->StateCount(), 0);
    const COLORREF dark = Darken(128, MenuColourOf(&menu.menu));
    EXPECT_EQ(At(image, 0, 5), dark);
    EXPECT_EQ(At(image, image.width() - 5, 5), dark);
    EXPECT_EQ(At(image, image.width() - 1, 20), Darken(30, Under(image.width() - 1, 20)));
}

TEST_F(MenuWindowHookTest, KeyboardNavigationStillWorks) {
    Install();
    TestMenu menu;
    QSignalSpy triggered(menu.open, &QAction::triggered);
    Open(menu.menu);
    QTest::keyClick(&menu.menu, Qt::Key_Down);
    EXPECT_EQ(menu.menu.activeAction(), menu.open);
    QTest::keyClick(&menu.menu, Qt::Key_Return);
    EXPECT_EQ(triggered.count(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.menu.isVisible(); }));
    EXPECT_EQ(hook->StateOf(&menu.menu), nullptr);
}

TEST_F(MenuWindowHookTest, AcceleratorsAndCheckMarksStillWork) {
    Install();
    TestMenu menu;
    Open(menu.menu);
    QTest::keyClick(&menu.menu, Qt::Key_C);
    EXPECT_TRUE(menu.check->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.menu.isVisible(); }));
    Open(menu.menu);
    QTest::keyClick(&menu.menu, Qt::Key_C);
    EXPECT_FALSE(menu.check->isChecked());
}

TEST_F(MenuWindowHookTest, SubMenusGetTheirOwnStateAndEscapeClosesOneLevel) {
    Install();
    TestMenu menu;
    QSignalSpy removed(hook, &CMenuWindowHook::StateRemoved);
    Open(menu.menu);
    QTest::keyClick(&menu.menu, Qt::Key_M);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.sub->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.sub));
    ASSERT_NE(hook->StateOf(menu.sub), nullptr);
    EXPECT_EQ(hook->StateCount(), 2);
    EXPECT_EQ(menu.sub->contentsMargins(), QMargins(2, 2, 5, 6));

    QTest::keyClick(menu.sub, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.sub->isVisible(); }));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].value<QObject*>(), menu.sub);
    EXPECT_EQ(removed[0][1].toUInt(),
              CMenuWindowState::kFrameStylesRemoved | CMenuWindowState::kClosedWithEscape);
    EXPECT_TRUE(menu.menu.isVisible());
    ASSERT_NE(hook->StateOf(&menu.menu), nullptr);
    EXPECT_FALSE(hook->StateOf(&menu.menu)->ClosedWithEscape());

    // The sub-menu's item still triggers.
    QSignalSpy inner(menu.inner, &QAction::triggered);
    QTest::keyClick(&menu.menu, Qt::Key_M);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.sub->isVisible(); }));
    QTest::keyClick(menu.sub, Qt::Key_I);
    EXPECT_EQ(inner.count(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.menu.isVisible(); }));
}

TEST_F(MenuWindowHookTest, EscapeClosesTheMenuAndIsRecorded) {
    Install();
    TestMenu menu;
    QSignalSpy removed(hook, &CMenuWindowHook::StateRemoved);
    Open(menu.menu);
    QTest::keyClick(&menu.menu, Qt::Key_Down);
    const CMenuWindowState* state = hook->StateOf(&menu.menu);
    ASSERT_NE(state, nullptr);
    EXPECT_FALSE(state->ClosedWithEscape());
    EXPECT_EQ(state->lastKeyPosition, QCursor::pos());
    QTest::keyClick(&menu.menu, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.menu.isVisible(); }));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_TRUE(removed[0][1].toUInt() & CMenuWindowState::kClosedWithEscape);
}

TEST_F(MenuWindowHookTest, TheEditBoxContextMenuIsFramed) {
    Install();
    QLineEdit edit("text");
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    Open(*menu);
    EXPECT_NE(hook->StateOf(menu.get()), nullptr);
    EXPECT_EQ(menu->contentsMargins(), QMargins(2, 2, 5, 6));
}

// Every other kind of window is left as it is.
TEST_F(MenuWindowHookTest, OtherWindowKindsAreUntouched) {
    Install();
    QSignalSpy created(hook, &CMenuWindowHook::StateCreated);

    QDialog dialog;
    dialog.resize(200, 100);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QFrame popup(nullptr, Qt::Popup);
    popup.setGeometry(50, 50, 80, 60);
    popup.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    const QImage popupWithHook = popup.grab().toImage();
    popup.close();

    QComboBox combo;
    combo.addItems({"one", "two", "three"});
    combo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo));
    combo.showPopup();
    QWidget* list = combo.view()->window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    EXPECT_FALSE(hook->IsSubclassed(list));
    combo.hidePopup();

    QToolTip::showText(QPoint(300, 300), "tip");
    QWidget* tip = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowType() == Qt::ToolTip && w->isVisible()) {
                tip = w;
            }
        }
        return tip != nullptr;
    }));
    EXPECT_FALSE(hook->IsSubclassed(tip));
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(hook->IsSubclassed(w)) << w->metaObject()->className();
    }
    QToolTip::hideText();

    // A torn-off menu is a tool window, not a popup.
    TestMenu menu;
    menu.menu.setTearOffEnabled(true);
    menu.menu.showTearOffMenu(QPoint(400, 400));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.menu.isTearOffMenuVisible(); }));
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &menu.menu && w != menu.sub) {
            EXPECT_FALSE(hook->IsSubclassed(w)) << w->metaObject()->className();
        }
    }
    menu.menu.hideTearOffMenu();

    EXPECT_EQ(created.count(), 0);
    EXPECT_EQ(hook->StateCount(), 0);
    EXPECT_FALSE(hook->IsSubclassed(&dialog));
    EXPECT_EQ(dialog.contentsMargins(), QMargins());

    // Drawn the same without the hook.
    const QImage dialogWithHook = dialog.grab().toImage();
    CMenuWindowHook::Uninstall();
    EXPECT_EQ(dialog.grab().toImage(), dialogWithHook);
    EXPECT_EQ(popup.grab().toImage(), popupWithHook);
}

TEST(MenuWindowHookInstall, NeedsAnApplicationOnlyOnce) {
    // The test main has made the application: installing works and uninstalling is clean.
    CMenuWindowHook* hook = CMenuWindowHook::Install();
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(hook->parent(), QCoreApplication::instance());
    CMenuWindowHook::Uninstall();
    EXPECT_EQ(CMenuWindowHook::Instance(), nullptr);
    CMenuWindowHook::Uninstall(); // nothing installed: nothing happens
}

} // namespace
