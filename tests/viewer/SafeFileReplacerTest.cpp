#include "viewer/SafeFileReplacer.h"

#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffError.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using tipin::test::EntryNames;
using tipin::test::ReadBytes;
using tipin::test::TempDir;

namespace {

// Whether the folder's file system takes O_TMPFILE files; where it does not, the replacer
// falls back to a named file by design.
bool TakesAnonymousFiles(const fs::path& folder) {
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
#else
    (void)folder;
    return false;
#endif
}

void Write(const SafeFileReplacer& replacer, const std::string& bytes) {
    ASSERT_EQ(::pwrite(replacer.Descriptor(), bytes.data(), bytes.size(), 0),
              static_cast<ssize_t>(bytes.size()));
}

class SafeFileReplacerTest : public ::testing::TestWithParam<SafeFileReplacer::Kind> {
protected:
    void SetUp() override {
        if (GetParam() == SafeFileReplacer::Kind::Anonymous && !TakesAnonymousFiles(dir.path())) {
            GTEST_SKIP() << "the file system of " << dir.path() << " refuses O_TMPFILE";
        }
    }
    bool Anonymous() const { return GetParam() == SafeFileReplacer::Kind::Anonymous; }

    TempDir dir;
    fs::path target = dir.write("target.bin", "the old content");
};

TEST_P(SafeFileReplacerTest, NewFileIsNamedOnlyWhenNamedFiles) {
    SafeFileReplacer replacer(target.string(), GetParam());
    EXPECT_EQ(replacer.IsAnonymous(), Anonymous());
    Write(replacer, "the new content");
    if (Anonymous()) {
        EXPECT_EQ(replacer.TemporaryPath(), "");
        EXPECT_EQ(EntryNames(dir.path()), std::vector<std::string>{"target.bin"});
    } else {
        EXPECT_EQ(fs::path(replacer.TemporaryPath()).parent_path(), dir.path());
        EXPECT_EQ(fs::path(replacer.TemporaryPath()).filename().string().rfind(".tipin-", 0), 0u);
        EXPECT_EQ(ReadBytes(replacer.TemporaryPath()), "the new content");
    }
    EXPECT_EQ(ReadBytes(target), "the old content");
    replacer.Commit();
    EXPECT_EQ(ReadBytes(target), "the new content");
    EXPECT_EQ(EntryNames(dir.path()), std::vector<std::string>{"target.bin"});
}

TEST_P(SafeFileReplacerTest, WithoutCommitNothingIsLeft) {
    {
        SafeFileReplacer replacer(target.string(), GetParam());
        Write(replacer, "never used");
    }
    EXPECT_EQ(ReadBytes(target), "the old content");
    EXPECT_EQ(EntryNames(dir.path()), std::vector<std::string>{"target.bin"});
}

TEST_P(SafeFileReplacerTest, TruncateStartsAfresh) {
    SafeFileReplacer replacer(target.string(), GetParam());
    Write(replacer, "a long first attempt");
    replacer.Truncate();
    Write(replacer, "short");
    replacer.Commit();
    EXPECT_EQ(ReadBytes(target), "short");
}

TEST_P(SafeFileReplacerTest, ModeOwnerAndGroupAreKept) {
    // Set-ID bits survive only when they are set after the owner: root can test that.
    const bool root = ::geteuid() == 0;
    const mode_t mode = root ? 02754 : 0640;
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 8765), 0);
    }
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    struct stat before {};
    ASSERT_EQ(::stat(target.c_str(), &before), 0);
    SafeFileReplacer replacer(target.string(), GetParam());
    Write(replacer, "new");
    replacer.Commit();
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino);
}

TEST_P(SafeFileReplacerTest, AFolderThatIsNotThereIsReportedAsBefore) {
    const std::string inside = (dir.path() / "missing" / "target.bin").string();
    try {
        SafeFileReplacer replacer(inside, GetParam());
        FAIL() << "no error";
    } catch (const TiffError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create a file in the folder of " + inside +
                                                 ": No such file or directory");
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SafeFileReplacerTest,
                         ::testing::Values(SafeFileReplacer::Kind::Anonymous,
                                           SafeFileReplacer::Kind::Named),
                         [](const auto& info) {
                             return info.param == SafeFileReplacer::Kind::Anonymous ? "Anonymous"
                                                                                    : "Named";
                         });

TEST(ResolveTarget, FollowsLinksToTheFileTheyLeadTo) {
    TempDir dir;
    const fs::path real = dir.write("docs/doc.tif", "x");
    EXPECT_EQ(SafeFileReplacer::ResolveTarget(real.string()), real.string());
    const std::string missing = (dir.path() / "missing.tif").string();
    EXPECT_EQ(SafeFileReplacer::ResolveTarget(missing), missing);
    fs::create_symlink("docs/doc.tif", dir.path() / "link.tif");
    fs::create_symlink(dir.path() / "link.tif", dir.path() / "chain.tif");
    EXPECT_EQ(SafeFileReplacer::ResolveTarget((dir.path() / "link.tif").string()),
              fs::canonical(real).string());
    EXPECT_EQ(SafeFileReplacer::ResolveTarget((dir.path() / "chain.tif").string()),
              fs::canonical(real).string());
}

TEST(ResolveTarget, ALinkThatLeadsNowhereIsAnError) {
    TempDir dir;
    const fs::path dangling = dir.path() / "dangling.tif";
    fs::create_symlink("gone.tif", dangling);
    EXPECT_THROW(SafeFileReplacer::ResolveTarget(dangling.string()), TiffError);
    fs::create_symlink("b", dir.path() / "a");
    fs::create_symlink("a", dir.path() / "b");
    EXPECT_THROW(SafeFileReplacer::ResolveTarget((dir.path() / "a").string()), TiffError);
}

} // namespace
