// The page operations against corpus files of every compression: each page of a result is
// the page it came from, pixel for pixel, byte for byte and tag for tag.
#include "tests/support/Corpus.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffDocument.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

struct Origin {
    fs::path file;
    int page;
};

// G3 (fill order 2 too), G4 over several pages, LZW, Deflate in strips and tiles, PackBits,
// none, JPEG, big-endian, sub-IFDs and EXIF/GPS directories.
const std::vector<std::string> kMixed = {"libtiffpic/fax2d.tif",
                                         "twelvemonkeys/group3_2d_lsb2msb.tif",
                                         "pillow/g4-multi.tiff",
                                         "libtiffpic/oxford.tif",
                                         "golang-image/video-001-tile-64x64.tiff",
                                         "image-tiff/seq/seq-1c-8b-deflate-20f3db0c.tiff",
                                         "twelvemonkeys/sm_colors_pb.tif",
                                         "libtiff/palette-1c-4b.tiff",
                                         "libtiff/quad-tile.jpg.tiff",
                                         "libtiff.net/gray8-packbits-be.tif",
                                         "libtiff/tiff_with_subifd_chain.tif",
                                         "libtiff/custom_dir_EXIF_GPS.tiff"};

class PageOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<TiffCatPart> parts;
        for (const std::string& name : kMixed) {
            const fs::path file = CorpusDir() / "tiff" / name;
            parts.push_back({file.string()});
            for (int page = 0; page < LibtiffPageCount(file); ++page) {
                origins.push_back({file, page});
            }
        }
        const TiffStatus status = TiffDocument::CatPages(mixed, parts);
        ASSERT_TRUE(status.ok) << status.message;
    }

    // The pages of `result` are `expected`, in this order.
    static void ExpectPages(const fs::path& result, const std::vector<Origin>& expected) {
        ASSERT_EQ(LibtiffPageCount(result), int(expected.size()));
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ExpectSamePage(expected[i].file, expected[i].page, result, int(i));
            ExpectSameTags(expected[i].file, expected[i].page, result, int(i));
        }
    }

    std::vector<Origin> Pick(const std::vector<int>& pages) const {
        std::vector<Origin> picked;
        for (const int page : pages) {
            picked.push_back(origins[page - 1]);
        }
        return picked;
    }

    TempDir dir;
    fs::path mixed = dir.path() / "mixed.tif";
    std::vector<Origin> origins;
};

TEST_F(PageOperationsTest, CatJoinsEveryPageAsItWas) {
    ExpectPages(mixed, origins);
    const fs::path twice = dir.path() / "twice.tif";
    const fs::path g4 = CorpusDir() / "tiff/pillow/g4-multi.tiff";
    ASSERT_TRUE(TiffDocument::CatPages(twice, {{g4.string(), TiffPageRanges::Parse("z-1")},
                                               {mixed.string(), TiffPageRanges::Parse("1")}})
                    .ok);
    ExpectPages(twice, {{g4, 2}, {g4, 1}, {g4, 0}, origins[0]});
}

TEST_F(PageOperationsTest, DeleteMoveAndExtractKeepEveryOtherPage) {
    const int count = int(origins.size());
    const fs::path copy = dir.path() / "copy.tif";
    fs::copy_file(mixed, copy);
    ASSERT_TRUE(TiffDocument::DeletePages(copy, TiffPageRanges::Parse("2,4-6,z")).ok);
    std::vector<int> kept = {1, 3};
    for (int page = 7; page < count; ++page) {
        kept.push_back(page);
    }
    ExpectPages(copy, Pick(kept));

    fs::copy_file(mixed, copy, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(TiffDocument::MovePages(copy, TiffPageRanges::Parse("z,1"), 3).ok);
    std::vector<int> moved = {2, 3, count, 1};
    for (int page = 4; page < count; ++page) {
        moved.push_back(page);
    }
    ExpectPages(copy, Pick(moved));

    const fs::path out = dir.path() / "out.tif";
    ASSERT_TRUE(TiffDocument::ExtractPages(mixed, TiffPageRanges::Parse("5-2,9"), out).ok);
    ExpectPages(out, Pick({5, 4, 3, 2, 9}));
}

TEST_F(PageOperationsTest, SplitWritesOneFilePerPage) {
    const fs::path folder = dir.path() / "pages";
    fs::create_directories(folder);
    ASSERT_TRUE(TiffDocument::SplitPages(mixed, folder).ok);
    ASSERT_EQ(EntryNames(folder).size(), origins.size());
    for (std::size_t i = 0; i < origins.size(); ++i) {
        const fs::path page = folder / TiffPageOperations::SplitName(mixed, i, origins.size());
        ExpectPages(page, {origins[i]});
    }
    EXPECT_EQ(EntryNames(folder).front(), "mixed-001.tif");
    EXPECT_EQ(TiffPageOperations::SplitName("/a/scan.batch.tif", 41, 1200), "scan.batch-0042.tif");
}

TEST_F(PageOperationsTest, RefusalsLeaveEveryFileAsItWas) {
    const std::string before = ReadBytes(mixed);
    const fs::path folder = dir.path() / "pages";
    fs::create_directories(folder);
    WriteBytes(folder / "mixed-004.tif", "taken");
    const std::string out = (dir.path() / "out.tif").string();
    fs::create_symlink("mixed.tif", dir.path() / "link.tif");
    struct Refusal {
        std::string what;
        TiffStatus status;
        bool badRequest;
        std::string message;
    };
    const std::vector<Refusal> refusals = {
        {"delete all", TiffDocument::DeletePages(mixed, TiffPageRanges::Parse("z-1")), false,
         "Deleting every page would leave no file"},
        {"delete past the end", TiffDocument::DeletePages(mixed, TiffPageRanges::Parse("99")), true,
         "page 99 is past the end: the file has " + std::to_string(origins.size()) + " pages"},
        {"move twice", TiffDocument::MovePages(mixed, TiffPageRanges::Parse("2,2"), 1), true,
         "a page to move is named twice"},
        {"move outside", TiffDocument::MovePages(mixed, TiffPageRanges::Parse("1-2"), 99), false,
         "Position 99 is outside 1 to " + std::to_string(origins.size() - 1)},
        {"rotate 45", TiffDocument::RotatePages(mixed, TiffPageRanges::Parse("1"), 45), true,
         "pages turn by 90, 180 or 270 degrees, not 45"},
        {"extract onto itself",
         TiffDocument::ExtractPages(mixed, TiffPageRanges::Parse("1"), dir.path() / "link.tif"),
         true, "the output " + (dir.path() / "link.tif").string() + " is the source file"},
        {"split onto a taken name", TiffDocument::SplitPages(mixed, folder), false,
         (folder / "mixed-004.tif").string() + " already exists; nothing was written"},
        {"cat of a missing file", TiffDocument::CatPages(out, {{mixed}, {out}}), false, ""},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        EXPECT_FALSE(refusal.status.ok);
        EXPECT_EQ(refusal.status.badRequest, refusal.badRequest);
        if (!refusal.message.empty()) {
            EXPECT_EQ(refusal.status.message, refusal.message);
        }
    }
    EXPECT_TRUE(ReadBytes(mixed) == before);
    EXPECT_EQ(EntryNames(dir.path()), (std::vector<std::string>{"link.tif", "mixed.tif", "pages"}));
    EXPECT_EQ(EntryNames(folder), std::vector<std::string>{"mixed-004.tif"});
}

TEST_F(PageOperationsTest, AFullDiskLeavesTheTargetByteForByte) {
    const std::string before = ReadBytes(mixed);
    const std::uint64_t size = before.size();
    for (const std::uint64_t limit :
         {std::uint64_t(0), std::uint64_t(9), size / 2, size * 9 / 10}) {
        SCOPED_TRACE("fails after " + std::to_string(limit) + " bytes");
        const auto full = FullDiskAfter(limit);
        for (const TiffStatus& status :
             {TiffDocument::DeletePages(mixed, TiffPageRanges::Parse("3"), full),
              TiffDocument::RotatePages(mixed, TiffPageRanges::Parse("1-3"), 90, full)}) {
            EXPECT_FALSE(status.ok);
            EXPECT_NE(status.message.find("no space left"), std::string::npos) << status.message;
            EXPECT_TRUE(ReadBytes(mixed) == before);
            EXPECT_EQ(EntryNames(dir.path()), std::vector<std::string>{"mixed.tif"});
        }
    }
}

TEST_F(PageOperationsTest, ProgressCountsEveryPageAndCancelChangesNothing) {
    const std::string before = ReadBytes(mixed);
    std::size_t last = 0;
    std::size_t total = 0;
    const fs::path folder = dir.path() / "pages";
    fs::create_directories(folder);
    ASSERT_TRUE(TiffDocument::SplitPages(mixed, folder, {}, [&](std::size_t done, std::size_t all) {
                    last = done;
                    total = all;
                    return true;
                }).ok);
    EXPECT_EQ(last, origins.size());
    EXPECT_EQ(total, origins.size());
    const TiffStatus cancelled =
        TiffDocument::DeletePages(mixed, TiffPageRanges::Parse("1"), {},
                                  [](std::size_t done, std::size_t) { return done < 3; });
    EXPECT_EQ(cancelled.message, TiffPageOperations::kCancelled);
    EXPECT_TRUE(ReadBytes(mixed) == before);
}

// A page libtiff refuses (RowsPerStrip 0) does not block editing the file it is in and stays
// as it was; a file made for someone else still has its pages read by libtiff.
TEST(PageOperationsOwnPagesTest, InPlaceEditsKeepAPageLibtiffRefuses) {
    TempDir dir;
    const fs::path file = dir.path() / "quirk.tif";
    WriteTiff(file, {TestPage{}, TestPage{.rowsPerStrip = 12, .seed = 1}, TestPage{.seed = 2}});
    const std::string twelveRows("\x16\x01\x03\x00\x01\x00\x00\x00\x0c\x00\x00\x00", 12);
    const std::string zeroRows("\x16\x01\x03\x00\x01\x00\x00\x00\x00\x00\x00\x00", 12);
    std::string bytes = ReadBytes(file);
    const std::size_t entry = bytes.find(twelveRows);
    ASSERT_NE(entry, std::string::npos);
    bytes.replace(entry, zeroRows.size(), zeroRows);
    WriteBytes(file, bytes);

    EXPECT_TRUE(TiffDocument::DeletePages(file, TiffPageRanges::Parse("3")).ok);
    EXPECT_TRUE(TiffDocument::MovePages(file, TiffPageRanges::Parse("2"), 1).ok);
    EXPECT_TRUE(TiffDocument::RotatePages(file, TiffPageRanges::Parse("2"), 180).ok);
    EXPECT_NE(ReadBytes(file).find(zeroRows), std::string::npos);
    const TiffStatus extracted =
        TiffDocument::ExtractPages(file, TiffPageRanges::Parse("1"), dir.path() / "out.tif");
    EXPECT_FALSE(extracted.ok);
    EXPECT_NE(extracted.message.find("RowsPerStrip"), std::string::npos) << extracted.message;
}

} // namespace
