// Every archive of the shared corpus goes through the program's extraction sequence; the
// verdicts are pinned in the table below.
#include "platform/FileException.h"
#include "platform/FileSystem.h"
#include "tests/support/Corpus.h"
#include "tests/support/TempDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// openCause and extractCause: 0 success, a CZipException cause, or 100 + a CFileException
// cause. files: entries extracted to a file whose CRC-32 was verified; bytes: their total.
struct CorpusVerdict {
    int openCause;
    int entries;
    int extractCause;
    int files;
    std::uint64_t bytes;

    bool operator==(const CorpusVerdict&) const = default;
};

#include "tests/zip/ZipCorpusExpectations.inc"

CorpusVerdict ExtractAndVerify(const fs::path& archive) {
    tipin::test::TempDir dir;
    const std::string folder = (dir.path() / "out").string();
    CZipReader reader;
    CorpusVerdict verdict{tipin::test::OpenCause(reader, archive.string()), 0, 0, 0, 0};
    if (verdict.openCause != 0) {
        reader.Close(true);
        return verdict;
    }
    verdict.entries = reader.GetEntryCount();
    try {
        for (int i = 0; i < verdict.entries; ++i) {
            const auto index = static_cast<std::uint16_t>(i);
            CZipEntryInfo info;
            reader.GetEntryInfo(index, info);
            if (!reader.ExtractEntry(index, folder) || info.IsDirectory()) {
                continue;
            }
            const std::string content =
                tipin::test::ReadFile(FileSystem::ToNativePath(folder + "\\" + info.GetFileName()));
            EXPECT_EQ(tipin::test::Crc32(content), info.crc32) << archive << " entry " << i;
            ++verdict.files;
            verdict.bytes += content.size();
        }
    } catch (const CZipException& e) {
        verdict.extractCause = e.m_iCause;
    } catch (const CFileException& e) {
        verdict.extractCause = tipin::test::kFileCauseBase + e.m_cause;
    }
    reader.Close(true);
    return verdict;
}

std::string Row(const std::string& name, const CorpusVerdict& v) {
    std::ostringstream row;
    row << "{\"" << name << "\", {" << v.openCause << ", " << v.entries << ", " << v.extractCause
        << ", " << v.files << ", " << v.bytes << "}},";
    return row.str();
}

TEST(ZipCorpus, EveryArchiveGivesItsPinnedVerdict) {
    const fs::path root = tipin::test::CorpusDir() / "zip";
    std::vector<fs::path> files;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) {
            files.push_back(item.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), kCorpusVerdicts.size());
    for (const fs::path& file : files) {
        const std::string name = fs::relative(file, root).generic_string();
        const CorpusVerdict actual = ExtractAndVerify(file);
        const auto expected = kCorpusVerdicts.find(name);
        if (expected == kCorpusVerdicts.end()) {
            ADD_FAILURE() << "not in the table: " << Row(name, actual);
            continue;
        }
        EXPECT_EQ(actual, expected->second) << "now: " << Row(name, actual);
    }
}

// Inputs the fuzz target once found slow or failing; each must end cleanly.
TEST(ZipCorpus, FuzzFindingsEndCleanly) {
    const fs::path folder = fs::path(TIPIN_ZIP_FUZZ_REGRESSIONS);
    int count = 0;
    for (const auto& item : fs::directory_iterator(folder)) {
        tipin::test::TempDir dir;
        CZipReader reader;
        const int cause =
            tipin::test::ExtractPackage(reader, item.path().string(), dir.path().string());
        EXPECT_GE(cause, 0) << item.path();
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST(ZipCorpus, EncryptedEntryOpensWithItsPassword) {
    const fs::path archive = tipin::test::CorpusDir() / "zip" / "libzip" / "encrypt-1234.zip";
    tipin::test::TempDir dir;
    CZipReader reader;
    ASSERT_EQ(tipin::test::OpenCause(reader, archive.string()), 0);
    CZipEntryInfo info;
    ASSERT_TRUE(reader.GetEntryInfo(0, info));
    EXPECT_FALSE(reader.ExtractEntry(0, dir.path().string()));
    reader.SetPassword("1234");
    ASSERT_TRUE(reader.ExtractEntry(0, dir.path().string()));
    const std::string content = tipin::test::ReadFile(dir.path() / info.GetFileName());
    EXPECT_EQ(tipin::test::Crc32(content), info.crc32);
    EXPECT_EQ(content.size(), info.uncompressedSize);
    reader.SetPassword("wrong");
    try {
        reader.ExtractEntry(0, dir.path().string());
    } catch (const CZipException& e) {
        EXPECT_TRUE(e.m_iCause == CZipException::zipErrWrongPassword ||
                    e.m_iCause == CZipException::zipErrData)
            << e.m_iCause;
    }
    reader.Close(true);
}

} // namespace
