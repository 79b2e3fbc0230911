#include "app/MainDialog.h"

#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinEdit.h"
#include "platform/QtPrompts.h"
#include "skin/PackageExtractor.h"
#include "tests/app/MainDialogFixture.h"
#include "tests/support/FakePrompts.h"
#include "tests/viewer/FakeImageViewerControl.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tipin::test;

namespace {

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
    EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(MainDialogWithFakeViewer, GetsItsIconOnceOnTheScreen) {
    EXPECT_TRUE(window.windowIcon().isNull());
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.windowIcon().availableSizes().size(), 8);
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
