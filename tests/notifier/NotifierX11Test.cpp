// The popup on a real X server (scripts/test runs this on its Xvfb display): where it ends,
// the shape the server gives it, what the screen shows, and the keyboard it leaves alone.
#include "notifier/HtmlCtrl.h"
#include "notifier/NotifierDialog.h"
#include "platform/QtScreen.h"
#include "tests/controls/TestImages.h"
#include "tests/notifier/NotifierTestSupport.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMoveEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>

namespace tipin::test {
namespace {

using D = CNotifierDialog;

// The bitmap is 323 pixels wide: its outline is 320 wide, the last three columns are outside.
constexpr int kWidth = 323;
constexpr int kHeight = 240;

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The number after `label` in xwininfo's report; INT_MIN when missing.
int Number(const QString& report, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + R"(\s*(-?\d+))");
    const QRegularExpressionMatch match = pattern.match(report);
    return match.hasMatch() ? match.captured(1).toInt() : INT_MIN;
}

// Runs the event loop until `done` holds; false after `ms` milliseconds. Unlike
// QTest::qWaitFor, which sleeps 10 ms between passes, it lets 1 ms timers run at their pace.
bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    QTimer wake; // the loop wakes up at least this often, even with nothing else to do
    wake.start(20);
    while (!done()) {
        if (clock.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Records every position the window is moved to.
class MoveRecorder : public QObject {
public:
    std::vector<QPoint> positions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move) {
            positions.push_back(static_cast<QMoveEvent*>(event)->pos());
        }
        return QObject::eventFilter(watched, event);
    }
};

// The order in which the watched widgets were painted or shown.
class EventOrder : public QObject {
public:
    std::vector<std::pair<QObject*, QEvent::Type>> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint || event->type() == QEvent::Show) {
            seen.emplace_back(watched, event->type());
        }
        return QObject::eventFilter(watched, event);
    }
};

class NotifierX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X display";
        screen = QGuiApplication::primaryScreen()->geometry();
        // A 40-pixel task bar at the bottom, as scripts/xvfb.sh reserves it.
        SetWorkArea(QRect(0, 0, screen.width(), screen.height() - 40));
        image = NotifierBitmap(kWidth, kHeight, 14);
        bitmap = QString::fromStdString(WriteBmp((dir.path() / "n.bmp").string(), image));
    }
    void TearDown() override { SetWorkArea(QRect(0, 0, screen.width(), screen.height() - 40)); }

    static void SetWorkArea(const QRect& work) {
        const QString value = QString("%1, %2, %3, %4")
                                  .arg(work.x())
                                  .arg(work.y())
                                  .arg(work.width())
                                  .arg(work.height());
        QProcess::execute("xprop",
                          {"-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA", value});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QGuiApplication::primaryScreen()->availableGeometry() == work; }, 5000))
            << "Qt did not take the work area from the root window";
    }

    // An owner with the keyboard, as the skinned main window is.
    void ShowOwner() {
        owner.setGeometry(20, 20, 300, 120);
        edit = new QLineEdit(&owner);
        owner.show();
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
        edit->setFocus();
    }
    // Creates the popup as the skin loader does and slides it in with real timers.
    void SlideIn() {
        popup = new CNotifierDialog(&owner);
        popup->Hide();
        ASSERT_TRUE(popup->SetSkin(bitmap, 255, 0, 255));
        popup->installEventFilter(&moves);
        popup->Show(300, 1000, 300, 1);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(WaitUntil([&] { return popup->State() == D::kWaiting; }, 10000));
        slideMs = clock.elapsed();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        QCoreApplication::processEvents();
    }
    QString WindowInfo() const {
        QCoreApplication::processEvents();
        return RunTool("xwininfo", {"-shape", "-id", QString::number(popup->winId())});
    }
    // The moves went one pixel at a time from `from` to `to`.
    void ExpectSteps(QPoint from, QPoint to) const {
        ASSERT_FALSE(moves.positions.empty());
        EXPECT_EQ(moves.positions.back(), to);
        QPoint previous = from;
        int steps = 0;
        for (const QPoint& p : moves.positions) {
            if (p == previous) {
                continue;
            }
            ASSERT_EQ((p - previous).manhattanLength(), 1) << "a jump after " << steps << " steps";
            previous = p;
            ++steps;
        }
        EXPECT_EQ(steps, (to - from).manhattanLength());
    }

    TempDir dir;
    QRect screen;
    QImage image;
    QString bitmap;
    QWidget owner;
    QLineEdit* edit = nullptr;
    CNotifierDialog* popup = nullptr;
    MoveRecorder moves;
    qint64 slideMs = 0;
};

TEST_F(NotifierX11Test, TheWorkAreaIsTheOneTheRootWindowAnnounces) {
    const QtScreen real(nullptr);
    EXPECT_EQ(real.Geometry(), screen);
    EXPECT_EQ(real.WorkArea(), QRect(0, 0, screen.width(), screen.height() - 40));
}

TEST_F(NotifierX11Test, SlidesUpOverTheTaskBarAndStandsShapedAboveIt) {
    ShowOwner();
    SlideIn();
    const QPoint shown(screen.width() - kWidth, screen.height() - 40 - kHeight);
    ExpectSteps(QPoint(shown.x(), screen.height() - 40), shown);
    EXPECT_EQ(popup->geometry(), QRect(shown, QSize(kWidth, kHeight)));
    RecordProperty("slide_in_ms", int(slideMs));
    std::cout << "240 steps of 1 ms took " << slideMs << " ms\n";

    const QString info = WindowInfo();
    ASSERT_FALSE(info.isEmpty()) << "xwininfo failed";
    EXPECT_EQ(Number(info, "Absolute upper-left X:"), shown.x()) << info.toStdString();
    EXPECT_EQ(Number(info, "Absolute upper-left Y:"), shown.y());
    EXPECT_EQ(Number(info, "Width:"), kWidth);
    EXPECT_EQ(Number(info, "Height:"), kHeight);
    EXPECT_TRUE(info.contains("Map State: IsViewable"));
    EXPECT_TRUE(info.contains("Override Redirect State: yes")) << "no window manager moves it";
    // The server's bounding shape: 320 wide (a multiple of 4), from the top-left corner.
    EXPECT_FALSE(info.contains("No window shape defined"));
    // (xwininfo 1.1.5 says "Window shape extents", later ones "Bounding shape extents".)
    const QRegularExpression extents(
        R"((?:Window|Bounding) shape extents:\s*(\d+)x(\d+)\+(-?\d+)\+(-?\d+))");
    const QRegularExpressionMatch match = extents.match(info);
    ASSERT_TRUE(match.hasMatch()) << info.toStdString();
    EXPECT_EQ(match.captured(1).toInt(), 320);
    EXPECT_EQ(match.captured(2).toInt(), kHeight);
    EXPECT_EQ(match.captured(3).toInt(), 0);
    EXPECT_EQ(match.captured(4).toInt(), 0);

    // What the screen shows: the bitmap inside the outline, never its magenta corners, never
    // the three columns past the outline.
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, shown.x(), shown.y(), kWidth, kHeight)
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(kWidth, kHeight));
    const QRect page = popup->WebView()->geometry();
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool key = (image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
            const bool inside = x < 320 && !key;
            const bool same = shot.pixel(x, y) == image.pixel(x, y);
            if (inside && !page.contains(x, y) && !same) {
                ++wrong;
            }
            if (!inside && (same || (shot.pixel(x, y) & 0xFFFFFF) == 0xFF00FF)) {
                ++wrong;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(shot.pixel(page.right() - 2, page.bottom() - 2),
              image.pixel(page.right() - 2, page.bottom() - 2))
        << "the page shows the bitmap through";

    EXPECT_EQ(QApplication::activeWindow(), &owner) << "the popup took the keyboard";
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST_F(NotifierX11Test, ATickMovesTheWindowWithoutPaintingIt) {
    ShowOwner();
    popup = new CNotifierDialog(&owner);
    popup->Hide();
    ASSERT_TRUE(popup->SetSkin(bitmap, 255, 0, 255));
    popup->Show(3000, 1000, 300, 1); // 12 ms per step: exposed long before it stands
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->PaintCount() > 0; }, 5000));
    const int paints = popup->PaintCount();
    const int y = popup->CurrentPosition().y();
    ASSERT_TRUE(WaitUntil([&] { return popup->State() == D::kWaiting; }, 10000));
    EXPECT_LT(popup->CurrentPosition().y(), y - 100) << "it went on moving";
    EXPECT_EQ(popup->PaintCount(), paints) << "newly uncovered rows come from the backing store";
}

TEST_F(NotifierX11Test, TheExitRequestSlidesItDownAndUnmapsIt) {
    ShowOwner();
    SlideIn();
    const QPoint shown = popup->CurrentPosition();
    moves.positions.clear();
    popup->ExitRequest("TASKBUTTON_EXIT");
    ASSERT_TRUE(WaitUntil([&] { return popup->State() == D::kIdle; }, 10000));
    ExpectSteps(shown, QPoint(shown.x(), screen.height() - 40));
    EXPECT_TRUE(WindowInfo().contains("Map State: IsUnMapped"));
    EXPECT_EQ(QApplication::activeWindow(), &owner);
}

TEST_F(NotifierX11Test, WithTheTaskBarOnTheLeftItComesOutFromBehindTheScreensLeftEdge) {
    SetWorkArea(QRect(60, 0, screen.width() - 60, screen.height()));
    ShowOwner();
    SlideIn();
    const QPoint shown(60, screen.height() - kHeight);
    ExpectSteps(QPoint(60 - kWidth, shown.y()), shown);
    const QString info = WindowInfo();
    EXPECT_EQ(Number(info, "Absolute upper-left X:"), 60) << info.toStdString();
    EXPECT_EQ(Number(info, "Absolute upper-left Y:"), shown.y());
}

// As the skinned window does it, from its own show event: the owner is mapped and draws its
// first frame before the popup is made visible.
TEST_F(NotifierX11Test, ShownWhileItsOwnerIsMappedItWaitsForTheOwnersFirstFrame) {
    popup = new CNotifierDialog(&owner);
    popup->Hide();
    ASSERT_TRUE(popup->SetSkin(bitmap, 255, 0, 255));
    EventOrder order;
    owner.installEventFilter(&order);
    popup->installEventFilter(&order);
    owner.setGeometry(20, 20, 300, 120);
    owner.show();
    ASSERT_FALSE(owner.windowHandle()->isExposed());
    popup->Show(300, 1000, 300, 1);
    EXPECT_TRUE(popup->WaitingForOwner());
    EXPECT_FALSE(popup->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return popup->isVisible(); }, 5000));
    EXPECT_FALSE(popup->WaitingForOwner());
    const auto first = [&order](QObject* widget, QEvent::Type type) {
        return std::find(order.seen.begin(), order.seen.end(), std::make_pair(widget, type));
    };
    EXPECT_LT(first(&owner, QEvent::Paint), first(popup, QEvent::Show));
    ASSERT_TRUE(WaitUntil([&] { return popup->State() == D::kWaiting; }, 10000));

    // A popup hidden while it waits stays hidden.
    owner.hide();
    popup->Hide();
    owner.show();
    popup->Show(300, 1000, 300, 1);
    popup->Hide();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QTest::qWait(50);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(popup->WaitingForOwner());
}

} // namespace
} // namespace tipin::test
