#include "app/MainDialog.h"
#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinEdit.h"
#include "platform/QtConvert.h"
#include "skin/SkinDescriptionReader.h"
#include "tests/app/MainDialogFixture.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/Corpus.h"
#include "tests/support/TempDir.h"
#include "viewer/TiffDocument.h"
#include "viewer/TiffViewerWidget.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

// The whole workflow on real files, with real clicks on the window's controls.
class MainDialogWorkflow : public MainDialogFixture {
protected:
    void SetUp() override {
        fs::copy_file(CorpusDir() / "tiff/pillow/g4-multi.tiff", files.path() / "target.tif");
        fs::copy_file(CorpusDir() / "tiff/libtiff.net/doc-1211625-8-1.tiff",
                      files.path() / "source.TIF");
        Start(window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void ClickButton(const QString& name) {
        const CSkinButton* button = window.FindButton(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, button->geometry().center());
    }
    void TypePosition(const QString& text) {
        CSkinEdit* position = window.EditBox(CMainDialog::kPositionBox);
        position->clear();
        QTest::keyClicks(position, text);
    }
    std::string Path(const char* name) const { return (files.path() / name).string(); }
    std::vector<PageInfo> Pages(const char* name) const {
        return TiffDocument::Describe(Path(name)).pages;
    }

    TempDir files;
    CMainDialog window;
};

bool SamePage(const PageInfo& a, const PageInfo& b) {
    return a.width == b.width && a.height == b.height && a.compression == b.compression &&
           a.dataBytes == b.dataBytes;
}

} // namespace

TEST_F(MainDialogWorkflow, InsertsThePagesWhereTypedAndShowsTheNewCount) {
    const std::vector<PageInfo> target = Pages("target.tif");
    const std::vector<PageInfo> source = Pages("source.TIF");
    ASSERT_EQ(target.size(), 3u);
    ASSERT_EQ(source.size(), 2u);
    prompts->files = {QString::fromStdString(Path("target.tif")),
                      QString::fromStdString(Path("source.TIF"))};
    ClickButton("BUTTON_BROWSE");
    EXPECT_EQ(Label(window), "3");
    ClickButton("BUTTON_BROWSEAPPEND");
    TypePosition("2");
    ClickButton("BUTTON_CONVERT");

    EXPECT_TRUE(prompts->messages.empty()) << prompts->Texts().front().toStdString();
    const std::vector<PageInfo> result = Pages("target.tif");
    ASSERT_EQ(result.size(), 5u);
    EXPECT_TRUE(SamePage(result[0], target[0]));
    EXPECT_TRUE(SamePage(result[1], source[0]));
    EXPECT_TRUE(SamePage(result[2], source[1]));
    EXPECT_TRUE(SamePage(result[3], target[1]));
    EXPECT_TRUE(SamePage(result[4], target[2]));
    EXPECT_EQ(Label(window), "5");
    auto* viewer = dynamic_cast<TiffViewerWidget*>(window.Viewer().Window());
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(viewer->PageImage().isNull());
    const TempDir skin;
    ExtractAll(Bundled("Purple.skn"), skin.path());
    const SkinDescription description =
        SkinDescriptionReader((skin.path() / "Skin.ini").string()).ReadAll();
    ASSERT_TRUE(description.screenRect);
    EXPECT_EQ(viewer->geometry(), ToQRect(*description.screenRect)) << "the skin's CONTROL place";
}

TEST_F(MainDialogWorkflow, ARefusedPositionSaysWhyAndWritesNothing) {
    prompts->files = {QString::fromStdString(Path("target.tif")),
                      QString::fromStdString(Path("source.TIF"))};
    ClickButton("BUTTON_BROWSE");
    ClickButton("BUTTON_BROWSEAPPEND");
    std::ifstream before(Path("target.tif"), std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(before), {}};
    TypePosition("9");
    ClickButton("BUTTON_CONVERT");
    ASSERT_EQ(prompts->Texts(), std::vector<QString>{"Delete failed"});
    EXPECT_FALSE(prompts->messages[0].detail.isEmpty());
    EXPECT_EQ(Label(window), "3");
    std::ifstream after(Path("target.tif"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), original);
}

TEST_F(MainDialogWorkflow, AFileGivenAtStartOpensAsTheTargetOrSaysWhyNot) {
    auto* viewer = dynamic_cast<TiffViewerWidget*>(window.Viewer().Window());
    ASSERT_NE(viewer, nullptr);
    window.OpenTarget(QString::fromStdString(Path("missing.tif")));
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), "");
    EXPECT_EQ(Label(window), "0");
    EXPECT_FALSE(viewer->StatusLine().isEmpty());
    EXPECT_TRUE(prompts->messages.empty());

    window.OpenTarget(QString::fromStdString(Path("target.tif")));
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text().toStdString(), Path("target.tif"));
    EXPECT_EQ(Label(window), "3");
    EXPECT_FALSE(viewer->PageImage().isNull());
}

namespace {

QMimeData* Files(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    return data;
}

// Drags `data` over the window to `at` and drops it there; true when the drag was accepted.
bool DragAndDrop(QWidget& window, QMimeData* data, QPoint at) {
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) {
        delete data;
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    delete data;
    return drop.isAccepted();
}

} // namespace

TEST_F(MainDialogWorkflow, DroppedTiffFilesBecomeTargetAndSourceAndNothingElseIsTaken) {
    const QString target = QString::fromStdString(Path("target.tif"));
    const QString source = QString::fromStdString(Path("source.TIF"));
    const QPoint background(5, 300);
    const QPoint appendBox = window.EditBox(CMainDialog::kAppendBox)->geometry().center();

    fs::create_directory(files.path() / "folder.tif");
    std::ofstream(files.path() / "page.png") << "not a tiff";
    for (const QString& refused :
         {QString::fromStdString(Path("page.png")), QString::fromStdString(Path("folder.tif"))}) {
        EXPECT_FALSE(DragAndDrop(window, Files({refused}), background)) << refused.toStdString();
    }
    EXPECT_FALSE(DragAndDrop(window, Files({target, source, target}), background));
    auto* text = new QMimeData;
    text->setText("some text");
    EXPECT_FALSE(DragAndDrop(window, text, background));
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), "");

    EXPECT_TRUE(DragAndDrop(window, Files({source}), appendBox));
    EXPECT_EQ(window.EditBox(CMainDialog::kAppendBox)->text(), source);
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), "");

    EXPECT_TRUE(DragAndDrop(window, Files({target}), background));
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), target);
    EXPECT_EQ(Label(window), "3");

    window.EditBox(CMainDialog::kTargetBox)->clear();
    window.EditBox(CMainDialog::kAppendBox)->clear();
    EXPECT_TRUE(DragAndDrop(window, Files({source, target}), background));
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), source);
    EXPECT_EQ(window.EditBox(CMainDialog::kAppendBox)->text(), target);
    EXPECT_EQ(Label(window), "2");
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(MainDialogWorkflow, PageKeysAndTheWheelLeafThroughThePages) {
    fs::copy_file(CorpusDir() / "tiff/twelvemonkeys/fivepages-scan-causingerrors.tif",
                  files.path() / "five.tif");
    window.OpenTarget(QString::fromStdString(Path("five.tif")));
    auto* pages = dynamic_cast<TiffViewerWidget*>(window.Viewer().Window());
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 5);
    const auto pageBox = [this] { return window.EditBox(CMainDialog::kPageBox)->text(); };
    const auto press = [pages](Qt::Key key) { QTest::keyClick(pages, key); };

    press(Qt::Key_PageDown);
    EXPECT_EQ(pages->CurrentPage(), 2);
    EXPECT_EQ(pageBox(), "2");
    EXPECT_EQ(pages->PagePosition(), "2 / 5");
    press(Qt::Key_End);
    EXPECT_EQ(pageBox(), "5");
    press(Qt::Key_PageDown);
    EXPECT_EQ(pages->CurrentPage(), 5) << "past the last page nothing happens";
    press(Qt::Key_Home);
    EXPECT_EQ(pageBox(), "1");
    press(Qt::Key_PageUp);
    EXPECT_EQ(pages->CurrentPage(), 1);

    QWheelEvent down(QPointF(20, 20), pages->mapToGlobal(QPointF(20, 20)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pages, &down);
    EXPECT_EQ(pageBox(), "2");
    QTest::keyClick(window.EditBox(CMainDialog::kPositionBox), Qt::Key_PageDown);
    EXPECT_EQ(pageBox(), "3") << "Page Down also works from an edit box";
    EXPECT_FALSE(pages->PageImage().isNull());
}
