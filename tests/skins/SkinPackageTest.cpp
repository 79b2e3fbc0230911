#include "skin/SkinDescriptionReader.h"
#include "skins/BmpWriter.h"
#include "skins/SkinGenerator.h"
#include "tests/skins/GeneratedSkins.h"
#include "tests/support/TempDir.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

using tipin::test::GeneratedSkins;
using tipin::test::TempDir;

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream out;
    out << file.rdbuf();
    return out.str();
}

std::set<std::string> FileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(SkinPackages, TwoGenerationsGiveTheSameBytes) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        const auto names = FileNames(skin.folder);
        ASSERT_EQ(names, FileNames(skin.secondFolder)) << skin.generated.folder;
        for (const std::string& name : names) {
            EXPECT_EQ(Bytes(fs::path(skin.folder) / name),
                      Bytes(fs::path(skin.secondFolder) / name))
                << skin.generated.folder << "/" << name;
        }
    }
}

TEST(SkinPackages, FoldersHoldOnlyWhatTheDescriptionNames) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        std::set<std::string> expected{"Skin.ini"};
        for (const auto& [name, image] : skin.generated.bitmaps) {
            expected.insert(name);
        }
        EXPECT_EQ(FileNames(skin.folder), expected) << skin.generated.folder;
        EXPECT_TRUE(expected.count(CSkinGenerator::kNotifierBitmap));
    }
}

TEST(SkinPackages, RewritingAFolderDropsFilesOfAnEarlierGeneration) {
    TempDir dir;
    const auto& skin = GeneratedSkins::Get().Skins().front();
    const fs::path folder = dir.path() / "again";
    fs::create_directories(folder);
    std::ofstream(folder / "stale.bmp") << "old";
    CSkinGenerator::Write(skin.generated, folder.string());
    EXPECT_FALSE(fs::exists(folder / "stale.bmp"));
    EXPECT_TRUE(fs::exists(folder / "Skin.ini"));
}

TEST(SkinPackages, WritingIntoAnUnwritablePlaceFails) {
    TempDir dir;
    const fs::path file = dir.write("plain-file", "x");
    const auto& skin = GeneratedSkins::Get().Skins().front();
    EXPECT_ANY_THROW(CSkinGenerator::Write(skin.generated, (file / "skin").string()));
    EXPECT_THROW(CBmpWriter::Write(QImage(4, 4, QImage::Format_RGB32),
                                   (dir.path() / "missing" / "a.bmp").string()),
                 std::runtime_error);
}

TEST(SkinPackages, BitmapsAreUncompressed24BitWithPaddedRows) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(0, 0, qRgb(255, 0, 255));
    const std::string bmp = CBmpWriter::Encode(image);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12); // rows of 9 bytes padded to 12
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
    // Rows run bottom-up: the top-left pixel opens the second row.
    EXPECT_EQ(bmp.substr(54 + 12, 3), std::string("\xFF\x00\xFF", 3));
    EXPECT_EQ(bmp.substr(54, 3), std::string("\x1E\x14\x0A", 3));
    TempDir dir;
    const fs::path path = dir.path() / "t.bmp";
    CBmpWriter::Write(image, path.string());
    const QImage back(QString::fromStdString(path.string()));
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(back.pixel(2, 1) & 0xFFFFFF, 0x0A141Eu);
}

// The packages the build put into the run folder, opened with the project's zip reader.
TEST(BuiltPackageTest, ExtractsToTheGeneratedSkin) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const fs::path package = fs::path(TIPIN_RUN_DIR) / skin.generated.package;
        ASSERT_TRUE(fs::exists(package)) << package;
        TempDir dir;
        CZipReader zip;
        std::set<std::string> entries;
        try {
            zip.Open(package.string());
            for (std::uint16_t i = 0; i < zip.GetEntryCount(); ++i) {
                CZipEntryInfo info;
                ASSERT_TRUE(zip.GetEntryInfo(i, info));
                entries.insert(info.GetFileName());
                ASSERT_TRUE(zip.ExtractEntry(i, dir.path().string()));
            }
            zip.Close();
        } catch (const CZipException& e) {
            FAIL() << package << ": " << e.what();
        }
        EXPECT_TRUE(entries.count("Skin.ini"));
        EXPECT_TRUE(entries.count(CSkinGenerator::kNotifierBitmap));
        const SkinDescription d =
            SkinDescriptionReader((dir.path() / "Skin.ini").string()).ReadAll();
        ASSERT_FALSE(d.background.empty());
        std::vector<std::string> named{d.background, d.icon->bitmap};
        for (const auto* buttons : {&d.buttons, &d.taskbarButtons}) {
            for (const ButtonRecord& b : *buttons) {
                named.push_back(b.bitmap);
            }
        }
        for (const SliderRecord& s : d.sliders) {
            named.insert(named.end(), {s.channelBitmap, s.thumbBitmap, s.thumbActiveBitmap});
        }
        for (const auto* latches : {&d.options, &d.checks}) {
            for (const LatchRecord& l : *latches) {
                named.push_back(l.bitmap);
            }
        }
        for (const ListBoxRecord& l : d.listBoxes) {
            named.insert(named.end(), l.scrollBitmaps.begin(), l.scrollBitmaps.end());
        }
        for (const ComboBoxRecord& c : d.comboBoxes) {
            named.push_back(c.bitmap);
            named.insert(named.end(), c.scrollBitmaps.begin(), c.scrollBitmaps.end());
        }
        for (const std::string& path : named) {
            const std::string name = fs::path(path).filename().string();
            EXPECT_TRUE(entries.count(name)) << name << " is not in " << package;
            EXPECT_EQ(Bytes(path), Bytes(fs::path(skin.folder) / name)) << name;
        }
    }
}

} // namespace
