// The frame and shadow on a real X server (Xvfb, no compositing manager): the menus are
// opened with real right clicks (xdotool) and the screen is read back.
#include "menus/MenuWindowHook.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kSolid = Rgb(0, 160, 255);

class SolidWindow : public QWidget {
public:
    QMenu* menu = nullptr;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(RedOf(kSolid), GreenOf(kSolid), BlueOf(kSolid)));
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (menu != nullptr) {
            menu->popup(event->globalPos());
        }
    }
};

COLORREF At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

bool Xdotool(const QStringList& arguments) {
    return QProcess::execute("xdotool", arguments) == 0;
}

QString Number(int v) {
    return QString::number(v);
}

QImage GrabScreen(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

// Saves a screenshot for a look by hand when TIPIN_SCREENSHOTS names a folder.
void Keep(const QImage& image, const char* name) {
    const QString folder = qEnvironmentVariable("TIPIN_SCREENSHOTS");
    if (!folder.isEmpty()) {
        image.save(QDir(folder).filePath(name));
    }
}

class MenuX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs the xcb platform";
        }
        if (QStandardPaths::findExecutable("xdotool").isEmpty()) {
            GTEST_SKIP() << "needs xdotool";
        }
        hook = CMenuWindowHook::Install();
        window.setGeometry(100, 100, 600, 450);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(200);
    }

    void TearDown() override {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        CMenuWindowHook::Uninstall();
    }

    // Right-clicks at a global point and waits until `menu` is on the screen with its frame.
    void RightClick(QMenu& menu, QPoint at) {
        window.menu = &menu;
        ASSERT_TRUE(Xdotool({"mousemove", Number(at.x()), Number(at.y()), "click", "3"}));
        ASSERT_TRUE(QTest::qWaitFor([&] {
            const CMenuWindowState* state = hook->StateOf(&menu);
            return menu.isVisible() && state != nullptr && state->framePainted;
        }));
        QTest::qWait(300);
    }

    CMenuWindowHook* hook = nullptr;
    SolidWindow window;
};

TEST_F(MenuX11Test, ARealRightClickShowsTheFrameAndASoftShadow) {
    EXPECT_FALSE(hook->Platform().dropShadows);
    QMenu menu;
    menu.addAction("&Open...");
    menu.addAction("&Save")->setShortcut(QKeySequence("Ctrl+S"));
    menu.addAction("Show &page count")->setCheckable(true);
    menu.addSeparator();
    menu.addAction("E&xit");
    RightClick(menu, QPoint(300, 250));
    EXPECT_EQ(menu.pos(), QPoint(300, 249));

    const QRect g = menu.geometry();
    Keep(GrabScreen(QRect(g.topLeft() - QPoint(40, 40), g.size() + QSize(80, 80))),
         "menu-shadow.png");
    const QImage image = GrabScreen(g);
    const int w = g.width();
    const int h = g.height();
    // Soft: the straight parts darken by 30/255 per column or row inward, never black.
    for (int y = 8; y <= h - 5; ++y) {
        for (int r = 1; r <= 4; ++r) {
            ASSERT_EQ(At(image, w - r, y), Darken(30 * r, kSolid)) << w - r << "," << y;
        }
    }
    for (int x = 8; x <= w - 5; ++x) {
        for (int s = 1; s <= 4; ++s) {
            ASSERT_EQ(At(image, x, h - s), Darken(30 * s, kSolid)) << x << "," << h - s;
        }
    }
    EXPECT_NE(At(image, w - 4, 20), Rgb(0, 0, 0));
    // The corners show the window through, then ramp.
    for (int r = 1; r <= 4; ++r) {
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(At(image, w - r, y), kSolid) << r << "," << y;
        }
        for (int y = 4; y < 8; ++y) {
            EXPECT_EQ(At(image, w - r, y), Darken(6 * r * (y - 3), kSolid)) << r << "," << y;
        }
        for (int y = h - 4; y < h; ++y) {
            EXPECT_EQ(At(image, w - r, y), Darken(6 * r * (h - y), kSolid)) << r << "," << y;
        }
    }
    for (int s = 1; s <= 4; ++s) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(At(image, x, h - s), kSolid) << x << "," << s;
        }
        for (int x = 4; x < 8; ++x) {
            EXPECT_EQ(At(image, x, h - s), Darken(6 * s * (x - 3), kSolid)) << x << "," << s;
        }
    }
    // The frame.
    const MenuFrameColours colours = ComputeFrameColours(
        SystemColoursOf(&menu), hook->Platform().ScreenColours(), hook->Platform().screenDepth);
    EXPECT_EQ(At(image, 0, 10), colours.dark);
    EXPECT_EQ(At(image, w - 5, 10), colours.dark);
    EXPECT_EQ(At(image, 10, h - 5), colours.dark);
    EXPECT_EQ(At(image, 1, 10), colours.bar);
    EXPECT_EQ(At(image, 10, 1), colours.light);
    EXPECT_EQ(At(image, w - 6, 10), colours.light);

    // Escape still closes it.
    QTest::keyClick(&menu, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }));
    EXPECT_EQ(hook->StateOf(&menu), nullptr);
}

// With menu animations on, the menu is first drawn into a picture that a separate window
// unrolls or fades in; the shadow must still be drawn once, over the screen as it was before.
TEST_F(MenuX11Test, AnimatedMenusGetTheSameShadow) {
    for (const Qt::UIEffect effect : {Qt::UI_AnimateMenu, Qt::UI_FadeMenu}) {
        SCOPED_TRACE(effect == Qt::UI_AnimateMenu ? "unrolled" : "faded in");
        const bool general = QApplication::isEffectEnabled(Qt::UI_General);
        const bool enabled = QApplication::isEffectEnabled(effect);
        QApplication::setEffectEnabled(Qt::UI_General, true);
        QApplication::setEffectEnabled(effect, true);
        QMenu menu;
        menu.addAction("&Open...");
        menu.addAction("&Save");
        menu.addAction("E&xit");
        RightClick(menu, QPoint(320, 260));
        QTest::qWait(500);
        const QRect g = menu.geometry();
        Keep(GrabScreen(g.adjusted(-20, -20, 20, 20)),
             effect == Qt::UI_AnimateMenu ? "unrolled-menu-shadow.png" : "faded-menu-shadow.png");
        const QImage image = GrabScreen(g);
        QApplication::setEffectEnabled(effect, enabled);
        QApplication::setEffectEnabled(Qt::UI_General, general);
        menu.close();
        for (int y = 8; y <= g.height() - 5; ++y) {
            for (int r = 1; r <= 4; ++r) {
                ASSERT_EQ(At(image, g.width() - r, y), Darken(30 * r, kSolid))
                    << g.width() - r << "," << y;
            }
        }
        for (int x = 8; x <= g.width() - 5; ++x) {
            ASSERT_EQ(At(image, x, g.height() - 1), Darken(30, kSolid)) << x;
        }
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(At(image, g.width() - 1, y), kSolid) << y;
        }
    }
}

// A sub-menu that closes leaves its pixels on the screen until the windows beneath repaint;
// the next sub-menu's shadow must not be drawn over them.
TEST_F(MenuX11Test, SwitchingSubMenusLeavesNoTraceInTheShadow) {
    QMenu menu;
    menu.addAction("&Open...");
    QMenu* shortOne = menu.addMenu("&Short");
    shortOne->addAction("A");
    shortOne->addAction("B");
    shortOne->addAction("C");
    shortOne->addAction("D");
    QMenu* longOne = menu.addMenu("&Long");
    for (const char* name : {"a much longer item than the other", "scan-2024-01.tif",
                             "contract.tif", "invoice-0042.tif", "one more", "and another"}) {
        longOne->addAction(name);
    }
    RightClick(menu, QPoint(250, 200));

    const auto hover = [&](QAction* action) {
        const QRect item = menu.actionGeometry(action);
        const QPoint at = menu.mapToGlobal(item.center());
        ASSERT_TRUE(Xdotool({"mousemove", Number(at.x()), Number(at.y())}));
    };
    for (int round = 0; round < 3; ++round) {
        hover(longOne->menuAction());
        ASSERT_TRUE(QTest::qWaitFor([&] { return longOne->isVisible(); }));
        QTest::qWait(150);
        hover(shortOne->menuAction());
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return shortOne->isVisible() && !longOne->isVisible(); }));
        QTest::qWait(150);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const CMenuWindowState* state = hook->StateOf(shortOne);
        return state != nullptr && state->framePainted;
    }));
    QTest::qWait(300);

    const QRect g = shortOne->geometry();
    ASSERT_GT(g.right() - 4, menu.geometry().right()); // its right band is over the window
    Keep(GrabScreen(menu.geometry().united(g).adjusted(-20, -20, 60, 60)), "submenu-shadow.png");
    const QImage image = GrabScreen(g);
    for (int y = 8; y <= g.height() - 5; ++y) {
        for (int r = 1; r <= 4; ++r) {
            ASSERT_EQ(At(image, g.width() - r, y), Darken(30 * r, kSolid))
                << g.width() - r << "," << y;
        }
    }
}

} // namespace
