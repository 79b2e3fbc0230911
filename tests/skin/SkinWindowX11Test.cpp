#include "platform/QtConvert.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/FakePrompts.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace tipin::test;

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        throw std::runtime_error((program + " failed").toStdString());
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The extents of the window's shape as the X server has it ("Window shape extents: WxH+X+Y").
QRect ShapeExtents(const QWidget& window) {
    const QString report = Run("xwininfo", {"-shape", "-id", QString::number(window.winId())});
    const QRegularExpressionMatch match =
        QRegularExpression(R"(Window shape extents:\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+))")
            .match(report);
    if (!match.hasMatch()) {
        throw std::runtime_error("xwininfo reports no shape: " + report.toStdString());
    }
    return QRect(match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
                 match.captured(2).toInt());
}

void Pointer(const QStringList& arguments) {
    Run("xdotool", arguments);
}

// A point of the window's own surface: inside its outline, over no control.
QPoint BackgroundPoint(const QWidget& window) {
    for (int y = 10; y < window.height(); y += 7) {
        for (int x = 10; x < window.width(); x += 7) {
            if (window.mask().contains(QPoint(x, y)) && window.childAt(x, y) == nullptr) {
                return QPoint(x, y);
            }
        }
    }
    throw std::runtime_error("the window has no free background");
}

void WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 100 && !done(); ++i) {
        QTest::qWait(20);
    }
}

} // namespace

TEST(SkinWindowX11Test, EachBundledSkinShapesTheRealWindowAndPaintsItsBackground) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    for (const std::string& package : BundledPackageNames()) {
        SCOPED_TRACE(package);
        TempDir folder;
        ExtractAll(BundledPackage(package), folder.path());
        RecordingDialog window;
        window.Load(folder.path().string() + "/");
        window.move(100, 50);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(100);
        const QRegion outline = window.mask();
        EXPECT_EQ(ShapeExtents(window), outline.boundingRect());

        const QImage screen =
            window.screen()
                ->grabWindow(0, window.x(), window.y(), window.width(), window.height())
                .toImage();
        const QImage& background = window.BackgroundDC();
        int cutSeen = 0;
        for (int y = 0; y < background.height(); y += 3) {
            for (int x = 0; x < background.width(); x += 3) {
                const bool inside = outline.contains(QPoint(x, y));
                const bool magenta = (background.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
                EXPECT_NE(inside, magenta) << x << "," << y;
                if (!inside && (screen.pixel(x, y) & 0xFFFFFF) != 0xFF00FF) {
                    ++cutSeen;
                }
            }
        }
        EXPECT_GT(cutSeen, 0) << "the cut-away corners show what lies beneath";
    }
}

TEST(SkinWindowX11Test, DraggingTheBackgroundMovesTheWindow) {
    TempDir folder;
    ExtractAll(BundledPackage("Purple.skn"), folder.path());
    RecordingDialog window;
    window.Load(folder.path().string() + "/");
    window.move(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(100);
    const QPoint start = window.mapToGlobal(BackgroundPoint(window));
    const QPoint before = window.pos();
    Pointer(
        {"mousemove", QString::number(start.x()), QString::number(start.y()), "mousedown", "1"});
    for (int step = 1; step <= 5; ++step) {
        Pointer({"mousemove", QString::number(start.x() + 24 * step),
                 QString::number(start.y() + 10 * step)});
        QTest::qWait(30);
    }
    Pointer({"mouseup", "1"});
    WaitUntil([&] { return window.pos() == before + QPoint(120, 50); });
    EXPECT_EQ(window.pos(), before + QPoint(120, 50));
    EXPECT_TRUE(window.calls.empty());
}

TEST(SkinWindowX11Test, TheChangeSkinMenuSwapsTheShapeWithRealClicks) {
    RecordingDialog window;
    window.SetStartDirectory(TIPIN_RUN_DIR);
    window.SetPackageFolders({});
    window.SetPrompts(std::make_shared<FakePrompts>());
    window.LoadStartupSkin();
    window.move(150, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(100);
    const QRegion before = window.mask();
    const QPoint at = window.mapToGlobal(BackgroundPoint(window));
    Pointer({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "3"});
    QMenu* menu = window.ChangeSkinMenu();
    WaitUntil([menu] { return menu->isVisible(); });
    ASSERT_TRUE(menu->isVisible());
    QAction* black = menu->actions().at(1);
    ASSERT_EQ(black->text(), "&Black");
    const QPoint item = menu->mapToGlobal(menu->actionGeometry(black).center());
    Pointer({"mousemove", QString::number(item.x()), QString::number(item.y())});
    QTest::qWait(100);
    Pointer({"click", "1"});
    WaitUntil([&window] { return window.CurrentSkin() == 1 && window.isVisible(); });
    ASSERT_EQ(window.CurrentSkin(), 1);
    QTest::qWait(200);

    const QRegion after = window.mask();
    EXPECT_FALSE((after ^ before).isEmpty()) << "the new skin has another outline";
    EXPECT_EQ(window.pos(), QPoint(150, 60)) << "the window comes back where it was";
    const QImage screen =
        window.screen()
            ->grabWindow(0, window.x(), window.y(), window.width(), window.height())
            .toImage();
    const QImage& background = window.BackgroundDC();
    for (int y = 0; y < background.height(); y += 2) {
        for (int x = 0; x < background.width(); x += 2) {
            const bool magenta = (background.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
            EXPECT_EQ(after.contains(QPoint(x, y)), !magenta) << x << "," << y;
            const bool underIcon = ToQRect(window.iconRect).contains(x, y);
            if (!magenta && x % 16 == 0 && y % 16 == 0 && window.childAt(x, y) == nullptr &&
                !underIcon) {
                EXPECT_EQ(screen.pixel(x, y), background.pixel(x, y)) << x << "," << y;
            }
        }
    }
}
