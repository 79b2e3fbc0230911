// Skin packages written by the archivers skin authors have at hand, extracted by the real
// `tipin-skin extract`. A missing archiver fails the test: scripts/setup installs zip and
// libarchive-tools (bsdtar); python3 comes with the system.
#include "tests/support/TempDir.h"
#include "tests/zip/ZipTestSupport.h"
#include "zip/ZipReader.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>

#ifndef TIPIN_SKIN_TOOL
#error "TIPIN_SKIN_TOOL is the path of the built tipin-skin"
#endif

namespace fs = std::filesystem;
using tipin::test::TempDir;

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Relative path → content, or "<folder>" for a folder.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        tree[fs::relative(item.path(), root).generic_string()] =
            item.is_directory() ? "<folder>" : tipin::test::ReadFile(item.path());
    }
    return tree;
}

constexpr const char* kPythonZipfile = R"(import os, sys, zipfile
source, archive = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
    for root, dirs, files in os.walk(source):
        dirs.sort()
        for d in dirs:
            # A ZipInfo named "x/": no directory bit in its attributes.
            z.writestr(zipfile.ZipInfo(os.path.relpath(os.path.join(root, d), source) + "/"), b"")
        for f in sorted(files):
            path = os.path.join(root, f)
            z.write(path, os.path.relpath(path, source))
)";

class RealArchiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string bitmap = "BM";
        for (int i = 0; i < 30000; ++i) {
            bitmap += static_cast<char>((i * 7 + i / 300) & 0xFF);
        }
        m_dir.write("skin/Skin.ini", "[Main]\nName=Real\n");
        m_dir.write("skin/Back.bmp", bitmap);
        m_dir.write("skin/img/Button.bmp", bitmap.substr(0, 5000));
        m_dir.write("skin/img/sub/Knob.bmp", "BMknob");
        fs::create_directories(m_dir.path() / "skin" / "empty");
    }

    // Fails loudly when `tool` is not on the PATH.
    static bool Have(const std::string& tool, const std::string& package) {
        if (Shell("command -v " + tool + " >/dev/null 2>&1") == 0) {
            return true;
        }
        ADD_FAILURE() << tool << " is missing: install " << package
                      << " (scripts/setup installs the archivers these tests use)";
        return false;
    }

    fs::path Skin() const { return m_dir.path() / "skin"; }

    // Runs the real tipin-skin on `archive`; the folder must then hold the skin exactly.
    void ExpectExtractsTheSkin(const fs::path& archive) {
        const fs::path out = m_dir.path() / "out";
        const fs::path err = m_dir.path() / "stderr.txt";
        EXPECT_EQ(Shell(Quote(TIPIN_SKIN_TOOL) + " extract " + Quote(archive.string()) + " " +
                        Quote(out.string()) + " 2>" + Quote(err.string())),
                  0);
        EXPECT_EQ(tipin::test::ReadFile(err), "");
        ASSERT_TRUE(fs::is_directory(out));
        EXPECT_EQ(Tree(out), Tree(Skin()));
    }

    // The archive's entries as this reader sees them: converted name → directory attribute.
    std::map<std::string, bool> Entries(const fs::path& archive) {
        std::map<std::string, bool> entries;
        CZipReader reader;
        EXPECT_EQ(tipin::test::OpenCause(reader, archive.string()), 0);
        for (std::uint16_t i = 0; i < reader.GetEntryCount(); ++i) {
            CZipEntryInfo info;
            reader.GetEntryInfo(i, info);
            entries[info.GetFileName()] = info.HasDirectoryAttribute();
        }
        reader.Close(true);
        return entries;
    }

    TempDir m_dir;
};

TEST_F(RealArchiverTest, InfoZipPackageExtracts) {
    ASSERT_TRUE(Have("zip", "zip"));
    const fs::path archive = m_dir.path() / "infozip.zip";
    ASSERT_EQ(
        Shell("cd " + Quote(Skin().string()) + " && zip -q -r " + Quote(archive.string()) + " ."),
        0);
    ExpectExtractsTheSkin(archive);
}

TEST_F(RealArchiverTest, BsdtarPackageWithDotNamesExtracts) {
    ASSERT_TRUE(Have("bsdtar", "libarchive-tools"));
    const fs::path archive = m_dir.path() / "bsdtar.zip";
    ASSERT_EQ(Shell("cd " + Quote(Skin().string()) + " && bsdtar --format zip -cf " +
                    Quote(archive.string()) + " ."),
              0);
    // The kind this test is about: "./" and "./..." names.
    const auto entries = Entries(archive);
    EXPECT_TRUE(entries.contains(".\\")) << "bsdtar no longer writes a \"./\" entry";
    EXPECT_TRUE(entries.contains(".\\Skin.ini"));
    ExpectExtractsTheSkin(archive);
}

TEST_F(RealArchiverTest, PythonZipfilePackageWithUnmarkedDirectoriesExtracts) {
    ASSERT_TRUE(Have("python3", "python3"));
    const fs::path script = m_dir.write("pack.py", kPythonZipfile);
    const fs::path archive = m_dir.path() / "python.zip";
    ASSERT_EQ(Shell("python3 " + Quote(script.string()) + " " + Quote(Skin().string()) + " " +
                    Quote(archive.string())),
              0);
    // The kind this test is about: "img/" without the directory bit.
    const auto entries = Entries(archive);
    ASSERT_TRUE(entries.contains("img\\"));
    EXPECT_FALSE(entries.at("img\\")) << "zipfile now sets the directory bit";
    ExpectExtractsTheSkin(archive);
}

} // namespace
