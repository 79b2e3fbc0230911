// The main window under a real window manager (openbox) on the X server.
#include "app/MainDialog.h"
#include "tests/support/Corpus.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TempDir.h"
#include "viewer/TiffViewerWidget.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QPoint PlaceOnScreen(const QWidget& window) {
    const QString info = Output("xwininfo", {"-id", QString::number(window.winId())});
    const auto value = [&info](const char* label) {
        return QRegularExpression(QString(label) + R"(\s+(-?\d+))").match(info).captured(1).toInt();
    };
    return {value("Absolute upper-left X:"), value("Absolute upper-left Y:")};
}

// openbox for the length of one test; the display's work area is put back after it.
class WindowManager {
public:
    WindowManager() : m_workArea(Output("xprop", {"-root", "_NET_WORKAREA"}).section(" = ", 1)) {
        m_openbox.start("openbox", {"--sm-disable"});
        for (int i = 0; i < 100 && !Managed(); ++i) {
            QTest::qWait(50);
        }
    }
    ~WindowManager() {
        m_openbox.terminate();
        m_openbox.waitForFinished();
        Output("xprop", {"-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA",
                         m_workArea.trimmed()});
    }
    static bool Managed() {
        return Output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
    }

private:
    QString m_workArea;
    QProcess m_openbox;
};

} // namespace

TEST(MainWindowX11Test, APressOnThePageFocusesItAndTheWheelAndPageDownLeafThrough) {
    const WindowManager openbox;
    ASSERT_TRUE(WindowManager::Managed()) << "openbox did not start";
    const TempDir start;
    fs::copy_file(fs::path(TIPIN_RUN_DIR) / "Purple.skn", start.path() / "Purple.skn");
    const fs::path five = start.path() / "five.tif";
    fs::copy_file(CorpusDir() / "tiff/twelvemonkeys/fivepages-scan-causingerrors.tif", five);
    CMainDialog window;
    window.SetStartDirectory(start.path().string());
    window.SetPackageFolders({});
    window.SetPrompts(std::make_shared<FakePrompts>());
    window.OnInitDialog();
    window.OpenTarget(QString::fromStdString(five.string()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);
    auto* pages = qobject_cast<TiffViewerWidget*>(window.Viewer().Window());
    ASSERT_NE(pages, nullptr);
    const QPoint placed = PlaceOnScreen(window);
    const QPoint at = placed + pages->geometry().center();

    const auto pointer = [](const QStringList& arguments) {
        Output("xdotool", arguments);
        QTest::qWait(400);
    };
    pointer({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    pointer({"click", "5"});
    EXPECT_EQ(pages->CurrentPage(), 2) << "the wheel reaches the page";
    pointer({"key", "Next"});
    EXPECT_EQ(pages->CurrentPage(), 3) << "Page Down reaches the page";
    EXPECT_TRUE(pages->hasFocus());
    EXPECT_EQ(PlaceOnScreen(window), placed) << "the window has not moved";
}
