#include "zip/ZipReader.h"

#include "platform/FileException.h"
#include "tests/support/TempDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/ZipException.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using tipin::test::ExtractPackage;
using tipin::test::OpenCause;
using tipin::test::ReadFile;
using tipin::test::TempDir;
using tipin::test::ZipBuilder;
using tipin::test::ZipLayout;
using tipin::test::ZipTestEntry;
namespace fs = std::filesystem;

namespace {

class ZipReaderTest : public ::testing::Test {
protected:
    std::string Archive(const std::string& bytes, const std::string& name = "test.zip") {
        return m_dir.write(name, bytes).string();
    }
    std::string Out() const { return (m_dir.path() / "out").string(); }
    fs::path OutPath(const std::string& relative) const { return m_dir.path() / "out" / relative; }

    int Extract(const std::string& bytes) {
        return ExtractPackage(m_reader, Archive(bytes), Out());
    }

    std::string Deflatable(std::size_t size) const {
        std::string data;
        for (std::size_t i = 0; data.size() < size; ++i) {
            data += "line " + std::to_string(i % 977) + " of a skin description\n";
        }
        data.resize(size);
        return data;
    }

    TempDir m_dir;
    CZipReader m_reader;
};

ZipTestEntry Entry(const std::string& name, const std::string& data, std::uint16_t method = 8) {
    ZipTestEntry entry;
    entry.name = name;
    entry.data = data;
    entry.method = method;
    return entry;
}

// --- Opening and the central directory ---

TEST_F(ZipReaderTest, EmptyArchiveOpensWithNoEntries) {
    EXPECT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Build())), 0);
    EXPECT_EQ(m_reader.GetEntryCount(), 0);
    EXPECT_FALSE(m_reader.IsClosed());
    m_reader.Close(true);
    EXPECT_TRUE(m_reader.IsClosed());
}

TEST_F(ZipReaderTest, SizeAndCountMustAgreeOnEmptiness) {
    const std::string sizeZeroCountThree = ZipBuilder::EndRecord(3, 0, 0, "");
    EXPECT_EQ(OpenCause(m_reader, Archive(sizeZeroCountThree)), CZipException::zipErrBadArchive);
    const std::string countZeroSize100 =
        std::string(100, 'x') + ZipBuilder::EndRecord(0, 100, 0, "");
    EXPECT_EQ(OpenCause(m_reader, Archive(countZeroSize100)), CZipException::zipErrBadArchive);
}

TEST_F(ZipReaderTest, NonArchivesHaveNoEndRecord) {
    EXPECT_EQ(OpenCause(m_reader, Archive("just some text, no archive here")),
              CZipException::zipErrEndRecordMissing);
    EXPECT_EQ(OpenCause(m_reader, Archive("PK\x05")), CZipException::zipErrEndRecordMissing);
    EXPECT_EQ(OpenCause(m_reader, Archive("")), CZipException::zipErrEndRecordMissing);
}

TEST_F(ZipReaderTest, SignatureTooCloseToTheEndGivesAShortRecord) {
    EXPECT_EQ(OpenCause(m_reader, Archive(std::string("PK\x05\x06", 4) + std::string(10, '\0'))),
              CZipException::zipErrBadArchive);
}

TEST_F(ZipReaderTest, TheExceptionNamesTheArchive) {
    const std::string path = Archive("not an archive");
    try {
        m_reader.Open(path, 0, 0);
        FAIL() << "no exception";
    } catch (const CZipException& e) {
        EXPECT_EQ(e.m_iCause, CZipException::zipErrEndRecordMissing);
        EXPECT_EQ(e.m_szFileName, path);
        EXPECT_STREQ(e.what(), "zipErrEndRecordMissing");
    }
    m_reader.Close(true);
}

TEST_F(ZipReaderTest, LongestCommentIsStillFound) {
    ZipLayout layout;
    layout.comment = std::string(65535, 'c');
    EXPECT_EQ(Extract(ZipBuilder().Add("a.txt", "alpha").Build(layout)), 0);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "alpha");
}

TEST_F(ZipReaderTest, SignatureAcrossTheSearchBlockBorderIsFound) {
    // The end record starts 32770 bytes before the end: two signature bytes in each block.
    ZipLayout layout;
    layout.comment = std::string(32770 - 22, 'c');
    EXPECT_EQ(Extract(ZipBuilder().Add("a.txt", "alpha").Build(layout)), 0);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "alpha");
}

TEST_F(ZipReaderTest, PrependedDataShiftsEveryOffset) {
    ZipLayout layout;
    layout.prefix = std::string(1000, '#');
    const std::string text = Deflatable(5000);
    EXPECT_EQ(Extract(ZipBuilder().Add("a.txt", "alpha", 0).Add("b.txt", text).Build(layout)), 0);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "alpha");
    EXPECT_EQ(ReadFile(OutPath("b.txt")), text);
}

TEST_F(ZipReaderTest, NamesKeepBackslashes) {
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("skin/Back.bmp", "BM").Build())), 0);
    CZipEntryInfo info;
    ASSERT_TRUE(m_reader.GetEntryInfo(0, info));
    EXPECT_EQ(info.GetFileName(), "skin\\Back.bmp");
    EXPECT_EQ(info.crc32, tipin::test::Crc32("BM"));
    EXPECT_FALSE(m_reader.GetEntryInfo(1, info));
    EXPECT_FALSE(m_reader.IsDirectoryEntry(1));
}

TEST_F(ZipReaderTest, OemNamesBecomeUtf8AndUtf8NamesStay) {
    ZipTestEntry oem = Entry("gr\x81n.txt", "1");
    ZipTestEntry utf8 = Entry("gr\xC3\xBCn2.txt", "2");
    utf8.flags = 0x0800;
    ASSERT_EQ(Extract(ZipBuilder().Add(oem).Add(utf8).Build()), 0);
    EXPECT_EQ(ReadFile(OutPath("gr\xC3\xBCn.txt")), "1");
    EXPECT_EQ(ReadFile(OutPath("gr\xC3\xBCn2.txt")), "2");
}

TEST_F(ZipReaderTest, ReadOnlyPackageOpens) {
    const std::string path = Archive(ZipBuilder().Add("a.txt", "alpha").Build());
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_EQ(ExtractPackage(m_reader, path, Out()), 0);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "alpha");
}

TEST_F(ZipReaderTest, MissingPackageThrowsTheFileException) {
    try {
        m_reader.Open((m_dir.path() / "missing.zip").string(), 0, 0);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
    m_reader.Close(true);
    EXPECT_TRUE(m_reader.IsClosed(false));
}

TEST_F(ZipReaderTest, SecondOpenKeepsTheFirstArchiveAndCloseTwiceIsHarmless) {
    m_reader.Open(Archive(ZipBuilder().Add("a", "1").Add("b", "2").Build(), "one.zip"));
    m_reader.Open(Archive(ZipBuilder().Add("c", "3").Build(), "two.zip"));
    EXPECT_EQ(m_reader.GetEntryCount(), 2);
    m_reader.Close(true);
    m_reader.Close(true);
    m_reader.Close(false);
    EXPECT_EQ(m_reader.GetEntryCount(), 0);
}

TEST_F(ZipReaderTest, FailedOpenIsReleasedByCloseAfterError) {
    EXPECT_EQ(OpenCause(m_reader, Archive("garbage")), CZipException::zipErrEndRecordMissing);
    EXPECT_TRUE(m_reader.IsClosed(true));
    EXPECT_FALSE(m_reader.IsClosed(false));
    m_reader.Close(true);
    EXPECT_TRUE(m_reader.IsClosed(false));
}

TEST_F(ZipReaderTest, NameLongerThanTheDirectoryIsRefused) {
    std::string bytes = ZipBuilder().Add("abc", "x", 0).Build();
    const std::size_t directory = bytes.size() - 22 - (46 + 3);
    bytes[directory + 28] = '\x40'; // name length 64 in a 49-byte directory
    EXPECT_EQ(OpenCause(m_reader, Archive(bytes)), CZipException::zipErrBadArchive);
}

TEST_F(ZipReaderTest, TruncatedCommentIsRefused) {
    std::string bytes = ZipBuilder().Add("a", "1").Build();
    bytes[bytes.size() - 2] = '\x05';
    EXPECT_EQ(OpenCause(m_reader, Archive(bytes)), CZipException::zipErrBadArchive);
}

// --- Multi-volume archives stored as numbered files ---

TEST_F(ZipReaderTest, NumberedVolumesAreReadFromTheirFiles) {
    ZipBuilder builder;
    builder.Add("first.txt", Deflatable(3000)).Add("second.txt", "second", 0);
    m_dir.write("set.000", builder.BuildLocalPart());
    ZipLayout layout;
    layout.thisDisk = 1;
    layout.directoryDisk = 1;
    const std::string last = m_dir.write("set.zip", builder.BuildDirectoryPart(layout, 0)).string();
    EXPECT_EQ(ExtractPackage(m_reader, last, Out()), 0);
    EXPECT_EQ(ReadFile(OutPath("first.txt")), Deflatable(3000));
    EXPECT_EQ(ReadFile(OutPath("second.txt")), "second");
}

TEST_F(ZipReaderTest, MissingVolumeThrowsTheFileException) {
    ZipBuilder builder;
    builder.Add("first.txt", "1");
    ZipLayout layout;
    layout.thisDisk = 1;
    layout.directoryDisk = 1;
    const std::string last = m_dir.write("set.zip", builder.BuildDirectoryPart(layout, 0)).string();
    EXPECT_EQ(ExtractPackage(m_reader, last, Out()),
              tipin::test::kFileCauseBase + CFileException::fileNotFound);
}

// --- Extraction ---

TEST_F(ZipReaderTest, StoredAndDeflatedEntriesExtract) {
    const std::string text = Deflatable(200000);
    EXPECT_EQ(Extract(ZipBuilder().Add("stored.txt", text, 0).Add("deflated.txt", text).Build()),
              0);
    EXPECT_EQ(ReadFile(OutPath("stored.txt")), text);
    EXPECT_EQ(ReadFile(OutPath("deflated.txt")), text);
}

TEST_F(ZipReaderTest, EmptyEntryGivesAnEmptyFileWithTheEntryTime) {
    for (const std::uint16_t method : {0, 8}) {
        ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("empty", "", method).Build())), 0);
        ASSERT_TRUE(m_reader.OpenEntry(0));
        char buffer[16];
        EXPECT_EQ(m_reader.ReadEntry(buffer, sizeof buffer), 0u);
        EXPECT_EQ(m_reader.CloseEntry(), 1);
        m_reader.Close(true);
        EXPECT_EQ(Extract(ZipBuilder().Add("empty", "", method).Build()), 0);
        EXPECT_TRUE(fs::is_regular_file(OutPath("empty")));
        EXPECT_EQ(fs::file_size(OutPath("empty")), 0u);
    }
}

TEST_F(ZipReaderTest, ExactMultipleOfTheBufferEndsWithAnEmptyRead) {
    const std::string data = Deflatable(2 * 65535);
    for (const std::uint16_t method : {0, 8}) {
        ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("d", data, method).Build())), 0);
        ASSERT_TRUE(m_reader.OpenEntry(0));
        std::string buffer(65535, '\0');
        std::string got;
        std::uint32_t n = 0;
        int calls = 0;
        do {
            n = m_reader.ReadEntry(buffer.data(), 65535);
            got.append(buffer, 0, n);
            ++calls;
        } while (n == 65535);
        EXPECT_EQ(calls, 3);
        EXPECT_EQ(n, 0u);
        EXPECT_EQ(got, data);
        EXPECT_EQ(m_reader.CloseEntry(), 1);
        m_reader.Close(true);
    }
}

TEST_F(ZipReaderTest, DirectoryEntriesMakeFoldersEvenWhenTheyExist) {
    ZipTestEntry dir = Entry("dir/", "", 0);
    dir.externalAttributes = 0x10;
    ZipTestEntry nested = Entry("dir/sub/deeper/", "", 0);
    nested.externalAttributes = 0x10;
    const std::string bytes = ZipBuilder().Add(dir).Add(nested).Build();
    fs::create_directories(OutPath("dir"));
    EXPECT_EQ(Extract(bytes), 0);
    EXPECT_TRUE(fs::is_directory(OutPath("dir/sub/deeper")));
    ASSERT_EQ(OpenCause(m_reader, Archive(bytes)), 0);
    EXPECT_TRUE(m_reader.IsDirectoryEntry(0));
    EXPECT_TRUE(m_reader.ExtractEntry(0, Out()));
    m_reader.Close(true);
}

// --- Archives made by other archivers ---

// What `bsdtar --format zip -cf skin.zip .` writes: "./" first, every name under "./", and
// only Unix modes in the attributes (no directory bit).
ZipBuilder BsdtarStyle() {
    ZipBuilder builder;
    for (const auto& [name, data] :
         std::vector<std::pair<std::string, std::string>>{{"./", ""},
                                                          {"./Skin.ini", "[Main]\n"},
                                                          {"./img/", ""},
                                                          {"./img/Back.bmp", "BMback"},
                                                          {"./img/./deep/./Knob.bmp", "BMknob"}}) {
        ZipTestEntry entry = Entry(name, data, data.empty() ? 0 : 8);
        entry.externalAttributes = data.empty() ? 0x41ED0000 : 0x81A40000;
        builder.Add(entry);
    }
    return builder;
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(item.path(), folder).generic_string() +
                        (item.is_directory() ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ZipReaderTest, DotComponentsNameTheFolderTheyStandIn) {
    const std::string bytes = BsdtarStyle().Build();
    const std::vector<std::string> expected = {"Skin.ini", "img/", "img/Back.bmp", "img/deep/",
                                               "img/deep/Knob.bmp"};
    // "./" is the extraction folder: made when missing, fine when already there.
    EXPECT_EQ(Extract(bytes), 0);
    EXPECT_EQ(Listing(Out()), expected);
    EXPECT_EQ(ReadFile(OutPath("Skin.ini")), "[Main]\n");
    EXPECT_EQ(ReadFile(OutPath("img/deep/Knob.bmp")), "BMknob");
    EXPECT_EQ(Extract(bytes), 0);
    EXPECT_EQ(Listing(Out()), expected);
    ASSERT_EQ(OpenCause(m_reader, Archive(bytes)), 0);
    EXPECT_TRUE(m_reader.IsDirectoryEntry(0));
    EXPECT_TRUE(m_reader.ExtractEntry(0, Out()));
    EXPECT_TRUE(m_reader.ExtractEntry(1, Out(), false));
    EXPECT_TRUE(m_reader.ExtractEntry(3, Out(), true, "./renamed/./Back.bmp"));
    EXPECT_EQ(ReadFile(OutPath("renamed/Back.bmp")), "BMback");
    // Its folders are made even when no "./" entry made the extraction folder first.
    const fs::path fresh = m_dir.path() / "fresh";
    EXPECT_TRUE(m_reader.ExtractEntry(4, fresh.string()));
    EXPECT_EQ(Listing(fresh), (std::vector<std::string>{"img/", "img/deep/", "img/deep/Knob.bmp"}));
    m_reader.Close(true);
}

TEST_F(ZipReaderTest, TrailingSeparatorNamesADirectoryWhateverTheAttributes) {
    // Python's zipfile writes a ZipInfo("a/") with mode 0600 and no directory bit; others
    // write no attributes at all, or only the archive bit.
    ZipTestEntry python = Entry("a/", "", 0);
    python.externalAttributes = 0600u << 16;
    ZipTestEntry none = Entry("b\\", "", 0);
    none.externalAttributes = 0;
    ZipTestEntry archiveBit = Entry("c/d/", "");
    archiveBit.externalAttributes = 0x20;
    const std::string bytes = ZipBuilder()
                                  .Add(python)
                                  .Add("a/one.txt", "1")
                                  .Add(none)
                                  .Add("b/two.txt", "2")
                                  .Add(archiveBit)
                                  .Add("c/d/three.txt", "3")
                                  .Build();
    EXPECT_EQ(Extract(bytes), 0);
    EXPECT_EQ(Listing(Out()), (std::vector<std::string>{"a/", "a/one.txt", "b/", "b/two.txt", "c/",
                                                        "c/d/", "c/d/three.txt"}));
    EXPECT_EQ(ReadFile(OutPath("c/d/three.txt")), "3");
    EXPECT_EQ(Extract(bytes), 0);
    ASSERT_EQ(OpenCause(m_reader, Archive(bytes)), 0);
    for (const std::uint16_t index : {0, 2, 4}) {
        EXPECT_TRUE(m_reader.IsDirectoryEntry(index)) << index;
        EXPECT_TRUE(m_reader.ExtractEntry(index, Out())) << index;
    }
    EXPECT_FALSE(m_reader.IsDirectoryEntry(1));
    m_reader.Close(true);
}

TEST_F(ZipReaderTest, DirectoryNameThatHoldsDataIsRefusedAsDamaged) {
    for (const std::uint16_t method : {0, 8}) {
        SCOPED_TRACE(method);
        TempDir dir;
        const std::string bytes = ZipBuilder()
                                      .Add("first.txt", "1")
                                      .Add("a/", "data", method)
                                      .Add("last.txt", "2")
                                      .Build();
        const fs::path out = dir.path() / "out";
        EXPECT_EQ(ExtractPackage(m_reader, dir.write("damaged.zip", bytes).string(), out.string()),
                  CZipException::zipErrBadArchive);
        EXPECT_EQ(Listing(out), std::vector<std::string>{"first.txt"});
    }
    // Deflating nothing still takes two bytes: such an entry holds no data.
    EXPECT_EQ(Extract(ZipBuilder().Add("empty/", "", 8).Build()), 0);
    EXPECT_TRUE(fs::is_directory(OutPath("empty")));
    // With the directory bit the data is ignored, as before.
    ZipTestEntry attributed = Entry("dir/", "data");
    attributed.externalAttributes = 0x10;
    EXPECT_EQ(Extract(ZipBuilder().Add(attributed).Build()), 0);
    EXPECT_TRUE(fs::is_directory(OutPath("dir")));
}

TEST_F(ZipReaderTest, AFileNamedLikeTheFolderItselfStillFails) {
    EXPECT_EQ(Extract(ZipBuilder().Add(".", "x", 0).Build()),
              tipin::test::kFileCauseBase + CFileException::accessDenied);
}

TEST_F(ZipReaderTest, FullPathRebuildsFoldersAndPlainPathDoesNot) {
    const std::string bytes = ZipBuilder().Add("a/b/c.bmp", "BMdata").Build();
    ASSERT_EQ(OpenCause(m_reader, Archive(bytes)), 0);
    EXPECT_TRUE(m_reader.ExtractEntry(0, Out() + "\\", true));
    EXPECT_EQ(ReadFile(OutPath("a/b/c.bmp")), "BMdata");
    EXPECT_TRUE(m_reader.ExtractEntry(0, Out(), false));
    EXPECT_EQ(ReadFile(OutPath("c.bmp")), "BMdata");
    EXPECT_TRUE(m_reader.ExtractEntry(0, Out(), false, "renamed.bmp"));
    EXPECT_EQ(ReadFile(OutPath("renamed.bmp")), "BMdata");
    EXPECT_FALSE(m_reader.ExtractEntry(0, Out(), true, nullptr, nullptr, nullptr, 0));
    EXPECT_FALSE(m_reader.ExtractEntry(1, Out()));
    m_reader.Close(true);
}

TEST_F(ZipReaderTest, ExistingFilesAreOverwrittenButReadOnlyOnesRefuse) {
    m_dir.write("out/a.txt", "an older and longer content");
    EXPECT_EQ(Extract(ZipBuilder().Add("a.txt", "new").Build()), 0);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "new");
    fs::permissions(OutPath("a.txt"), fs::perms::owner_read);
    EXPECT_EQ(Extract(ZipBuilder().Add("a.txt", "newer").Build()),
              tipin::test::kFileCauseBase + CFileException::accessDenied);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "new");
}

TEST_F(ZipReaderTest, FileTimeIsTheEntryTimeAsLocalTime) {
    ZipTestEntry entry = Entry("t.txt", "time");
    ASSERT_EQ(Extract(ZipBuilder().Add(entry).Build()), 0);
    std::tm local{};
    local.tm_year = 2021 - 1900;
    local.tm_mon = 6;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_min = 34;
    local.tm_sec = 56;
    local.tm_isdst = -1;
    struct stat status {};
    ASSERT_EQ(::stat(OutPath("t.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mtime, std::mktime(&local));
    EXPECT_GE(status.st_atime, std::time(nullptr) - 60);
}

TEST_F(ZipReaderTest, ReadOnlyAttributeClearsTheWriteBits) {
    ZipTestEntry entry = Entry("ro.txt", "locked");
    entry.externalAttributes = 0x21;
    ASSERT_EQ(Extract(ZipBuilder().Add(entry).Build()), 0);
    const fs::perms perms = fs::status(OutPath("ro.txt")).permissions();
    EXPECT_EQ(perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
}

TEST_F(ZipReaderTest, ProgressCallbackCanStopTheExtraction) {
    const std::string data = Deflatable(200000);
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("big", data).Build())), 0);
    struct Calls {
        int count = 0;
        std::uint32_t total = 0;
    } calls;
    const auto stopAtOnce = [](std::uint32_t total, std::uint32_t, void* value) {
        auto* c = static_cast<Calls*>(value);
        ++c->count;
        c->total = total;
        return false;
    };
    EXPECT_FALSE(m_reader.ExtractEntry(0, Out(), true, nullptr, stopAtOnce, &calls, 1000));
    EXPECT_EQ(calls.count, 1);
    EXPECT_EQ(calls.total, 200000u);
    EXPECT_EQ(fs::file_size(OutPath("big")), 1000u);
    m_reader.Close(true);
}

// --- Data descriptors ---

TEST_F(ZipReaderTest, DataDescriptorsWithAndWithoutSignature) {
    for (const bool signature : {true, false}) {
        for (const std::uint16_t method : {0, 8}) {
            ZipTestEntry first = Entry("one.txt", Deflatable(40000), method);
            first.flags = 0x0008;
            first.descriptorSignature = signature;
            ZipTestEntry second = Entry("two.txt", "second", method);
            second.flags = 0x0008;
            second.descriptorSignature = signature;
            EXPECT_EQ(Extract(ZipBuilder().Add(first).Add(second).Build()), 0);
            EXPECT_EQ(ReadFile(OutPath("one.txt")), Deflatable(40000));
            EXPECT_EQ(ReadFile(OutPath("two.txt")), "second");
        }
    }
}

TEST_F(ZipReaderTest, DataDescriptorThatDisagreesIsRefused) {
    ZipTestEntry entry = Entry("one.txt", "descriptor says otherwise");
    entry.flags = 0x0008;
    std::string bytes = ZipBuilder().Add(entry).Build();
    const std::size_t descriptor = bytes.find(std::string("PK\x07\x08", 4));
    ASSERT_NE(descriptor, std::string::npos);
    bytes[descriptor + 8] ^= 1; // compressed size
    EXPECT_EQ(Extract(bytes), CZipException::zipErrBadArchive);
}

// --- Damaged entries ---

TEST_F(ZipReaderTest, LocalHeaderMustMatchTheCentralRecord) {
    ZipTestEntry flags = Entry("a.txt", "sound data");
    flags.localFlags = 0x0002;
    EXPECT_EQ(Extract(ZipBuilder().Add(flags).Build()), CZipException::zipErrBadArchive);
    ZipTestEntry nameLength = Entry("a.txt", "sound data");
    nameLength.localNameLength = 4;
    EXPECT_EQ(Extract(ZipBuilder().Add(nameLength).Build()), CZipException::zipErrBadArchive);
    std::string badSignature = ZipBuilder().Add("a.txt", "sound data").Build();
    badSignature[3] = 0x05;
    EXPECT_EQ(Extract(badSignature), CZipException::zipErrBadArchive);
    EXPECT_FALSE(fs::exists(OutPath("a.txt")));
}

TEST_F(ZipReaderTest, UnsupportedMethodIsRefused) {
    EXPECT_EQ(Extract(ZipBuilder().Add("a.txt", "shrunk", 1).Build()),
              CZipException::zipErrBadArchive);
}

TEST_F(ZipReaderTest, WrongCrcRaisesCause11AndLeavesTheFile) {
    ZipTestEntry entry = Entry("a.txt", "the data");
    entry.centralCrc = 0x12345678;
    EXPECT_EQ(Extract(ZipBuilder().Add(entry).Build()), CZipException::zipErrCrcMismatch);
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "the data");
}

TEST_F(ZipReaderTest, TruncatedDeflateDataRaisesCause8) {
    ZipTestEntry entry = Entry("a.txt", Deflatable(50000));
    const std::string deflated = ZipBuilder::Deflate(entry.data);
    entry.storedBytes = deflated.substr(0, deflated.size() / 2);
    EXPECT_EQ(Extract(ZipBuilder().Add(entry).Build()), CZipException::zipErrBuffer);
}

TEST_F(ZipReaderTest, CorruptDeflateDataRaisesTheZlibCause) {
    ZipTestEntry entry = Entry("a.txt", "x");
    entry.storedBytes = std::string("\xff\xff\xff\xff", 4);
    EXPECT_EQ(Extract(ZipBuilder().Add(entry).Build()), CZipException::zipErrData);
}

TEST_F(ZipReaderTest, StoredDataShorterThanRecordedIsIncomplete) {
    ZipTestEntry entry = Entry("a.txt", "12345", 0);
    entry.storedBytes = "123";
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add(entry).Build())), 0);
    EXPECT_FALSE(m_reader.ExtractEntry(0, Out()));
    EXPECT_EQ(ReadFile(OutPath("a.txt")), "123");
    m_reader.Close(true);
}

TEST_F(ZipReaderTest, OutputIsBoundedByTheRecordedSize) {
    ZipTestEntry entry = Entry("bomb", std::string(1 << 20, 'z'));
    entry.centralUncompressedSize = 1000;
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add(entry).Build())), 0);
    EXPECT_THROW(m_reader.ExtractEntry(0, Out()), CZipException);
    EXPECT_EQ(fs::file_size(OutPath("bomb")), 1000u);
    m_reader.Close(true);
}

TEST_F(ZipReaderTest, EncryptedEntryWithoutPasswordIsSkipped) {
    ZipTestEntry entry = Entry("secret.txt", "hidden", 0);
    entry.flags = 0x0001;
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add(entry).Add("plain", "p").Build())), 0);
    EXPECT_FALSE(m_reader.ExtractEntry(0, Out()));
    EXPECT_FALSE(fs::exists(OutPath("secret.txt")));
    EXPECT_TRUE(m_reader.ExtractEntry(1, Out()));
    m_reader.Close(true);
}

// --- Entry state ---

TEST_F(ZipReaderTest, OneEntryAtATime) {
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("a", "1").Add("b", "2").Build())), 0);
    EXPECT_EQ(m_reader.CloseEntry(), 0);
    ASSERT_TRUE(m_reader.OpenEntry(0));
    EXPECT_FALSE(m_reader.OpenEntry(1));
    EXPECT_FALSE(m_reader.OpenEntry(2));
    char byte = 0;
    EXPECT_EQ(m_reader.ReadEntry(&byte, 1), 1u);
    EXPECT_EQ(byte, '1');
    EXPECT_EQ(m_reader.CloseEntry(), 1);
    EXPECT_TRUE(m_reader.OpenEntry(1));
    m_reader.Close(true);
    EXPECT_EQ(m_reader.ReadEntry(&byte, 1), 0u);
}

TEST_F(ZipReaderTest, CloseFinishesAnOpenEntryAndReportsItsCrc) {
    ZipTestEntry entry = Entry("a", "payload");
    entry.centralCrc = 1;
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add(entry).Build())), 0);
    ASSERT_TRUE(m_reader.OpenEntry(0));
    char buffer[16];
    EXPECT_EQ(m_reader.ReadEntry(buffer, sizeof buffer), 7u);
    EXPECT_THROW(m_reader.Close(false), CZipException);
    m_reader.Close(true);
    EXPECT_TRUE(m_reader.IsClosed());
}

TEST_F(ZipReaderTest, CloseAfterErrorReleasesAnEntryLeftOpen) {
    ASSERT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("a", Deflatable(100000)).Build())), 0);
    ASSERT_TRUE(m_reader.OpenEntry(0));
    char buffer[100];
    EXPECT_EQ(m_reader.ReadEntry(buffer, sizeof buffer), 100u);
    m_reader.Close(true);
    EXPECT_EQ(OpenCause(m_reader, Archive(ZipBuilder().Add("b", "2").Build(), "b.zip")), 0);
    EXPECT_TRUE(m_reader.OpenEntry(0));
}

// --- Names that would leave the folder ---

class UnsafeNameTest : public ZipReaderTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(UnsafeNameTest, IsNotWritten) {
    const std::string bytes = ZipBuilder().Add(GetParam(), "evil").Add("fine.txt", "ok").Build();
    EXPECT_EQ(ExtractPackage(m_reader, Archive(bytes), (m_dir.path() / "a" / "b").string()),
              CZipException::zipErrUnsafeName);
    for (const auto& item : fs::recursive_directory_iterator(m_dir.path())) {
        EXPECT_NE(ReadFile(item.path()), "evil") << item.path();
    }
}

INSTANTIATE_TEST_SUITE_P(ZipSlip, UnsafeNameTest,
                         ::testing::Values("../evil.txt", "..\\evil.txt", "x/../../evil.txt",
                                           "x\\..\\..\\evil.txt", "..", "/tmp/evil.txt",
                                           "\\evil.txt", "C:\\evil.txt", "c:evil.txt",
                                           std::string("ev\0il.txt", 9), "./../evil.txt",
                                           ".\\..\\evil.txt", "./..", "x/./../../evil.txt"));

TEST_F(ZipReaderTest, DotsInsideNamesAreFine) {
    EXPECT_EQ(Extract(ZipBuilder().Add("a..b/..c/.d", "dots").Build()), 0);
    EXPECT_EQ(ReadFile(OutPath("a..b/..c/.d")), "dots");
}

// --- Folders ---

TEST_F(ZipReaderTest, ForceDirectoryCreatesEveryLevel) {
    const std::string deep = (m_dir.path() / "x").string() + "\\y\\z\\";
    EXPECT_TRUE(CZipReader::ForceDirectory(deep));
    EXPECT_EQ(CZipReader::GetPathKind(deep), -1);
    EXPECT_TRUE(CZipReader::ForceDirectory(deep));
    m_dir.write("file", "f");
    EXPECT_FALSE(CZipReader::ForceDirectory((m_dir.path() / "file" / "sub").string()));
    EXPECT_EQ(CZipReader::GetPathKind((m_dir.path() / "file").string()), 1);
    EXPECT_EQ(CZipReader::GetPathKind((m_dir.path() / "none").string()), 0);
}

} // namespace
