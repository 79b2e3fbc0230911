#include "app/MainDialog.h"

#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinEdit.h"
#include "platform/QtConvert.h"
#include "platform/QtPrompts.h"
#include "skin/PackageExtractor.h"
#include "skin/SkinDescriptionReader.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/Corpus.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/FakeImageViewerControl.h"
#include "viewer/TiffDocument.h"
#include "viewer/TiffViewerWidget.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

fs::path Bundled(const std::string& name) {
    return fs::path(TIPIN_RUN_DIR) / name;
}

// The main window on the start-up skin, with scripted prompts.
class MainDialogFixture : public ::testing::Test {
protected:
    void Start(CMainDialog& window) {
        fs::copy_file(Bundled("Purple.skn"), start.path() / "Purple.skn");
        window.SetStartDirectory(start.path().string());
        window.SetPackageFolders({});
        window.SetPrompts(prompts);
        window.OnInitDialog();
    }
    // Replaces the skin of `window` with one made of `description` alone.
    void LoadOwnSkin(CMainDialog& window, const std::string& description) {
        std::ofstream(own.path() / "Skin.ini") << description;
        CSkinDialog::skinFolder = own.path().string() + "/";
        window.SetSkinFile(QString::fromStdString((own.path() / "Skin.ini").string()));
        window.LoadSkin();
    }
    QString Label(const CMainDialog& window) const {
        return window.FindLabel("LABEL_PAGETOTAL")->Text();
    }

    TempDir start;
    TempDir own;
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
};

class MainDialogWithFakeViewer : public MainDialogFixture {
protected:
    void SetUp() override {
        Start(window);
        startupCalls = viewer.Described();
        viewer.ClearCalls();
    }
    void SetBoxes(const QString& target, const QString& position, const QString& append) {
        window.EditBox(CMainDialog::kTargetBox)->setText(target);
        window.EditBox(CMainDialog::kPositionBox)->setText(position);
        window.EditBox(CMainDialog::kAppendBox)->setText(append);
    }

    void LoadOwnSkin(const std::string& description) {
        MainDialogFixture::LoadOwnSkin(window, description);
    }

    FakeImageViewerControl viewer;
    CMainDialog window{nullptr, &viewer};
    QStringList startupCalls;
};

} // namespace

TEST_F(MainDialogWithFakeViewer, StartsWithPositionOneAndTheStartupSetting) {
    EXPECT_EQ(startupCalls, QStringList{"StartupSetting(4)"});
    EXPECT_EQ(window.EditBox(CMainDialog::kPositionBox)->text(), "1");
    EXPECT_EQ(window.windowIcon().availableSizes().size(), 8);
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(MainDialogWithFakeViewer, BrowseFillsTheTargetBoxAndShowsPageOne) {
    viewer.pageCount = 3;
    window.EditBox(CMainDialog::kTargetBox)->setEnabled(false);
    prompts->files = {QString("/docs/a.tif")};
    window.ButtonPressed("BUTTON_BROWSE");
    EXPECT_EQ(viewer.Described(),
              (QStringList{"ReloadFlag(TRUE)", "LoadPage(/docs/a.tif, 1)", "GetPageCount()",
                           "FileName(/docs/a.tif)", "DisplaySetting(10)"}));
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), "/docs/a.tif");
    EXPECT_TRUE(window.EditBox(CMainDialog::kTargetBox)->isEnabled());
    EXPECT_EQ(Label(window), "3");
    ASSERT_EQ(prompts->fileRequests.size(), 1u);
    EXPECT_TRUE(prompts->fileRequests[0].filter.contains("*.[tT][iI][fF]"));
    EXPECT_EQ(prompts->fileRequests[0].folder.toStdString(), start.path().string());

    prompts->files = {std::nullopt};
    viewer.ClearCalls();
    window.ButtonPressed("BUTTON_BROWSEAPPEND");
    EXPECT_EQ(prompts->fileRequests[1].folder, "/docs") << "opens where the last file was";
    EXPECT_TRUE(viewer.Calls().empty()) << "a cancelled chooser changes nothing";
    EXPECT_EQ(window.EditBox(CMainDialog::kAppendBox)->text(), "");
}

TEST_F(MainDialogWithFakeViewer, ConvertInsertsAtTheLowSixteenBitsOfThePosition) {
    viewer.pageCount = 7;
    SetBoxes("/t.tif", "70000", "/a.tif");
    window.ButtonPressed("BUTTON_CONVERT");
    EXPECT_EQ(
        viewer.Described(),
        (QStringList{"AppendPages(/t.tif, 4464, /a.tif)", "ReloadFlag(TRUE)", "LoadPage(/t.tif, 1)",
                     "GetPageCount()", "FileName(/t.tif)", "DisplaySetting(10)"}));
    EXPECT_EQ(Label(window), "7");
    for (const auto& [text, passed] : {std::pair{"letters", "0"}, std::pair{" -2x", "-2"}}) {
        viewer.ClearCalls();
        SetBoxes("/t.tif", text, "/a.tif");
        window.ButtonPressed("BUTTON_CONVERT");
        EXPECT_EQ(viewer.Described().front(),
                  QString("AppendPages(/t.tif, %1, /a.tif)").arg(passed));
    }
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(MainDialogWithFakeViewer, ConvertSaysWhatIsMissingOnceAndWhenTheInsertIsRefused) {
    SetBoxes("", "1", "");
    window.ButtonPressed("BUTTON_CONVERT");
    SetBoxes("/t.tif", "1", "");
    window.ButtonPressed("BUTTON_CONVERT");
    EXPECT_EQ(prompts->Texts(),
              (std::vector<QString>{"Please input TIF file", "Please input Append TIF file"}));
    EXPECT_TRUE(viewer.Calls().empty());

    viewer.appendResult = false;
    window.FindLabel("LABEL_PAGETOTAL")->SetText("5");
    SetBoxes("/t.tif", "1", "/a.tif");
    window.ButtonPressed("BUTTON_CONVERT");
    EXPECT_EQ(prompts->Texts().back(), "Delete failed");
    EXPECT_EQ(viewer.Described(), QStringList{"AppendPages(/t.tif, 1, /a.tif)"});
    EXPECT_EQ(Label(window), "5");
}

TEST_F(MainDialogWithFakeViewer, ACancelledInsertShowsNoBoxAndChangesNothing) {
    viewer.appendResult = false;
    viewer.appendCancelled = true;
    SetBoxes("/t.tif", "1", "/a.tif");
    window.ButtonPressed("BUTTON_CONVERT");
    EXPECT_TRUE(prompts->messages.empty());
    EXPECT_EQ(viewer.Described(), QStringList{"AppendPages(/t.tif, 1, /a.tif)"});
}

TEST(MainWindowMessageBoxTest, APathAndAReasonTakeOneOrTwoLines) {
    const QString reason = "The position 9 lies past the end of "
                           "/home/someone/Documents/scans/2026/invoices-december.tif (3 pages)";
    int lines = 0;
    QTimer::singleShot(0, [&lines] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const auto* label = box->findChild<QLabel*>("qt_msgbox_informativelabel");
        lines = label->height() / label->fontMetrics().lineSpacing();
        box->accept();
    });
    QtPrompts().MessageBox(CMainDialog::kInsertFailed, Prompts::kOk, reason);
    EXPECT_GE(lines, 1);
    EXPECT_LE(lines, 2);
}

TEST_F(MainDialogWithFakeViewer, FixedTextsNamesAndOkOnlyBoxes) {
    window.ButtonPressed("BUTTON_PLAY");
    window.ButtonPressed("BUTTON_PAGE");
    SetBoxes("/t.tif", "1", "");
    window.ButtonPressed("BUTTON_CONVERT");
    viewer.appendResult = false;
    SetBoxes("/t.tif", "1", "/a.tif");
    window.ButtonPressed("BUTTON_CONVERT");
    QStringList boxes;
    for (const FakePrompts::Message& message : prompts->messages) {
        boxes << QString("%1 %2").arg(message.text).arg(message.flags);
    }
    QMenu* menu = window.ChangeSkinMenu();
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items << action->text();
    }
    window.ButtonPressed("BUTTON_MINIMIZE");
    const bool minimized = window.windowState().testFlag(Qt::WindowMinimized);
    window.ButtonPressed("BUTTON_EXIT");
    const std::vector<std::pair<QString, QString>> table = {
        {boxes.join('|'), "Play Button Pressed 0|Please input TIF file 0|"
                          "Please input Append TIF file 0|Delete failed 0"},
        {menu->title(), "&Change Skin"},
        {items.join('|'), "&Orange|&Black|&Purple|Bl&ue|&Red|&Gray|P&ink|&Deluxe"},
        {CPackageExtractor::kExtractFailed, "Extract failed"},
        {QString("minimized %1, result %2").arg(minimized).arg(window.result()),
         "minimized 1, result 1"},
    };
    for (const auto& [actual, expected] : table) {
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(MainDialogWithFakeViewer, PageShowsTheTypedPageOrOnlyRefreshes) {
    window.EditBox(CMainDialog::kPageBox)->setText("2");
    window.ButtonPressed("BUTTON_PAGE");
    EXPECT_EQ(prompts->Texts(), std::vector<QString>{"Please input TIF file"});
    EXPECT_TRUE(viewer.Calls().empty());

    window.EditBox(CMainDialog::kTargetBox)->setText("/t.tif");
    window.ButtonPressed("BUTTON_PAGE");
    window.EditBox(CMainDialog::kPageBox)->setText("");
    window.ButtonPressed("BUTTON_PAGE");
    EXPECT_EQ(viewer.Described(),
              (QStringList{"LoadPage(/t.tif, 2)", "DisplaySetting(10)", "DisplaySetting(10)"}));
}

TEST_F(MainDialogWithFakeViewer, PlayAndPauseSwapOnlyAfterTheMessage) {
    LoadOwnSkin(
        "[BUTTONINFO]\n1=BUTTON_PLAY,b.bmp,0,0,10,10,,F\n2=BUTTON_PAUSE,b.bmp,0,0,10,10,,F\n");
    CSkinButton* play = window.FindButton("BUTTON_PLAY");
    CSkinButton* pause = window.FindButton("BUTTON_PAUSE");
    std::vector<bool> playShownAtMessage;
    prompts->onMessage = [&](const FakePrompts::Message&) {
        playShownAtMessage.push_back(play->isVisibleTo(&window));
    };
    window.ButtonPressed("BUTTON_PLAY");
    EXPECT_FALSE(play->isVisibleTo(&window));
    EXPECT_TRUE(pause->isVisibleTo(&window));
    window.ButtonPressed("BUTTON_PAUSE");
    EXPECT_TRUE(play->isVisibleTo(&window));
    EXPECT_EQ(prompts->Texts(),
              (std::vector<QString>{"Play Button Pressed", "Pause Button Pressed"}));
    EXPECT_EQ(playShownAtMessage, (std::vector<bool>{true, false}));
}

TEST_F(MainDialogWithFakeViewer, ExitEndsTheWindowWithOneAndOtherNamesDoNothing) {
    window.ButtonPressed("button_exit");
    window.ButtonPressed("BUTTON_UNKNOWN");
    EXPECT_EQ(window.result(), 0);
    EXPECT_TRUE(viewer.Calls().empty());
    window.ButtonPressed("BUTTON_CLOSE");
    EXPECT_EQ(window.result(), 1);
}

TEST_F(MainDialogWithFakeViewer, TheProgressSliderShowsItsTimeInTheLabel) {
    window.SetSliderPos("SLIDER_PROGRESS", 3725);
    window.SliderChanged("SLIDER_PROGRESS", 0);
    if (window.FindLabel("LABEL_TIME") != nullptr && window.FindSlider("SLIDER_PROGRESS")) {
        EXPECT_EQ(window.FindLabel("LABEL_TIME")->Text(), "01:02:05/02:00:00");
    }
}

TEST_F(MainDialogFixture, ASkinWithFewerThanFourEditBoxesMakesTheirCommandsDoNothing) {
    FakeImageViewerControl viewer;
    CMainDialog window(nullptr, &viewer);
    Start(window);
    LoadOwnSkin(window, "[EDITBOXINFO]\n1=E0,0,0,50,20,,,,TRUE\n2=E1,0,30,50,50,,,,TRUE\n");
    viewer.ClearCalls();
    for (const char* name : {"BUTTON_CONVERT", "BUTTON_PAGE", "BUTTON_BROWSEAPPEND"}) {
        window.ButtonPressed(name);
    }
    EXPECT_TRUE(prompts->messages.empty());
    EXPECT_TRUE(viewer.Calls().empty());
}

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

TEST_F(MainDialogWithFakeViewer, ASkinChangeKeepsWhatWasTypedAndTheCount) {
    SetBoxes("/t.tif", "3", "/a.tif");
    window.FindLabel("LABEL_PAGETOTAL")->SetText("12");
    LoadOwnSkin("[EDITBOXINFO]\n1=E0,0,0,50,20,,,,F\n2=E1,0,30,50,50,,,,TRUE\n"
                "3=E2,0,60,50,80,,,,TRUE\n4=E3,0,90,50,110,,,,TRUE\n"
                "[LABELINFO]\n1=LABEL_PAGETOTAL,0,120,50,140,0,Arial,10,0xFFFFFF\n");
    EXPECT_EQ(window.EditBox(CMainDialog::kTargetBox)->text(), "/t.tif");
    EXPECT_TRUE(window.EditBox(CMainDialog::kTargetBox)->isEnabled());
    EXPECT_EQ(window.EditBox(CMainDialog::kPositionBox)->text(), "3");
    EXPECT_EQ(Label(window), "12");
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
