#include "controls/SkinComboBox.h"
#include "controls/SkinListBox.h"
#include "platform/Prompts.h"
#include "skin/PackageExtractor.h"
#include "skin/PreparedSkin.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/FakePrompts.h"
#include "tests/zip/ZipBuilder.h"

#include <QAction>
#include <QBuffer>
#include <QMenu>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

std::string BmpBytes(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A skin whose background lies in a sub-folder, with a read-only button bitmap.
std::string SubFolderPackage() {
    ZipTestEntry readOnly;
    readOnly.name = "button.bmp";
    readOnly.data = BmpBytes(QSize(40, 10), Qt::yellow);
    readOnly.externalAttributes = 0x21;
    return ZipBuilder()
        .Add("Skin.ini", "[Screen]\nMain=art\\back.bmp\n[BUTTONINFO]\n"
                         "1=BUTTON_BROWSE,button.bmp,10,10,20,20,,F\n")
        .Add("art/back.bmp", BmpBytes(QSize(200, 100), Qt::darkBlue))
        .Add(readOnly)
        .Build();
}

class SkinPackageDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldTmp = getenv("TMPDIR") ? getenv("TMPDIR") : "";
        setenv("TMPDIR", temporary.path().c_str(), 1);
        dialog.SetStartDirectory(start.path().string());
        dialog.SetPackageFolders({});
        dialog.SetPrompts(prompts);
    }
    void TearDown() override {
        if (m_oldTmp.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", m_oldTmp.c_str(), 1);
        }
    }
    void CopyBundled(const std::string& name, const std::string& as = {}) {
        fs::copy_file(BundledPackage(name), start.path() / (as.empty() ? name : as));
    }
    void ExpectNoWorkingFolders() {
        EXPECT_TRUE(EntryNames(temporary.path()).empty()) << EntryNames(temporary.path()).front();
    }

    TempDir start;
    TempDir temporary;
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
    RecordingDialog dialog;

private:
    std::string m_oldTmp;
};

} // namespace

TEST_F(SkinPackageDialogTest, AMissingPackageFailsAtOnceAndTheBuiltInSkinTakesOver) {
    dialog.LoadStartupSkin();
    EXPECT_EQ(prompts->Texts(), std::vector<QString>{"Open failed"});
    EXPECT_EQ(prompts->messages[0].flags, Prompts::kIconError);
    EXPECT_FALSE(dialog.buttons.empty()) << "the built-in skin has its controls";
    EXPECT_FALSE(dialog.mask().isEmpty());
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, AFileThatIsNoZipAsksToRetryWithinABound) {
    WriteFile(start.path() / "Purple.skn", "this is not a zip archive at all");
    const QString question = CPackageExtractor::kRetryQuestion;
    prompts->answers = {Prompts::kIdYes, Prompts::kIdNo};
    dialog.LoadStartupSkin();
    EXPECT_EQ(prompts->Texts(), (std::vector<QString>{question, question, "Open failed"}));
    EXPECT_EQ(prompts->messages[0].flags, Prompts::kYesNo | Prompts::kIconError);

    prompts->messages.clear();
    prompts->answers.assign(50, Prompts::kIdYes);
    dialog.LoadStartupSkin();
    EXPECT_EQ(prompts->messages.size(), std::size_t(CPackageExtractor::kMaxRetries + 1))
        << "every question answered Yes is followed by a retry";
    EXPECT_EQ(prompts->Texts().back(), "Open failed");
    EXPECT_FALSE(dialog.buttons.empty());
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, ATruncatedStartupPackageGivesTheMessagesThenTheBuiltInSkin) {
    const std::string whole = ZipBuilder().Add("Skin.ini", "[Screen]\nMain=back.bmp\n").Build();
    WriteFile(start.path() / "Purple.skn", whole.substr(0, whole.size() - 10));
    dialog.LoadStartupSkin();
    ASSERT_FALSE(prompts->messages.empty());
    EXPECT_EQ(prompts->Texts().back(), "Open failed");
    EXPECT_NE(dialog.FindButton("BUTTON_BROWSE"), nullptr);
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, APackageWithASubFolderLoadsAndLeavesNothingBehind) {
    WriteFile(start.path() / "Purple.skn", SubFolderPackage());
    dialog.LoadStartupSkin();
    EXPECT_TRUE(prompts->messages.empty());
    EXPECT_EQ(dialog.BackgroundDC().size(), QSize(200, 100));
    ASSERT_EQ(dialog.buttons.size(), 1u);
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, EntriesThatLeaveTheWorkingFolderWriteNothingOutside) {
    const std::string escape = "tipin-escape-" + std::to_string(getpid());
    WriteFile(start.path() / "Purple.skn", ZipBuilder()
                                               .Add("../" + escape, "x")
                                               .Add("/tmp/" + escape, "x")
                                               .Add("Skin.ini", "[Screen]\nMain=back.bmp\n")
                                               .Build());
    dialog.LoadStartupSkin();
    EXPECT_FALSE(fs::exists(temporary.path().parent_path() / escape));
    EXPECT_FALSE(fs::exists(fs::path("/tmp") / escape));
    EXPECT_FALSE(prompts->messages.empty());
    EXPECT_FALSE(dialog.buttons.empty()) << "the built-in skin";
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, SwitchingSkinsMovesTheCheckMarkAndAddsComboRows) {
    CopyBundled("Purple.skn");
    CopyBundled("Gray.zip");
    CopyBundled("Deluxe.zip");
    dialog.LoadStartupSkin();
    QMenu* menu = dialog.ChangeSkinMenu();
    ASSERT_EQ(menu->actions().size(), 8);
    EXPECT_EQ(menu->actions()[0]->text(), "&Orange");
    for (const QAction* action : menu->actions()) {
        EXPECT_FALSE(action->isChecked()) << "the start-up skin is none of the menu's";
    }

    dialog.OnChangeSkin(0x8008);
    EXPECT_TRUE(prompts->messages.empty());
    menu = dialog.ChangeSkinMenu();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(menu->actions()[i]->isChecked(), i == 5) << i;
    }
    EXPECT_TRUE(dialog.comboBoxes.empty());

    dialog.OnChangeSkin(0x800A);
    ASSERT_FALSE(dialog.comboBoxes.empty());
    const CComboList* rows = dialog.comboBoxes.front()->ListPart();
    ASSERT_EQ(rows->ItemCount(), 3);
    EXPECT_EQ(rows->ItemText(2, 0), "item3");
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, ADamagedPackageOnAChangeKeepsTheCurrentSkinWorking) {
    CopyBundled("Purple.skn");
    WriteFile(start.path() / "Red.zip", "PK\x03\x04 broken");
    dialog.LoadStartupSkin();
    const auto names = [this] {
        std::vector<QString> all;
        for (const CSkinButton* button : dialog.buttons) {
            all.push_back(button->name);
        }
        return all;
    };
    const std::vector<QString> before = names();
    dialog.show();
    dialog.OnChangeSkin(0x8007);
    EXPECT_EQ(names(), before);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsSkinChecked(0x8007)) << "no check mark claims the skin not shown";
    ASSERT_FALSE(prompts->messages.empty());
    EXPECT_TRUE(prompts->Texts().back().startsWith("The skin could not be loaded: "));
    dialog.OnButtonClicked(dialog.buttons.front()->index);
    EXPECT_EQ(dialog.calls.size(), 1u);
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, AFolderCalledTestInTheCurrentDirectoryIsNeverTouched) {
    CopyBundled("Purple.skn");
    CopyBundled("Orange.zip");
    CopyBundled("Pink.zip");
    fs::create_directory(start.path() / "Test");
    WriteFile(start.path() / "Test" / "keep.txt", "mine");
    const fs::path previous = fs::current_path();
    fs::current_path(start.path());
    dialog.LoadStartupSkin();
    dialog.OnChangeSkin(0x8003);
    dialog.OnChangeSkin(0x8009);
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(start.path() / "Test" / "keep.txt"));
    EXPECT_EQ(EntryNames(start.path()).size(), 4u) << "nothing written to the current directory";
    EXPECT_TRUE(prompts->messages.empty());
    ExpectNoWorkingFolders();
}

TEST_F(SkinPackageDialogTest, PackagesAreFoundInTheProgramsSkinFoldersAfterTheStartDirectory) {
    TempDir installed;
    fs::copy_file(BundledPackage("Purple.skn"), installed.path() / "Purple.skn");
    dialog.SetPackageFolders({installed.path().string()});
    EXPECT_EQ(dialog.FindPackage("Purple.skn"), installed.path().string() + "/Purple.skn");
    CopyBundled("Gray.zip", "Purple.skn");
    EXPECT_EQ(dialog.FindPackage("Purple.skn"), start.path().string() + "/Purple.skn");
}

TEST_F(SkinPackageDialogTest, APackageOverALimitFailsLikeADamagedOneAndNamesTheLimit) {
    ZipTestEntry huge;
    huge.name = "huge.bin";
    huge.data = "x";
    huge.flags = 0x0008;
    huge.centralUncompressedSize = (64u << 20) + 1;
    const std::string package = ZipBuilder()
                                    .Add("Skin.ini", "[Screen]\nMain=back.bmp\n")
                                    .Add("back.bmp", BmpBytes(QSize(200, 100), Qt::red))
                                    .Add(huge)
                                    .Build();
    WriteFile(start.path() / "Purple.skn", package);
    WriteFile(start.path() / "Red.zip", package);
    dialog.LoadStartupSkin();
    EXPECT_EQ(prompts->Texts(), std::vector<QString>{"Extract failed"});
    EXPECT_NE(dialog.BackgroundDC().size(), QSize(200, 100)) << "the built-in skin";
    const QSize builtIn = dialog.BackgroundDC().size();

    prompts->messages.clear();
    dialog.OnChangeSkin(0x8007);
    EXPECT_EQ(prompts->Texts(),
              (std::vector<QString>{"Extract failed",
                                    "The skin could not be loaded: the skin package would "
                                    "write more than 64 MiB."}));
    EXPECT_EQ(dialog.BackgroundDC().size(), builtIn);
    ExpectNoWorkingFolders();
}

// A package prepared on a worker thread loads as the ordinary way does; one with a problem
// is left to the ordinary way, which tells the user once.
TEST_F(SkinPackageDialogTest, APreparedStartupPackageLoadsAsTheOrdinaryWayDoes) {
    const std::string whole = SubFolderPackage();
    for (const std::string& package : {whole, whole.substr(0, whole.size() - 10)}) {
        WriteFile(start.path() / "Purple.skn", package);
        prompts->messages.clear();
        dialog.LoadStartupSkin();
        const std::vector<QString> ordinary = prompts->Texts();
        prompts->messages.clear();
        {
            RecordingDialog prepared;
            prepared.SetStartDirectory(start.path().string());
            prepared.SetPackageFolders({});
            prepared.SetPrompts(prompts);
            const std::string found = CSkinDialog::StartupPackage(start.path().string(), "/");
            EXPECT_EQ(found, prepared.FindPackage(CSkinDialog::kStartupPackage));
            prepared.SetPreparedStartupSkin(CPreparedSkin::Start(found));
            prepared.LoadStartupSkin();
            EXPECT_EQ(prompts->Texts(), ordinary);
            EXPECT_EQ(prepared.BackgroundDC().size(), dialog.BackgroundDC().size());
            EXPECT_EQ(prepared.buttons.size(), dialog.buttons.size());
        }
        ExpectNoWorkingFolders();
    }
}
