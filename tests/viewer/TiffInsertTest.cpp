#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffDocument.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

// Pages are told apart by their widths: the target's are 10, 11, 12, the source's 20, 21.
std::vector<TestPage> Pages(std::uint32_t firstWidth, int count, TestPage base = {}) {
    std::vector<TestPage> pages;
    for (int i = 0; i < count; ++i) {
        TestPage page = base;
        page.width = firstWidth + i;
        page.seed = firstWidth + i;
        pages.push_back(page);
    }
    return pages;
}

std::vector<std::uint32_t> Widths(const fs::path& path) {
    std::vector<std::uint32_t> widths;
    for (int i = 0; i < LibtiffPageCount(path); ++i) {
        widths.push_back(PageWidth(path, i));
    }
    return widths;
}

// Offset of the entry for `tag` in the first directory of a little-endian classic file, or 0.
std::uint64_t FirstPageEntry(const std::string& bytes, std::uint16_t wanted) {
    std::uint32_t ifd = 0;
    std::memcpy(&ifd, bytes.data() + 4, 4);
    std::uint16_t count = 0;
    std::memcpy(&count, bytes.data() + ifd, 2);
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint16_t tag = 0;
        std::memcpy(&tag, bytes.data() + ifd + 2 + i * 12, 2);
        if (tag == wanted) {
            return std::uint64_t(ifd + 2 + i * 12);
        }
    }
    return 0;
}

std::size_t FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

class InsertTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTiff(target, Pages(10, 3));
        WriteTiff(source, Pages(20, 2));
    }
    TempDir dir;
    fs::path target = dir.path() / "target.tif";
    fs::path source = dir.path() / "source.tif";
};

TEST_F(InsertTest, FirstInsertedPageBecomesPagePosition) {
    const std::vector<std::vector<std::uint32_t>> expected = {
        {20, 21, 10, 11, 12}, {10, 20, 21, 11, 12}, {10, 11, 20, 21, 12}, {10, 11, 12, 20, 21}};
    for (int position = 1; position <= 4; ++position) {
        WriteTiff(target, Pages(10, 3));
        const TiffStatus status = TiffDocument::InsertPages(target, position, source);
        ASSERT_TRUE(status.ok) << status.message;
        EXPECT_EQ(Widths(target), expected[position - 1]) << "position " << position;
    }
}

TEST_F(InsertTest, PositionsOutsideOneToPagesPlusOneAreRefusedAndNothingIsWritten) {
    const std::string before = ReadBytes(target);
    for (const int position : {0, -1, 5, 32767, -32768}) {
        const TiffStatus status = TiffDocument::InsertPages(target, position, source);
        EXPECT_FALSE(status.ok);
        EXPECT_EQ(status.message, "Position " + std::to_string(position) + " is outside 1 to 4");
        EXPECT_TRUE(ReadBytes(target) == before);
        EXPECT_EQ(FilesIn(dir.path()), 2u);
    }
}

TEST_F(InsertTest, InsertedPagesKeepTheirPixelsAndStoredBytes) {
    WriteTiff(source, {TestPage{.width = 33, .height = 17, .samples = 3, .compression = 5},
                       TestPage{.width = 40, .height = 40, .compression = 8, .tileSize = 16}});
    ASSERT_TRUE(TiffDocument::InsertPages(target, 2, source).ok);
    for (int page = 0; page < 2; ++page) {
        EXPECT_TRUE(DecodeRgba(source, page) == DecodeRgba(target, page + 1));
        EXPECT_TRUE(RawStriles(source, page) == RawStriles(target, page + 1));
    }
}

TEST_F(InsertTest, InsertingAFileIntoItselfDoublesItsPages) {
    ASSERT_TRUE(TiffDocument::InsertPages(target, 2, target).ok);
    EXPECT_EQ(Widths(target), (std::vector<std::uint32_t>{10, 10, 11, 12, 11, 12}));
}

TEST_F(InsertTest, PageNumbersAreRewrittenToTheNewOrder) {
    WriteTiff(source, Pages(20, 2, TestPage{.pageNumber = true}));
    ASSERT_TRUE(TiffDocument::InsertPages(target, 3, source).ok);
    TIFF* tif = TIFFOpen(target.c_str(), "r");
    ASSERT_NE(tif, nullptr);
    for (std::uint16_t page : {2, 3}) {
        TIFFSetDirectory(tif, page);
        std::uint16_t number = 0;
        std::uint16_t total = 0;
        ASSERT_TRUE(TIFFGetField(tif, TIFFTAG_PAGENUMBER, &number, &total));
        EXPECT_EQ(number, page);
        EXPECT_EQ(total, 5);
    }
    TIFFClose(tif);
}

TEST_F(InsertTest, TargetByteOrderIsKeptAndWideSamplesAreConverted) {
    WriteTiff(target, Pages(10, 2), TestFileFormat{.bigEndian = true});
    WriteTiff(source, {TestPage{.width = 20, .bits = 16, .compression = 8},
                       TestPage{.width = 21, .bits = 16}});
    const TiffStatus status = TiffDocument::InsertPages(target, 3, source);
    ASSERT_TRUE(status.ok) << status.message;
    EXPECT_TRUE(FileIsBigEndian(target));
    EXPECT_FALSE(status.warnings.empty());
    for (int page = 0; page < 2; ++page) {
        EXPECT_TRUE(DecodedStriles(source, page) == DecodedStriles(target, page + 2));
    }
}

TEST_F(InsertTest, BigTiffInputGivesBigTiffOutput) {
    WriteTiff(source, Pages(20, 2), TestFileFormat{.bigTiff = true});
    ASSERT_TRUE(TiffDocument::InsertPages(target, 1, source).ok);
    EXPECT_TRUE(FileIsBigTiff(target));
    EXPECT_EQ(Widths(target), (std::vector<std::uint32_t>{20, 21, 10, 11, 12}));
    EXPECT_TRUE(RawStriles(source, 1) == RawStriles(target, 1));
}

TEST_F(InsertTest, ClassicInputsGiveClassicOutput) {
    ASSERT_TRUE(TiffDocument::InsertPages(target, 1, source).ok);
    EXPECT_FALSE(FileIsBigTiff(target));
}

TEST_F(InsertTest, PermissionBitsOfTheTargetAreKept) {
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(TiffDocument::InsertPages(target, 1, source).ok);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(InsertTest, OwnerAndGroupOfTheTargetAreKept) {
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat before {};
    ASSERT_EQ(::stat(target.c_str(), &before), 0);
    if (::geteuid() == 0) {
        // Root may give the file any owner and group; the result must keep both.
        ASSERT_EQ(::chown(target.c_str(), 4321, 8765), 0);
        before.st_uid = 4321;
        before.st_gid = 8765;
    }
    ASSERT_TRUE(TiffDocument::InsertPages(target, 1, source).ok);
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(LibtiffPageCount(target), 5);
}

// --- A target that is a symbolic link ---

TEST_F(InsertTest, ASymbolicLinkStaysAndTheFileItLeadsToGetsThePages) {
    const fs::path docs = dir.path() / "docs";
    fs::create_directories(docs);
    const fs::path real = docs / "doc.tif";
    WriteTiff(real, Pages(10, 3));
    const fs::path link = dir.path() / "link.tif";
    const fs::path chain = dir.path() / "chain.tif";
    fs::create_symlink("docs/doc.tif", link);
    fs::create_symlink("link.tif", chain);
    const TiffStatus status = TiffDocument::InsertPages(link, 2, source);
    ASSERT_TRUE(status.ok) << status.message;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "docs/doc.tif");
    EXPECT_EQ(Widths(real), (std::vector<std::uint32_t>{10, 20, 21, 11, 12}));
    // A link to the link leads to the same file.
    ASSERT_TRUE(TiffDocument::InsertPages(chain, 1, source).ok);
    EXPECT_TRUE(fs::is_symlink(chain));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(LibtiffPageCount(real), 7);
    EXPECT_EQ(FilesIn(docs), 1u);
    EXPECT_EQ(FilesIn(dir.path()), 5u); // target, source, docs, link, chain
}

TEST_F(InsertTest, ALinkThatLeadsNowhereFailsAndWritesNothing) {
    const fs::path dangling = dir.path() / "dangling.tif";
    fs::create_symlink("docs/missing.tif", dangling);
    const TiffStatus status = TiffDocument::InsertPages(dangling, 1, source);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.message, "The symbolic link " + dangling.string() +
                                  " leads to docs/missing.tif, which does not exist");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_FALSE(fs::exists(dir.path() / "docs"));
    EXPECT_EQ(FilesIn(dir.path()), 3u);

    const fs::path loop = dir.path() / "loop.tif";
    fs::create_symlink("loop.tif", loop);
    const TiffStatus looped = TiffDocument::InsertPages(loop, 1, source);
    EXPECT_FALSE(looped.ok);
    EXPECT_EQ(looped.message.rfind("Cannot follow the symbolic link " + loop.string(), 0), 0u)
        << looped.message;
    EXPECT_EQ(FilesIn(dir.path()), 4u);
}

TEST_F(InsertTest, EveryFailedWriteLeavesTheTargetUnchangedAndNoTemporaryFile) {
    const std::string before = ReadBytes(target);
    const std::uint64_t resultSize = before.size() + fs::file_size(source);
    for (std::uint64_t limit :
         {std::uint64_t(0), std::uint64_t(1), std::uint64_t(8), resultSize / 2, resultSize - 200}) {
        SCOPED_TRACE("fails after " + std::to_string(limit) + " bytes");
        const TiffStatus status =
            TiffDocument::InsertPages(target, 2, source, FullDiskAfter(limit));
        EXPECT_FALSE(status.ok);
        EXPECT_NE(status.message.find("no space left"), std::string::npos) << status.message;
        EXPECT_TRUE(ReadBytes(target) == before);
        EXPECT_EQ(FilesIn(dir.path()), 2u);
    }
}

TEST_F(InsertTest, AWriteHookThatNeverFailsSeesTheWholeResult) {
    std::uint64_t total = 0;
    const auto counting = [&total](std::uint64_t, std::size_t size) {
        total += size;
        return true;
    };
    ASSERT_TRUE(TiffDocument::InsertPages(target, 2, source, counting).ok);
    EXPECT_EQ(total, fs::file_size(target));
}

TEST_F(InsertTest, UnreadableInputsAndFoldersAreReported) {
    const std::string before = ReadBytes(target);
    const fs::path text = dir.write("notes.tif", "this is not a picture");
    EXPECT_EQ(TiffDocument::InsertPages(target, 1, text).message.rfind("Not a TIFF file", 0), 0u);
    EXPECT_FALSE(TiffDocument::InsertPages(target, 1, dir.path() / "missing.tif").ok);
    EXPECT_FALSE(TiffDocument::InsertPages(dir.path() / "missing.tif", 1, source).ok);
    EXPECT_FALSE(TiffDocument::InsertPages(text, 1, source).ok);
    EXPECT_TRUE(ReadBytes(target) == before);
    EXPECT_EQ(ReadBytes(text), "this is not a picture");
}

TEST_F(InsertTest, ATargetInAReadOnlyFolderIsRefused) {
    if (::geteuid() == 0) {
        // root writes anywhere; a folder that is a file stands in for an unwritable one
        EXPECT_FALSE(TiffDocument::InsertPages(target.string() + "/inner.tif", 1, source).ok);
        return;
    }
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(TiffDocument::InsertPages(target, 1, source).ok);
    fs::permissions(dir.path(), fs::perms::owner_all);
}

TEST_F(InsertTest, ACorruptStripOffsetInTheSourceIsRefused) {
    std::string bytes = ReadBytes(source);
    // Point the first page's StripOffsets past the end of the file.
    const std::uint64_t stripOffsetsEntry = FirstPageEntry(bytes, TIFFTAG_STRIPOFFSETS);
    ASSERT_NE(stripOffsetsEntry, 0u);
    const std::uint32_t valueOffset = [&] {
        std::uint32_t v = 0;
        std::memcpy(&v, bytes.data() + stripOffsetsEntry + 8, 4);
        return v;
    }();
    const std::uint32_t farAway = 0x7FFFFFF0;
    std::memcpy(bytes.data() + valueOffset, &farAway, 4);
    WriteBytes(source, bytes);
    const std::string before = ReadBytes(target);
    EXPECT_FALSE(TiffDocument::InsertPages(target, 1, source).ok);
    EXPECT_TRUE(ReadBytes(target) == before);
}

TEST(CountPages, CountsPagesAndRefusesWhatIsNoTiff) {
    TempDir dir;
    const fs::path file = dir.path() / "three.tif";
    WriteTiff(file, Pages(10, 3));
    const PageCountResult counted = TiffDocument::CountPages(file);
    EXPECT_TRUE(counted.status.ok);
    EXPECT_EQ(counted.pageCount, 3);
    const PageCountResult text = TiffDocument::CountPages(dir.write("a.tif", "plain text"));
    EXPECT_FALSE(text.status.ok);
    EXPECT_EQ(text.pageCount, 0);
    EXPECT_EQ(text.status.message.rfind("Not a TIFF file", 0), 0u) << text.status.message;
    EXPECT_FALSE(TiffDocument::CountPages(dir.path()).status.ok);
}

TEST(Describe, ReportsHowEachPageIsStored) {
    TempDir dir;
    const fs::path file = dir.path() / "two.tif";
    WriteTiff(file, {TestPage{.width = 30, .height = 20, .samples = 3, .compression = 5},
                     TestPage{.width = 64, .height = 64, .tileSize = 32}});
    const InfoResult info = TiffDocument::Describe(file);
    ASSERT_TRUE(info.status.ok);
    ASSERT_EQ(info.pages.size(), 2u);
    EXPECT_EQ(info.pages[0].width, 30u);
    EXPECT_EQ(info.pages[0].samplesPerPixel, 3);
    EXPECT_EQ(info.pages[0].compression, 5);
    EXPECT_EQ(info.pages[0].strileCount, 5u);
    EXPECT_FALSE(info.pages[0].tiled);
    EXPECT_TRUE(info.pages[1].tiled);
    EXPECT_EQ(info.pages[1].strileCount, 4u);
    EXPECT_EQ(info.pages[1].dataBytes, 4u * 32 * 32);
}

} // namespace

namespace {

// Overwrites the first strip of the first page with bytes no decoder accepts.
void DamageFirstStrip(const fs::path& path) {
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    ASSERT_NE(tif, nullptr);
    const std::uint64_t offset = TIFFGetStrileOffset(tif, 0);
    const std::uint64_t length = TIFFGetStrileByteCount(tif, 0);
    TIFFClose(tif);
    std::string bytes = ReadBytes(path);
    ASSERT_LE(offset + length, bytes.size());
    std::memset(bytes.data() + offset, 0xFF, length);
    WriteBytes(path, bytes);
}

// Sets the first page's Compression, a SHORT stored in its entry, to `scheme`.
void SetCompression(const fs::path& path, std::uint16_t scheme) {
    std::string bytes = ReadBytes(path);
    const std::uint64_t entry = FirstPageEntry(bytes, TIFFTAG_COMPRESSION);
    if (entry != 0) {
        std::memcpy(bytes.data() + entry + 8, &scheme, 2);
    }
    WriteBytes(path, bytes);
}

} // namespace

TEST_F(InsertTest, DamageInsideCompressedStripsTravelsByteForByteAsSourceOrTarget) {
    const fs::path damaged = dir.path() / "damaged.tif";
    WriteTiff(damaged, Pages(30, 2, TestPage{.compression = COMPRESSION_ADOBE_DEFLATE}));
    DamageFirstStrip(damaged);
    const fs::path pristineDamaged = dir.path() / "pristine-damaged.tif";
    fs::copy_file(damaged, pristineDamaged);
    const TiffStatus asSource = TiffDocument::InsertPages(target, 1, damaged);
    ASSERT_TRUE(asSource.ok) << asSource.message;
    EXPECT_TRUE(RawStriles(damaged, 0) == RawStriles(target, 0));
    const TiffStatus asTarget = TiffDocument::InsertPages(damaged, 3, source);
    ASSERT_TRUE(asTarget.ok) << asTarget.message;
    EXPECT_EQ(Widths(damaged), (std::vector<std::uint32_t>{30, 31, 20, 21}));
    EXPECT_TRUE(RawStriles(pristineDamaged, 0) == RawStriles(damaged, 0));
    EXPECT_EQ(FilesIn(dir.path()), 4u);
}

TEST_F(InsertTest, PagesOfACodecLibtiffLacksAreCopiedRaw) {
    constexpr std::uint16_t kUnknownScheme = 32900;
    SetCompression(source, kUnknownScheme);
    const TiffStatus status = TiffDocument::InsertPages(target, 2, source);
    ASSERT_TRUE(status.ok) << status.message;
    EXPECT_EQ(Widths(target), (std::vector<std::uint32_t>{10, 20, 21, 11, 12}));
    EXPECT_EQ(PageCompression(target, 1), kUnknownScheme);
    EXPECT_TRUE(RawStriles(source, 0) == RawStriles(target, 1));
}
