#include "skin/SkinDescriptionReader.h"
#include "tests/skin/SkinTestSupport.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
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

struct MappedWindow {
    QString id;
    QPoint place;
};

// The program's main window once it is mapped: the visible window of the program's size at
// `scale`, with its top-left corner.
std::optional<MappedWindow> MainWindow(qint64 pid, int scale) {
    const QStringList windows =
        Output("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : windows) {
        const QString info = Output("xwininfo", {"-id", id});
        if (info.contains(QString("Width: %1\n").arg(983 * scale)) &&
            info.contains(QString("Height: %1\n").arg(785 * scale))) {
            const auto value = [&info](const char* label) {
                const QRegularExpression pattern(QString(label) + R"(\s+(-?\d+))");
                return pattern.match(info).captured(1).toInt();
            };
            return MappedWindow{
                id, QPoint(value("Absolute upper-left X:"), value("Absolute upper-left Y:"))};
        }
    }
    return std::nullopt;
}

} // namespace

// tipin started in a run folder that holds the bundled packages, with private temporary and
// runtime folders.
class TipinProcessX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& package : BundledPackageNames()) {
            fs::copy_file(BundledPackage(package), run.path() / package);
        }
    }
    // Starts tipin at the given scale and waits for its main window; its top-left corner.
    std::optional<MappedWindow> Start(int scale = 1) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", QString::fromStdString(temporary.path().string()));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path().string()));
        environment.insert("QT_SCALE_FACTOR", QString::number(scale));
        tipin.setProcessEnvironment(environment);
        tipin.setWorkingDirectory(QString::fromStdString(run.path().string()));
        tipin.start(TIPIN_EXE, {});
        std::optional<MappedWindow> window;
        for (int i = 0; i < 300 && !window && tipin.waitForStarted(); ++i) {
            QTest::qWait(50);
            window = MainWindow(tipin.processId(), scale);
        }
        return window;
    }
    void TearDown() override {
        if (tipin.state() != QProcess::NotRunning) {
            tipin.kill();
            tipin.waitForFinished();
        }
    }

    TempDir run;
    TempDir temporary;
    TempDir runtime;
    QProcess tipin;
};

TEST_F(TipinProcessX11Test, StartsOnItsSkinLeavesNoWorkingFolderAndClosesWithZero) {
    const std::vector<std::string> packages = EntryNames(run.path());
    const std::optional<MappedWindow> window = Start();
    ASSERT_TRUE(window) << "no window mapped; " << tipin.readAllStandardError().toStdString();
    const QPoint place = window->place;
    EXPECT_EQ(EntryNames(run.path()), packages);
    EXPECT_TRUE(EntryNames(temporary.path()).empty());

    TempDir skin;
    ExtractAll(BundledPackage("Purple.skn"), skin.path());
    const SkinDescription description =
        SkinDescriptionReader((skin.path() / "Skin.ini").string()).ReadAll();
    const auto close = std::find_if(description.buttons.begin(), description.buttons.end(),
                                    [](const ButtonRecord& b) { return b.name == "BUTTON_CLOSE"; });
    ASSERT_NE(close, description.buttons.end());
    const QPoint at = place + QPoint((close->rect.left + close->rect.right) / 2,
                                     (close->rect.top + close->rect.bottom) / 2);
    Output("xdotool",
           {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    ASSERT_TRUE(tipin.waitForFinished(15000));
    EXPECT_EQ(tipin.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tipin.exitCode(), 0) << tipin.readAllStandardError().toStdString();
}

// At twice the scale the window, its outline and its bitmaps are doubled pixel for pixel.
TEST_F(TipinProcessX11Test, AtScaleTwoTheSkinIsDoubledWithSharpEdges) {
    const std::optional<MappedWindow> window = Start(2);
    ASSERT_TRUE(window) << "no doubled window; " << tipin.readAllStandardError().toStdString();
    QTest::qWait(300);
    EXPECT_TRUE(Output("xwininfo", {"-shape", "-id", window->id})
                    .contains("Window shape extents:  1966x1570+0+0"))
        << "the outline is doubled with the window";
    TempDir skin;
    ExtractAll(BundledPackage("Purple.skn"), skin.path());
    const QImage back(QString::fromStdString((skin.path() / "back.bmp").string()));
    ASSERT_FALSE(back.isNull());
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    // The window's left border, right of any control: skin pixels only.
    int compared = 0;
    for (int y = 70; y < 400; y += 3) {
        for (int x = 0; x < 20; ++x) {
            const QPoint at = window->place + QPoint(2 * x, 2 * y);
            if (!screen.rect().contains(at + QPoint(1, 1))) {
                continue;
            }
            const QRgb skinPixel = back.pixel(x, y) & 0xFFFFFF;
            if (skinPixel == 0xFF00FF) {
                EXPECT_NE(screen.pixel(at) & 0xFFFFFF, 0xFF00FFu)
                    << "cut away at " << x << "," << y;
                continue;
            }
            for (const QPoint& d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                EXPECT_EQ(screen.pixel(at + d) & 0xFFFFFF, skinPixel) << x << "," << y;
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 200);
}
