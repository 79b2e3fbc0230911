#include "platform/FileSystem.h"

#include "platform/File.h"
#include "platform/FileException.h"
#include "tests/support/TempDir.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using tipin::test::TempDir;
namespace fs = std::filesystem;

namespace {

TEST(FileSystemPaths, SplitLikeTheCRunTime) {
    const FileSystem::PathParts parts = FileSystem::SplitPath("C:\\skins\\blue/Back.bmp");
    EXPECT_EQ(parts.drive, "C:");
    EXPECT_EQ(parts.directory, "\\skins\\blue/");
    EXPECT_EQ(parts.title, "Back");
    EXPECT_EQ(parts.extension, ".bmp");
    const FileSystem::PathParts bare = FileSystem::SplitPath("archive.tar.gz");
    EXPECT_EQ(bare.directory, "");
    EXPECT_EQ(bare.title, "archive.tar");
    EXPECT_EQ(bare.extension, ".gz");
    const FileSystem::PathParts folder = FileSystem::SplitPath("a\\b\\");
    EXPECT_EQ(folder.directory, "a\\b\\");
    EXPECT_EQ(folder.title + folder.extension, "");
    EXPECT_EQ(FileSystem::ToNativePath("Test\\skin\\a.bmp"), "Test/skin/a.bmp");
}

TEST(FileSystemNames, CodePage437BecomesUtf8) {
    EXPECT_EQ(FileSystem::OemToUtf8("plain.txt"), "plain.txt");
    EXPECT_EQ(FileSystem::OemToUtf8("\x81\x9b\xe1"), "\xC3\xBC\xC2\xA2\xC3\x9F");
    EXPECT_EQ(FileSystem::OemToUtf8("\xb0\xff"), "\xE2\x96\x91\xC2\xA0");
}

TEST(FileSystemTimes, DosTimeIsLocalTimeWithDaylightSaving) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const std::uint16_t noon = 12 << 11;
    const auto date = [](int year, int month, int day) {
        return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
    };
    EXPECT_EQ(FileSystem::DosDateTimeToTime(date(2020, 7, 1), noon), 1593597600);
    EXPECT_EQ(FileSystem::DosDateTimeToTime(date(2020, 1, 1), noon), 1577876400);
    const std::uint16_t oddSeconds = (10 << 11) | (5 << 5) | 21;
    EXPECT_EQ(FileSystem::DosDateTimeToTime(date(2020, 1, 1), oddSeconds), 1577869542);
    if (saved != nullptr) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(FileSystemAttributes, ReadOnlyClearsWriteBitsAndFoldersKeepTheirs) {
    TempDir dir;
    const std::string file = dir.write("f.txt", "x").string();
    ASSERT_TRUE(FileSystem::SetAttributes(file, 0x21));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(FileSystem::SetAttributes(file, 0x20));
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);
    const std::string folder = (dir.path() / "d").string();
    ASSERT_TRUE(FileSystem::CreateDirectory(folder));
    EXPECT_FALSE(FileSystem::CreateDirectory(folder));
    ASSERT_TRUE(FileSystem::SetAttributes(folder, 0x11));
    EXPECT_NE(fs::status(folder).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(FileSystem::SetAttributes((dir.path() / "none").string(), 0));
}

TEST(FileSystemAttributes, KindsAndTimes) {
    TempDir dir;
    const std::string file = dir.write("f.txt", "x").string();
    EXPECT_EQ(FileSystem::GetPathKind(file), FileSystem::PathKind::File);
    EXPECT_EQ(FileSystem::GetPathKind(dir.path().string()), FileSystem::PathKind::Directory);
    EXPECT_EQ(FileSystem::GetPathKind(file + "x"), FileSystem::PathKind::Nothing);
    FileSystem::SetTimes(file, 1000000000);
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mtime, 1000000000);
    EXPECT_THROW(FileSystem::SetTimes(file + "x", 0), CFileException);
    EXPECT_FALSE(FileSystem::IsOnRemovableMedium(file + "x"));
}

TEST(File, ReadsSeeksAndWrites) {
    TempDir dir;
    const std::string path = (dir.path() / "data.bin").string();
    CFile out;
    out.Open(path, CFile::modeCreate | CFile::modeWrite);
    out.Write("0123456789", 10);
    out.Close();
    CFile in;
    in.Open(path, CFile::modeRead);
    EXPECT_EQ(in.GetLength(), 10u);
    EXPECT_EQ(in.Seek(-3, CFile::end), 7u);
    char buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(in.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(in.Seek(1, CFile::current), 3u);
    EXPECT_EQ(in.GetFilePath(), path);
    in.Close();
    in.Close();
    EXPECT_FALSE(in.IsOpen());
}

TEST(File, FailuresCarryCauseAndPath) {
    TempDir dir;
    const std::string missing = (dir.path() / "missing").string();
    CFile file;
    try {
        file.Open(missing, CFile::modeRead);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_strFileName, missing);
        EXPECT_STREQ(e.what(), "fileNotFound");
    }
    const std::string locked = dir.write("locked", "x").string();
    fs::permissions(locked, fs::perms::owner_read);
    try {
        file.Open(locked, CFile::modeCreate | CFile::modeWrite);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    }
    EXPECT_THROW(file.Open(dir.path().string(), CFile::modeCreate | CFile::modeWrite),
                 CFileException);
    EXPECT_THROW(file.Read(nullptr, 1), CFileException);
    EXPECT_THROW(file.Seek(0, CFile::begin), CFileException);
    EXPECT_THROW(file.GetLength(), CFileException);
}

TEST(File, WritingNeverFollowsALink) {
    TempDir dir;
    const fs::path target = dir.write("target", "keep");
    fs::create_symlink(target, dir.path() / "link");
    CFile file;
    EXPECT_THROW(file.Open((dir.path() / "link").string(), CFile::modeCreate | CFile::modeWrite),
                 CFileException);
    std::ifstream in(target);
    std::string content;
    in >> content;
    EXPECT_EQ(content, "keep");
}

TEST(FileException, CausesFromErrno) {
    EXPECT_EQ(CFileException::CauseFromErrno(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::CauseFromErrno(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::CauseFromErrno(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::CauseFromErrno(ENAMETOOLONG), CFileException::badPath);
    EXPECT_EQ(CFileException::CauseFromErrno(EXDEV), CFileException::genericException);
    EXPECT_STREQ(CFileException::CauseName(99), "unknown");
}

} // namespace
