#include "skin/SkinDescriptionReader.h"
#include "tests/skin/SkinTestSupport.h"

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

// The top-left corner of the program's main window once it is mapped: the visible window
// of the program's size.
std::optional<QPoint> MainWindowPlace(qint64 pid) {
    const QStringList windows =
        Output("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : windows) {
        const QString info = Output("xwininfo", {"-id", id});
        if (info.contains("Width: 983") && info.contains("Height: 785")) {
            const auto value = [&info](const char* label) {
                const QRegularExpression pattern(QString(label) + R"(\s+(-?\d+))");
                return pattern.match(info).captured(1).toInt();
            };
            return QPoint(value("Absolute upper-left X:"), value("Absolute upper-left Y:"));
        }
    }
    return std::nullopt;
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(TipinProcessX11Test, StartsOnItsSkinLeavesNoWorkingFolderAndClosesWithZero) {
    TempDir run;
    TempDir temporary;
    TempDir runtime;
    for (const std::string& package : BundledPackageNames()) {
        fs::copy_file(BundledPackage(package), run.path() / package);
    }
    const std::vector<std::string> packages = Entries(run.path());

    QProcess tipin;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", QString::fromStdString(temporary.path().string()));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path().string()));
    tipin.setProcessEnvironment(environment);
    tipin.setWorkingDirectory(QString::fromStdString(run.path().string()));
    tipin.start(TIPIN_EXE, {});
    ASSERT_TRUE(tipin.waitForStarted());

    std::optional<QPoint> place;
    for (int i = 0; i < 300 && !place; ++i) {
        QTest::qWait(50);
        place = MainWindowPlace(tipin.processId());
    }
    ASSERT_TRUE(place) << "no window mapped; " << tipin.readAllStandardError().toStdString();
    EXPECT_EQ(Entries(run.path()), packages);
    EXPECT_TRUE(Entries(temporary.path()).empty());

    TempDir skin;
    ExtractAll(BundledPackage("Purple.skn"), skin.path());
    const SkinDescription description =
        SkinDescriptionReader((skin.path() / "Skin.ini").string()).ReadAll();
    const auto close = std::find_if(description.buttons.begin(), description.buttons.end(),
                                    [](const ButtonRecord& b) { return b.name == "BUTTON_CLOSE"; });
    ASSERT_NE(close, description.buttons.end());
    const QPoint at = *place + QPoint((close->rect.left + close->rect.right) / 2,
                                      (close->rect.top + close->rect.bottom) / 2);
    Output("xdotool",
           {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    ASSERT_TRUE(tipin.waitForFinished(15000));
    EXPECT_EQ(tipin.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tipin.exitCode(), 0) << tipin.readAllStandardError().toStdString();
}
