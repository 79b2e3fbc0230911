#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode;
    QString out;
    QString err;
};

// Runs tipin with no display of any kind.
Result RunWithoutDisplay(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    QProcess tipin;
    tipin.setProcessEnvironment(environment);
    tipin.start(TIPIN_EXE, arguments);
    tipin.waitForFinished(30000);
    return {tipin.exitCode(), QString::fromLocal8Bit(tipin.readAllStandardOutput()),
            QString::fromLocal8Bit(tipin.readAllStandardError())};
}

} // namespace

TEST(TipinCommandLineTest, HelpAndVersionNeedNoDisplay) {
    const Result help = RunWithoutDisplay({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("usage: tipin [FILE]"));
    const Result version = RunWithoutDisplay({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QString("tipin %1\n").arg(TIPIN_VERSION));
}

TEST(TipinCommandLineTest, WithoutADisplayItSaysSoInOneLineAndFails) {
    const Result run = RunWithoutDisplay({});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(run.err.startsWith("tipin: no display")) << run.err.toStdString();
    EXPECT_EQ(RunWithoutDisplay({"--frobnicate"}).exitCode, 2);
}
