#include "tests/support/Corpus.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffDocument.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

constexpr int kTargetPages = 3;

fs::path CorpusTiff() {
    return CorpusDir() / "tiff";
}

// A small multi-page target; the corpus files are inserted into copies of it.
fs::path MakeTarget(const TempDir& dir) {
    const fs::path target = dir.path() / "target.tif";
    WriteTiff(target, {TestPage{.width = 9, .seed = 1},
                       TestPage{.width = 10, .samples = 3, .compression = 8, .seed = 2},
                       TestPage{.width = 11, .compression = 5, .seed = 3}});
    return target;
}

void InsertAndCompare(const fs::path& source, int pages, int position) {
    SCOPED_TRACE("position " + std::to_string(position));
    TempDir dir;
    const fs::path target = MakeTarget(dir);
    const fs::path pristine = dir.path() / "pristine.tif";
    fs::copy_file(target, pristine);
    const TiffStatus status = TiffDocument::InsertPages(target, position, source);
    ASSERT_TRUE(status.ok) << status.message;
    ASSERT_EQ(LibtiffPageCount(target), kTargetPages + pages);
    for (int page = 0; page < pages; ++page) {
        ExpectSamePage(source, page, target, position - 1 + page);
    }
    for (int page = 0; page < kTargetPages; ++page) {
        const int moved = page < position - 1 ? page : page + pages;
        EXPECT_TRUE(RawStriles(pristine, page) == RawStriles(target, moved));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

class WellFormedCorpus : public ::testing::TestWithParam<std::string> {
protected:
    std::vector<fs::path> Files() const {
        const auto files = FilesUnder(CorpusTiff() / GetParam());
        EXPECT_FALSE(files.empty());
        return files;
    }
};

TEST_P(WellFormedCorpus, CountsAndRendersEveryFile) {
    for (const fs::path& file : Files()) {
        SCOPED_TRACE(file.string());
        const PageCountResult count = TiffDocument::CountPages(file);
        ASSERT_TRUE(count.status.ok) << count.status.message;
        EXPECT_EQ(count.pageCount, LibtiffPageCount(file));
        for (int page = 1; page <= count.pageCount; ++page) {
            const RenderResult shown = TiffDocument::RenderPage(file, page, 64, 80);
            if (shown.status.ok) {
                EXPECT_LE(shown.image.width, 64);
                EXPECT_LE(shown.image.height, 80);
                EXPECT_TRUE(shown.image.width == 64 || shown.image.height == 80);
            } else {
                EXPECT_FALSE(shown.status.message.empty());
            }
        }
    }
}

TEST_P(WellFormedCorpus, InsertsEveryFileLosslesslyAtFrontMiddleAndEnd) {
    for (const fs::path& file : Files()) {
        SCOPED_TRACE(file.string());
        const int pages = LibtiffPageCount(file);
        for (const int position : {1, 2, kTargetPages + 1}) {
            InsertAndCompare(file, pages, position);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, WellFormedCorpus,
                         ::testing::Values("golang-image", "image-tiff", "libtiff", "libtiff.net",
                                           "libtiffpic", "pillow", "twelvemonkeys"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::erase_if(name, [](char c) { return !std::isalnum(c); });
                             return name;
                         });

// Their structure is sound and only their compressed data is damaged. Insertion copies data
// without decoding it, so they travel byte for byte: no worse than they were, nothing lost.
const std::set<std::string> kDamagedInsideStrips = {
    "testfax3_bug_513.tiff", "tiff_wrong_bits_per_sample_3.tiff",   "ccitt-too-many-changes.tif",
    "ccitt_tolessrows.tif",  "incorrect-compression-rle-as-g3.tif", "lzw-buffer-overflow.tif"};

std::vector<fs::path> MalformedFiles(bool damagedInsideStrips) {
    std::vector<fs::path> chosen;
    for (const fs::path& file : FilesUnder(CorpusTiff() / "malformed")) {
        if (kDamagedInsideStrips.count(file.filename().string()) ==
            (damagedInsideStrips ? 1u : 0u)) {
            chosen.push_back(file);
        }
    }
    return chosen;
}

TEST(MalformedCorpus, EveryFileLeavesTheTargetUnchangedAsSourceOrTarget) {
    const auto files = MalformedFiles(false);
    ASSERT_EQ(files.size(), 51u - kDamagedInsideStrips.size());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        TempDir dir;
        const fs::path target = MakeTarget(dir);
        const std::string before = ReadBytes(target);
        EXPECT_FALSE(TiffDocument::InsertPages(target, 2, file).ok);
        EXPECT_TRUE(ReadBytes(target) == before) << "target changed";
        const fs::path broken = dir.path() / "broken.tif";
        fs::copy_file(file, broken);
        const std::string brokenBefore = ReadBytes(broken);
        EXPECT_FALSE(TiffDocument::InsertPages(broken, 1, target).ok);
        EXPECT_TRUE(ReadBytes(broken) == brokenBefore) << "target changed";
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
    }
}

TEST(MalformedCorpus, DamageInsideStripsTravelsByteForByte) {
    const auto files = MalformedFiles(true);
    ASSERT_EQ(files.size(), kDamagedInsideStrips.size());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        TempDir dir;
        const fs::path target = MakeTarget(dir);
        const TiffStatus asSource = TiffDocument::InsertPages(target, 2, file);
        ASSERT_TRUE(asSource.ok) << asSource.message;
        EXPECT_TRUE(RawStriles(file, 0) == RawStriles(target, 1));
        const fs::path damaged = dir.path() / "damaged.tif";
        fs::copy_file(file, damaged);
        const TiffStatus asTarget = TiffDocument::InsertPages(damaged, 2, target);
        ASSERT_TRUE(asTarget.ok) << asTarget.message;
        EXPECT_TRUE(RawStriles(file, 0) == RawStriles(damaged, 0));
    }
}

TEST(MalformedCorpus, EveryFileCountsAndRendersWithoutHarm) {
    for (const fs::path& file : FilesUnder(CorpusTiff() / "malformed")) {
        SCOPED_TRACE(file.string());
        const PageCountResult count = TiffDocument::CountPages(file);
        if (!count.status.ok) {
            EXPECT_EQ(count.pageCount, 0);
            EXPECT_FALSE(count.status.message.empty());
        }
        const RenderResult shown = TiffDocument::RenderPage(file, 1, 64, 80);
        EXPECT_EQ(shown.status.ok, !shown.image.pixels.empty());
    }
}

} // namespace
