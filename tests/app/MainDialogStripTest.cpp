#include "app/MainDialog.h"
#include "controls/Label.h"
#include "controls/SkinEdit.h"
#include "tests/support/Corpus.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffViewerWidget.h"

#include <QTest>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

class MainDialogStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(fs::path(TIPIN_RUN_DIR) / "Purple.skn", start.path() / "Purple.skn");
        fs::copy_file(CorpusDir() / "tiff/pillow/g4-multi.tiff", target);
        fs::copy_file(CorpusDir() / "tiff/libtiff.net/doc-1211625-8-1.tiff", source);
        window.SetStartDirectory(start.path().string());
        window.SetPackageFolders({});
        window.SetPrompts(prompts);
        window.OnInitDialog();
        window.OpenTarget(QString::fromStdString(target.string()));
        pages = qobject_cast<TiffViewerWidget*>(window.Viewer().Window());
    }
    QString Total() const { return window.FindLabel("LABEL_PAGETOTAL")->Text(); }

    TempDir start;
    fs::path target = start.path() / "target.tif";
    fs::path source = start.path() / "source.tif";
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
    CMainDialog window;
    TiffViewerWidget* pages = nullptr;
};

} // namespace

TEST_F(MainDialogStripTest, AChangeInTheStripUpdatesTheCountAndThePageBox) {
    ASSERT_NE(pages, nullptr);
    pages->Strip()->Selection().Click(3, false, false);
    pages->RunCommand(PageStrip::Command::Delete);
    EXPECT_EQ(LibtiffPageCount(target), 2);
    EXPECT_EQ(Total(), "2");
    EXPECT_EQ(window.EditBox(CMainDialog::kPageBox)->text(), "2");
}

TEST_F(MainDialogStripTest, AnInsertIsUndoneWithCtrlZFromTheWindow) {
    const std::string before = ReadBytes(target);
    window.EditBox(CMainDialog::kAppendBox)->setText(QString::fromStdString(source.string()));
    window.ButtonPressed("BUTTON_CONVERT");
    ASSERT_EQ(Total(), "5");
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(Total(), "3");
}

TEST_F(MainDialogStripTest, F9FromTheWindowTogglesTheStripPaintedInTheSkinsColours) {
    ASSERT_NE(pages, nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const bool shown = pages->Strip()->isVisible();
    QTest::keyClick(&window, Qt::Key_F9);
    EXPECT_NE(pages->Strip()->isVisible(), shown);
    // The start-up skin has no list: the strip takes the background under the viewer.
    const QPoint corner = pages->geometry().topLeft() + QPoint(1, 1);
    EXPECT_EQ(pages->Strip()->CurrentColours().background,
              window.BackgroundDC().pixelColor(corner));
}
