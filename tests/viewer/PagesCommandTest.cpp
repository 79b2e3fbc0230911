#include "tools/tipin-pages/PagesCommand.h"

#include "tests/support/PagesRun.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A failure or usage error says one line on stderr and nothing on stdout.
void ExpectOneLineError(const Outcome& outcome, int code) {
    EXPECT_EQ(outcome.code, code);
    EXPECT_EQ(Lines(outcome.err), 1u) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("tipin-pages: ", 0), 0u) << outcome.err;
    EXPECT_TRUE(outcome.out.empty()) << outcome.out;
}

class PagesCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTiff(target, {TestPage{.width = 10}, TestPage{.width = 11, .compression = 8},
                           TestPage{.width = 12, .tileSize = 16}});
        WriteTiff(source, {TestPage{.width = 20, .height = 40, .seed = 5}});
    }
    TempDir dir;
    fs::path target = dir.path() / "target.tif";
    fs::path source = dir.path() / "source.tif";
};

TEST_F(PagesCommandTest, HelpSucceedsAndNamesEveryCommand) {
    for (const std::string flag : {"--help", "-h"}) {
        const Outcome outcome = RunPages({flag});
        EXPECT_EQ(outcome.code, PagesCommand::kSuccess);
        for (const std::string command : {"count", "info", "insert", "render", "delete", "move",
                                          "rotate", "extract", "split", "cat"}) {
            EXPECT_NE(outcome.out.find("tipin-pages " + command), std::string::npos) << command;
        }
        EXPECT_TRUE(outcome.err.empty());
    }
}

TEST_F(PagesCommandTest, UsageErrorsExitWithTwo) {
    const std::string file = target.string();
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"split", file},
        {"count"},
        {"count", file, file},
        {"info"},
        {"insert", file, "2"},
        {"insert", file, "two", file},
        {"insert", file, "2x", file},
        {"render", file, "1"},
        {"render", file, "first", "out.png"},
        {"render", file, "1", "out.png", "--fit"},
        {"render", file, "1", "out.png", "--fit", "800"},
        {"render", file, "1", "out.png", "--fit", "0x100"},
        {"delete", file},
        {"delete", file, "1,,2"},
        {"delete", file, "0"},
        {"delete", file, "4"},
        {"move", file, "1", "x"},
        {"move", file, "2,2", "1"},
        {"rotate", file, "1", "45"},
        {"rotate", file, "z-9", "90"},
        {"extract", file, "1"},
        {"extract", file, "1", file},
        {"cat", file},
    };
    for (const auto& arguments : wrong) {
        SCOPED_TRACE(arguments.empty() ? "(none)" : arguments[0]);
        ExpectOneLineError(RunPages(arguments), PagesCommand::kUsageError);
    }
}

TEST_F(PagesCommandTest, CountAndInfoDescribeEveryPage) {
    const Outcome count = RunPages({"count", target.string()});
    EXPECT_EQ(count.code, PagesCommand::kSuccess);
    EXPECT_EQ(count.out, "3\n");
    const Outcome info = RunPages({"info", target.string()});
    EXPECT_EQ(info.code, PagesCommand::kSuccess);
    ASSERT_EQ(Lines(info.out), 3u) << info.out;
    EXPECT_NE(info.out.find("page 1: 10x12, 8 bits x 1, photometric 1 (min-is-black), "
                            "compression 1 (none), 3 strips"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("page 2: 11x12, 8 bits x 1, photometric 1 (min-is-black), "
                            "compression 8 (Deflate)"),
              std::string::npos);
    EXPECT_NE(info.out.find("page 3: 12x12"), std::string::npos);
    EXPECT_NE(info.out.find("1 tiles"), std::string::npos);
}

TEST_F(PagesCommandTest, CountAndInfoOfWhatIsNoTiffFailWithOneLine) {
    const fs::path text = dir.path() / "notes.tif";
    WriteBytes(text, "just some words, no pictures");
    for (const std::string command : {"count", "info"}) {
        SCOPED_TRACE(command);
        ExpectOneLineError(RunPages({command, text.string()}), PagesCommand::kFailure);
        ExpectOneLineError(RunPages({command, (dir.path() / "missing.tif").string()}),
                           PagesCommand::kFailure);
    }
}

TEST_F(PagesCommandTest, InsertPutsTheSourcePagesAtThePosition) {
    const Outcome outcome = RunPages({"insert", target.string(), "2", source.string()});
    EXPECT_EQ(outcome.code, PagesCommand::kSuccess) << outcome.err;
    EXPECT_TRUE(outcome.err.empty());
    ASSERT_EQ(LibtiffPageCount(target), 4);
    EXPECT_EQ(PageWidth(target, 0), 10u);
    EXPECT_EQ(PageWidth(target, 1), 20u);
    EXPECT_EQ(PageWidth(target, 2), 11u);
}

TEST_F(PagesCommandTest, AFailedInsertLeavesTheTargetAndSaysWhy) {
    const std::string before = ReadBytes(target);
    const Outcome outside = RunPages({"insert", target.string(), "5", source.string()});
    ExpectOneLineError(outside, PagesCommand::kFailure);
    EXPECT_NE(outside.err.find("outside 1 to 4"), std::string::npos) << outside.err;
    ExpectOneLineError(
        RunPages({"insert", target.string(), "1", (dir.path() / "none.tif").string()}),
        PagesCommand::kFailure);
    EXPECT_TRUE(ReadBytes(target) == before);
}

TEST_F(PagesCommandTest, InsertIntoASymbolicLinkChangesTheFileItLeadsTo) {
    fs::create_directories(dir.path() / "docs");
    const fs::path real = dir.path() / "docs" / "doc.tif";
    fs::rename(target, real);
    const fs::path link = dir.path() / "link.tif";
    fs::create_symlink("docs/doc.tif", link);
    const Outcome outcome = RunPages({"insert", link.string(), "2", source.string()});
    EXPECT_EQ(outcome.code, PagesCommand::kSuccess) << outcome.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "docs/doc.tif");
    ASSERT_EQ(LibtiffPageCount(real), 4);
    EXPECT_EQ(PageWidth(real, 1), 20u);

    const fs::path dangling = dir.path() / "dangling.tif";
    fs::create_symlink("gone.tif", dangling);
    const Outcome failed = RunPages({"insert", dangling.string(), "1", source.string()});
    ExpectOneLineError(failed, PagesCommand::kFailure);
    EXPECT_NE(failed.err.find("leads to gone.tif, which does not exist"), std::string::npos)
        << failed.err;
    EXPECT_FALSE(fs::exists(dir.path() / "gone.tif"));
    EXPECT_TRUE(fs::is_symlink(dangling));
}

TEST_F(PagesCommandTest, PageCommandsSucceedOrRefuseWithOne) {
    const std::string file = target.string();
    const std::string out = (dir.path() / "out.tif").string();
    const Outcome catted = RunPages({"cat", out, file, "z-2", source.string(), file, "1"});
    EXPECT_EQ(catted.code, PagesCommand::kSuccess) << catted.err;
    ASSERT_EQ(LibtiffPageCount(out), 4);
    EXPECT_EQ(PageWidth(out, 0), 12u);
    EXPECT_EQ(PageWidth(out, 2), 20u);
    EXPECT_EQ(PageWidth(out, 3), 10u);
    EXPECT_EQ(RunPages({"extract", out, "3", file}).code, PagesCommand::kSuccess);
    EXPECT_EQ(RunPages({"cat", out, file, file}).code, PagesCommand::kSuccess);
    EXPECT_EQ(RunPages({"move", out, "1", "2"}).code, PagesCommand::kSuccess);
    EXPECT_EQ(RunPages({"rotate", out, "1-2", "270"}).code, PagesCommand::kSuccess);
    EXPECT_EQ(RunPages({"delete", out, "1"}).code, PagesCommand::kSuccess);
    EXPECT_EQ(PageWidth(out, 0), 40u); // source turned a quarter
    const fs::path folder = dir.path() / "pages";
    fs::create_directories(folder);
    EXPECT_EQ(RunPages({"split", out, folder.string()}).code, PagesCommand::kSuccess);
    EXPECT_EQ(EntryNames(folder), std::vector<std::string>{"out-001.tif"});

    const Outcome all = RunPages({"delete", out, "1-z"});
    ExpectOneLineError(all, PagesCommand::kFailure);
    WriteTiff(source, {TestPage{.height = 16, .compression = 7, .rowsPerStrip = 8}});
    const Outcome jpeg = RunPages({"rotate", source.string(), "1", "90"});
    ExpectOneLineError(jpeg, PagesCommand::kFailure);
    EXPECT_NE(jpeg.err.find("JPEG"), std::string::npos) << jpeg.err;
    ExpectOneLineError(RunPages({"split", out, folder.string()}), PagesCommand::kFailure);
}

TEST_F(PagesCommandTest, RenderWritesAFittedPng) {
    const fs::path png = dir.path() / "page.png";
    const Outcome fitted =
        RunPages({"render", source.string(), "1", png.string(), "--fit", "100x100"});
    EXPECT_EQ(fitted.code, PagesCommand::kSuccess) << fitted.err;
    EXPECT_EQ(QImage(QString::fromStdString(png.string())).size(), QSize(50, 100));
    const Outcome natural = RunPages({"render", source.string(), "1", png.string()});
    EXPECT_EQ(natural.code, PagesCommand::kSuccess) << natural.err;
    EXPECT_EQ(QImage(QString::fromStdString(png.string())).size(), QSize(20, 40));
}

TEST_F(PagesCommandTest, RenderFailuresSayOneLine) {
    const fs::path png = dir.path() / "page.png";
    const Outcome missingPage = RunPages({"render", target.string(), "7", png.string()});
    ExpectOneLineError(missingPage, PagesCommand::kFailure);
    EXPECT_NE(missingPage.err.find("Page 7 does not exist: the file has 3 pages"),
              std::string::npos)
        << missingPage.err;
    const std::string unwritable = (dir.path() / "no-folder" / "page.png").string();
    const Outcome cannotWrite = RunPages({"render", target.string(), "1", unwritable});
    ExpectOneLineError(cannotWrite, PagesCommand::kFailure);
    EXPECT_NE(cannotWrite.err.find("Cannot write " + unwritable + ": "), std::string::npos)
        << cannotWrite.err;
    EXPECT_FALSE(fs::exists(png));
}

} // namespace
