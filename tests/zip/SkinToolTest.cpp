#include "tools/tipin-skin/SkinTool.h"

#include "tests/support/TempDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using tipin::test::TempDir;
using tipin::test::ZipBuilder;
namespace fs = std::filesystem;

namespace {

class SkinToolTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& arguments) { return CSkinTool(m_err).Run(arguments); }

    TempDir m_dir;
    std::ostringstream m_err;
};

TEST_F(SkinToolTest, ExtractsAPackage) {
    const std::string package =
        m_dir
            .write("Blue.zip",
                   ZipBuilder().Add("Skin.ini", "[Main]\n").Add("img/Back.bmp", "BM").Build())
            .string();
    const fs::path out = m_dir.path() / "Test";
    EXPECT_EQ(Run({"extract", package, out.string()}), CSkinTool::kSuccess);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(tipin::test::ReadFile(out / "Skin.ini"), "[Main]\n");
    EXPECT_EQ(tipin::test::ReadFile(out / "img" / "Back.bmp"), "BM");
}

// bsdtar's "./" names and a directory entry without the directory bit, as Python's zipfile
// writes one.
TEST_F(SkinToolTest, ExtractsPackagesOfOtherArchivers) {
    tipin::test::ZipTestEntry root;
    root.name = "./";
    root.method = 0;
    root.externalAttributes = 0x41ED0000;
    tipin::test::ZipTestEntry img;
    img.name = "img/";
    img.method = 0;
    img.externalAttributes = 0600u << 16;
    const std::string package = m_dir
                                    .write("Other.zip", ZipBuilder()
                                                            .Add(root)
                                                            .Add("./Skin.ini", "[Main]\n")
                                                            .Add(img)
                                                            .Add("img/Back.bmp", "BM")
                                                            .Build())
                                    .string();
    const fs::path out = m_dir.path() / "Test";
    EXPECT_EQ(Run({"extract", package, out.string()}), CSkinTool::kSuccess);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(tipin::test::ReadFile(out / "Skin.ini"), "[Main]\n");
    EXPECT_EQ(tipin::test::ReadFile(out / "img" / "Back.bmp"), "BM");
}

TEST_F(SkinToolTest, ReportsAnOpenFailureOnOneLine) {
    const std::string package = m_dir.write("Bad.zip", "not a zip").string();
    EXPECT_EQ(Run({"extract", package, (m_dir.path() / "Test").string()}), CSkinTool::kFailure);
    EXPECT_EQ(m_err.str(), "tipin-skin: zip error 18 zipErrEndRecordMissing: " + package + "\n");
}

TEST_F(SkinToolTest, ReportsAFileFailure) {
    const std::string missing = (m_dir.path() / "Missing.zip").string();
    EXPECT_EQ(Run({"extract", missing, (m_dir.path() / "Test").string()}), CSkinTool::kFailure);
    EXPECT_EQ(m_err.str(), "tipin-skin: file error 2 fileNotFound: " + missing + "\n");
}

TEST_F(SkinToolTest, StopsAtTheFirstExtractionFailure) {
    const std::string package =
        m_dir.write("Slip.zip", ZipBuilder().Add("../evil", "x").Add("later.txt", "y").Build())
            .string();
    const fs::path out = m_dir.path() / "Test";
    EXPECT_EQ(Run({"extract", package, out.string()}), CSkinTool::kFailure);
    EXPECT_EQ(m_err.str(), "tipin-skin: zip error 19 zipErrUnsafeName: " + package + "\n");
    EXPECT_FALSE(fs::exists(out / "later.txt"));
}

TEST_F(SkinToolTest, NotesEntriesItCouldNotExtract) {
    tipin::test::ZipTestEntry secret;
    secret.name = "secret";
    secret.data = "s";
    secret.method = 0;
    secret.flags = 0x0001;
    const std::string package = m_dir.write("Enc.zip", ZipBuilder().Add(secret).Build()).string();
    EXPECT_EQ(Run({"extract", package, (m_dir.path() / "Test").string()}), CSkinTool::kSuccess);
    EXPECT_NE(m_err.str().find("entry 0 not extracted"), std::string::npos);
}

TEST_F(SkinToolTest, WrongArgumentsAreAUsageError) {
    EXPECT_EQ(Run({}), CSkinTool::kUsage);
    EXPECT_EQ(Run({"extract", "only-one"}), CSkinTool::kUsage);
    EXPECT_EQ(Run({"unpack", "a", "b"}), CSkinTool::kUsage);
    EXPECT_NE(m_err.str().find("usage: tipin-skin extract PACKAGE FOLDER"), std::string::npos);
}

} // namespace
