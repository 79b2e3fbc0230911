#include "viewer/TiffVersionHistory.h"

#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffDocument.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

class VersionHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<TestPage> pages;
        for (std::uint32_t seed = 0; seed < 6; ++seed) {
            pages.push_back({.seed = seed});
        }
        WriteTiff(target, pages);
    }

    // A change as the window makes it, wrapped by the history.
    static void Change(TiffVersionHistory& history, const fs::path& file, int degrees = 0) {
        history.BeforeChange();
        const TiffStatus status =
            degrees == 0 ? TiffDocument::DeletePages(file, TiffPageRanges::Parse("2"))
                         : TiffDocument::RotatePages(file, TiffPageRanges::Parse("1"), degrees);
        ASSERT_TRUE(status.ok) << status.message;
        history.AfterChange();
    }

    // Descriptors of this process that lead into the test folder.
    int OpenInFolder() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            const std::string where = fs::read_symlink(entry.path(), error).string();
            count += where.rfind(folder.path().string(), 0) == 0 ? 1 : 0;
        }
        return count;
    }

    TempDir folder;
    fs::path target = folder.path() / "pages.tif";
};

TEST_F(VersionHistoryTest, UndoGivesTheBytesBackThroughTheLinkAndRedoTheChange) {
    const fs::path link = folder.path() / "link.tif";
    fs::create_symlink(target, link);
    fs::permissions(target, fs::perms(0640));
    const std::string before = ReadBytes(target);
    TiffVersionHistory history(link);
    Change(history, link);
    const std::string after = ReadBytes(target);
    ASSERT_NE(after, before);

    ASSERT_TRUE(history.Undo().ok);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_EQ(history.KeptBytes(), after.size());
    ASSERT_TRUE(history.Redo().ok);
    EXPECT_EQ(ReadBytes(target), after);
    EXPECT_FALSE(history.Redo().ok);
}

TEST_F(VersionHistoryTest, KeepsTwentyStepsAndANewChangeDropsTheRedoSteps) {
    TiffVersionHistory history(target);
    std::vector<std::string> states = {ReadBytes(target)};
    for (int step = 0; step < 22; ++step) {
        Change(history, target, 90 + 90 * (step % 2));
        states.push_back(ReadBytes(target));
    }
    ASSERT_EQ(history.UndoSteps(), TiffVersionHistory::kMaxSteps);
    for (std::size_t step = 1; step <= TiffVersionHistory::kMaxSteps; ++step) {
        ASSERT_TRUE(history.Undo().ok);
        EXPECT_EQ(ReadBytes(target), states[states.size() - 1 - step]) << step;
    }
    EXPECT_FALSE(history.Undo().ok);

    Change(history, target);
    EXPECT_EQ(history.RedoSteps(), 0u);
    ASSERT_TRUE(history.Undo().ok);
    EXPECT_EQ(ReadBytes(target), states[2]);
}

TEST_F(VersionHistoryTest, RefusesWhenAnotherProgramChangedTheFile) {
    const std::vector<std::pair<std::string, std::function<void()>>> outsideChanges = {
        {"touch",
         [&] {
             fs::last_write_time(target, fs::last_write_time(target) + std::chrono::seconds(1));
         }},
        {"append", [&] { std::ofstream(target, std::ios::app) << 'x'; }},
        {"replace", [&] { WriteBytes(target, ReadBytes(target)); }},
    };
    for (const auto& [name, change] : outsideChanges) {
        TiffVersionHistory history(target);
        Change(history, target);
        change();
        const std::string changed = ReadBytes(target);
        const TiffStatus status = history.Undo();
        EXPECT_FALSE(status.ok) << name;
        EXPECT_NE(status.message.find("changed by another program"), std::string::npos) << name;
        EXPECT_EQ(ReadBytes(target), changed) << name;
    }
}

TEST_F(VersionHistoryTest, AVersionWithAnotherNameIsCopiedAwayFromIt) {
    const fs::path other = folder.path() / "other.tif";
    fs::create_hard_link(target, other);
    const std::string before = ReadBytes(target);
    TiffVersionHistory history(target);
    Change(history, target);
    std::ofstream(other, std::ios::app) << "changed through the other name";
    ASSERT_TRUE(history.Undo().ok);
    EXPECT_EQ(ReadBytes(target), before);
}

TEST_F(VersionHistoryTest, LeavesNothingBehind) {
    {
        TiffVersionHistory history(target);
        Change(history, target);
        Change(history, target);
        ASSERT_TRUE(history.Undo().ok);
        EXPECT_GT(OpenInFolder(), 0);
    }
    EXPECT_EQ(EntryNames(folder.path()), std::vector<std::string>{"pages.tif"});
    EXPECT_EQ(OpenInFolder(), 0);
}

TEST_F(VersionHistoryTest, AFullDiskLeavesTheFileAsItWasAndTheStepsKept) {
    TiffVersionHistory history(target);
    Change(history, target);
    const std::string after = ReadBytes(target);
    const TiffStatus status = history.Undo(FullDiskAfter(100));
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find("no space left"), std::string::npos) << status.message;
    EXPECT_EQ(ReadBytes(target), after);
    EXPECT_EQ(EntryNames(folder.path()), std::vector<std::string>{"pages.tif"});
    EXPECT_TRUE(history.Undo().ok);
}

} // namespace
