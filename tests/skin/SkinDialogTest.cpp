#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinScrollBar.h"
#include "controls/SkinSlider.h"
#include "notifier/NotifierDialog.h"
#include "platform/QtConvert.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/SkinUsability.h"
#include "tests/skin/SkinTestSupport.h"

#include <QRandomGenerator>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace tipin::test;

namespace {

// Where a control sits; a list shares its rectangle with its scroll bar.
QRect Area(const QWidget* control) {
    if (const auto* list = dynamic_cast<const CSkinListBox*>(control)) {
        return list->ScrollBar() ? list->geometry().united(list->ScrollBar()->geometry())
                                 : list->geometry();
    }
    return control->geometry();
}

template <typename Control, typename Record>
void ExpectRegistry(const std::vector<Control*>& registry, const std::vector<Record>& records) {
    ASSERT_EQ(registry.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(records[i].name);
        EXPECT_EQ(registry[i]->name.toStdString(), records[i].name);
        EXPECT_EQ(registry[i]->index, records[i].index);
        EXPECT_EQ(Area(registry[i]), ToQRect(records[i].rect));
    }
}

void ExpectSkin(const RecordingDialog& dialog, const SkinDescription& d) {
    ExpectRegistry(dialog.buttons, d.buttons);
    ExpectRegistry(dialog.sliders, d.sliders);
    ExpectRegistry(dialog.options, d.options);
    ExpectRegistry(dialog.checks, d.checks);
    ExpectRegistry(dialog.labels, d.labels);
    ExpectRegistry(dialog.edits, d.edits);
    ExpectRegistry(dialog.listBoxes, d.listBoxes);
    ExpectRegistry(dialog.comboBoxes, d.comboBoxes);
    for (const CSkinComboBox* combo : dialog.comboBoxes) {
        EXPECT_EQ(combo->ButtonPart()->name, "COMBO_BTN");
        EXPECT_EQ(combo->EditPart()->name, "COMBO_EDIT");
        EXPECT_EQ(combo->ListPart()->name, "COMBO_LIST");
    }
    EXPECT_EQ(dialog.captionLabel != nullptr, d.caption.has_value());
    if (d.screenRect) {
        EXPECT_EQ(dialog.screenRect, *d.screenRect);
    }
}

int ChildWidgets(const QWidget& window) {
    return int(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size());
}

// The window outline the literal way: the whole rectangle, one pixel at a time taken out.
QRegion PerPixelOutline(const QImage& image, QRgb cut) {
    QRegion region(image.rect());
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == cut) {
                region ^= QRegion(x, y, 1, 1);
            }
        }
    }
    return region;
}

void Click(QWidget& window, QPoint point) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
}

void ShowAndWait(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

const char* const kEventSkin = R"([Screen]
Main=back.bmp
[TRANSPARENT]
COLOR=0xFF00FF
[BUTTONINFO]
1=BUTTON_A,button.bmp,10,10,40,30,first,F
2=
3=BUTTON_C,button.bmp,50,10,80,30,third,F
4=BUTTON_PAUSE,button.bmp,90,10,120,30,pause,F
5=BUTTON_PLAY,button.bmp,130,10,160,30,play,F
6=BUTTON_A,button.bmp,170,10,200,30,duplicate,F
[TASKBARBUTTON]
1=TASKBUTTON_EXIT,button.bmp,2,2,22,22,Close,F
[OPTIONINFO]
1=OPTION_ONE,button.bmp,10,50,40,70,,F,TRUE
2=OPTION_AUDIOSTREAM1,button.bmp,50,50,80,70,,F,TRUE
3=OPTION_THREE,button.bmp,90,50,120,70,,F,FALSE
[CHECKINFO]
1=CHECK_LOOP,button.bmp,10,90,40,110,,F,FALSE
[SLIDERINFO]
1=SLIDER_VOLUME,channel.bmp,thumb.bmp,thumb.bmp,10,130,210,146,H,100,
[EDITBOXINFO]
1=EDIT_ON,10,160,200,180,0xFFFFFF,0x000000,0x808080,TRUE
2=EDIT_OFF,10,190,200,210,0xFFFFFF,0x000000,0x808080,true
[CONTROL]
CONTROL=300,20,600,400
)";

class SkinDialogTest : public ::testing::Test {
protected:
    void WriteEventSkin() {
        skin.Ini(kEventSkin);
        skin.Bitmap("back.bmp", QSize(CSkinDialog::kWindowWidth, CSkinDialog::kWindowHeight),
                    Qt::darkCyan);
        skin.Bitmap("button.bmp", QSize(120, 20), Qt::yellow);
        skin.Bitmap("channel.bmp", QSize(200, 6), Qt::gray);
        skin.Bitmap("thumb.bmp", QSize(10, 16), Qt::red);
    }

    TestSkin skin;
    RecordingDialog dialog;
};

} // namespace

TEST(SkinDialogBundledTest, EachBundledSkinBuildsExactlyItsControls) {
    RecordingDialog dialog;
    std::vector<int> childCounts;
    for (const std::string& package : BundledPackageNames()) {
        SCOPED_TRACE(package);
        TempDir folder;
        ExtractAll(BundledPackage(package), folder.path());
        dialog.Load(folder.path().string() + "/");
        const SkinDescription d = SkinDescriptionReader(dialog.SkinFile().toStdString()).ReadAll();
        ExpectSkin(dialog, d);
        EXPECT_FALSE(dialog.buttons.empty());
        EXPECT_FALSE(dialog.mask().isEmpty());

        RecordingDialog fresh;
        fresh.Load(folder.path().string() + "/");
        EXPECT_EQ(ChildWidgets(dialog), ChildWidgets(fresh)) << "child widgets leaked";
        childCounts.push_back(ChildWidgets(dialog));
    }
    EXPECT_GT(*std::max_element(childCounts.begin(), childCounts.end()),
              *std::min_element(childCounts.begin(), childCounts.end()))
        << "the bundled skins should differ in their controls";
}

TEST(SkinDialogOutlineTest, RunsGiveThePerPixelArea) {
    QRandomGenerator random(7);
    const QRgb palette[] = {qRgb(255, 0, 255), qRgb(0, 0, 0), qRgb(10, 200, 30)};
    for (int round = 0; round < 40; ++round) {
        QImage image(1 + random.bounded(24), 1 + random.bounded(18), QImage::Format_RGB32);
        bool anyCut = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = palette[random.bounded(3)];
                image.setPixel(x, y, pixel);
                anyCut = anyCut || pixel == palette[0];
            }
        }
        RecordingDialog dialog;
        QRegion region;
        const bool cut = dialog.BuildWindowRegion(region, image, Rgb(255, 0, 255));
        const QRegion reference = PerPixelOutline(image, palette[0]);
        EXPECT_TRUE((region ^ reference).isEmpty()) << "round " << round;
        EXPECT_TRUE((dialog.mask() ^ reference).isEmpty());
        EXPECT_EQ(cut, anyCut);
    }
}

TEST_F(SkinDialogTest, ABackgroundWithoutTheTransparentColourShapesNothingAway) {
    skin.Ini("[Screen]\nMain=back.bmp\n[TRANSPARENT]\nCOLOR=0xFF00FF\n");
    skin.Bitmap("back.bmp", QSize(300, 200), Qt::blue);
    dialog.Load(skin.Folder());
    EXPECT_TRUE((dialog.mask() ^ QRegion(0, 0, 300, 200)).isEmpty());
    QRegion region;
    EXPECT_FALSE(dialog.BuildWindowRegion(region, QImage(dialog.BackgroundDC()), Rgb(255, 0, 255)));
}

// The check reads the description once; what the disk says afterwards is not read again.
TEST_F(SkinDialogTest, TheUsabilityCheckJudgesTheDescriptionAsRead) {
    skin.Ini("[Screen]\nMain=back.bmp\n");
    skin.Bitmap("back.bmp", QSize(30, 20), Qt::blue);
    const SkinDescriptionReader description(skin.IniPath().toStdString());
    skin.Ini("[Screen]\nMain=gone.bmp\n");
    EXPECT_EQ(CSkinUsability::Problem(description), std::nullopt);
    EXPECT_NE(CSkinUsability::Problem(SkinDescriptionReader(skin.IniPath().toStdString())),
              std::nullopt);
}

TEST_F(SkinDialogTest, AMissingBackgroundLeavesTheWindowUnshapedWithItsControls) {
    WriteEventSkin();
    std::filesystem::remove(skin.Folder() + "back.bmp");
    dialog.Load(skin.Folder());
    EXPECT_TRUE(dialog.mask().isEmpty());
    EXPECT_TRUE(dialog.BackgroundDC().isNull());
    EXPECT_EQ(dialog.buttons.size(), 5u);
    ShowAndWait(dialog);
    Click(dialog, QPoint(60, 20));
    EXPECT_EQ(dialog.calls, std::vector<QString>{"button BUTTON_C"});
}

TEST_F(SkinDialogTest, BuildsEachKindAsItsRecordSays) {
    WriteEventSkin();
    dialog.Load(skin.Folder());
    EXPECT_EQ(dialog.FindButton("BUTTON_A")->toolTip(), "first") << "the lower key wins";
    EXPECT_FALSE(dialog.FindButton("BUTTON_PAUSE")->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.FindButton("BUTTON_PLAY")->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.edits[0]->isEnabled());
    EXPECT_FALSE(dialog.edits[1]->isEnabled()) << "only exactly TRUE enables";
    EXPECT_EQ(dialog.IsButtonLatched("OPTION_ONE"), 0) << "options are not buttons";
    EXPECT_EQ(dialog.options[0]->Latched(), 1);
    EXPECT_EQ(dialog.GetSliderPos("SLIDER_VOLUME"), 100);
    EXPECT_EQ(dialog.screenRect, (Rect{300, 20, 600, 400}));

    ASSERT_NE(dialog.Notifier(), nullptr);
    const auto taskbar = dialog.Notifier()->findChildren<CSkinButton*>();
    ASSERT_EQ(taskbar.size(), 1);
    EXPECT_EQ(taskbar[0]->name, "TASKBUTTON_EXIT");
    EXPECT_EQ(dialog.FindButton("TASKBUTTON_EXIT"), nullptr);
}

TEST_F(SkinDialogTest, ClicksArriveByNameEvenAfterAnEmptyRecord) {
    WriteEventSkin();
    dialog.Load(skin.Folder());
    ShowAndWait(dialog);
    Click(dialog, QPoint(20, 20));
    Click(dialog, QPoint(60, 20));
    Click(dialog, QPoint(20, 100)); // the check box reports nothing by name
    EXPECT_EQ(dialog.calls, (std::vector<QString>{"button BUTTON_A", "button BUTTON_C"}));
    EXPECT_EQ(dialog.checks[0]->Latched(), 1);

    dialog.OnButtonClicked(1);
    dialog.OnButtonClicked(42);
    EXPECT_EQ(dialog.calls.size(), 2u) << "an index no control has does nothing";
}

TEST_F(SkinDialogTest, AnOptionClearsTheGroupButTheAudioStreamOption) {
    WriteEventSkin();
    dialog.Load(skin.Folder());
    ShowAndWait(dialog);
    Click(dialog, QPoint(100, 60));
    EXPECT_EQ(dialog.calls, std::vector<QString>{"option OPTION_THREE"});
    EXPECT_EQ(dialog.options[0]->Latched(), 0);
    EXPECT_EQ(dialog.options[1]->Latched(), 1);
    EXPECT_EQ(dialog.options[2]->Latched(), 1);
}

TEST_F(SkinDialogTest, ASliderMoveArrivesByName) {
    WriteEventSkin();
    dialog.Load(skin.Folder());
    ShowAndWait(dialog);
    Click(dialog, QPoint(200, 138));
    ASSERT_FALSE(dialog.calls.empty());
    EXPECT_TRUE(dialog.calls.back().startsWith("slider SLIDER_VOLUME "))
        << dialog.calls.back().toStdString();
    EXPECT_GT(dialog.GetSliderPos("SLIDER_VOLUME"), 100);
}

TEST_F(SkinDialogTest, EscapeAndReturnNeverCloseTheWindow) {
    WriteEventSkin();
    dialog.Load(skin.Folder());
    ShowAndWait(dialog);
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    QTest::keyClick(dialog.edits[0], Qt::Key_Escape);
    QTest::keyClick(dialog.edits[0], Qt::Key_Enter);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(SkinDialogTest, TheTimeDisplayNeedsBothItsParts) {
    skin.Ini("[SLIDERINFO]\n1=SLIDER_PROGRESS,c.bmp,t.bmp,t.bmp,10,10,200,20,H,3725,\n"
             "[LABELINFO]\n1=LABEL_TIME,10,30,200,50,,Arial,10,0xFFFFFF\n");
    dialog.Load(skin.Folder());
    EXPECT_EQ(dialog.FindLabel("LABEL_TIME")->Text(), "01:02:05/02:00:00");
    EXPECT_FALSE(dialog.FindLabel("LABEL_TIME")->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.FindSlider("SLIDER_PROGRESS")->isVisibleTo(&dialog));

    skin.Ini("[SLIDERINFO]\n1=SLIDER_PROGRESS,c.bmp,t.bmp,t.bmp,10,10,200,20,H,5,\n");
    dialog.Load(skin.Folder());
    EXPECT_TRUE(dialog.FindSlider("SLIDER_PROGRESS")->isVisibleTo(&dialog));
}

TEST_F(SkinDialogTest, ASecondSkinKeepsTheIconAndTheViewerPlaceItDoesNotName) {
    WriteEventSkin();
    dialog.Load(skin.Folder());
    TestSkin second;
    second.Ini("[Screen]\nMain=back.bmp\n[CHECKINFO]\n1=CHECK_ONLY,b.bmp,1,1,9,9,,F,F\n");
    second.Bitmap("back.bmp", QSize(100, 100), Qt::green);
    dialog.Load(second.Folder());
    EXPECT_TRUE(dialog.buttons.empty());
    EXPECT_TRUE(dialog.options.empty());
    ASSERT_EQ(dialog.checks.size(), 1u);
    EXPECT_EQ(dialog.checks[0]->name, "CHECK_ONLY");
    EXPECT_EQ(dialog.screenRect, (Rect{300, 20, 600, 400}));
    EXPECT_EQ(dialog.transparentColour, Rgb(255, 0, 255));
}

TEST(SkinDialogLookupTest, UnknownNamesFindNothingAndChangeNothing) {
    RecordingDialog dialog;
    EXPECT_EQ(dialog.FindButton("NONE"), nullptr);
    EXPECT_EQ(dialog.FindSlider("NONE"), nullptr);
    EXPECT_EQ(dialog.FindLabel("NONE"), nullptr);
    EXPECT_EQ(dialog.IsButtonLatched("NONE"), 0);
    EXPECT_EQ(dialog.GetSliderPos("NONE"), 0);
    dialog.EnableButton("NONE", false);
    dialog.SetButtonLatched("NONE", 1);
    dialog.SetSliderPos("NONE", 5);
    dialog.SetButtonTooltip("NONE", "x");
}

TEST(SkinDialogLookupTest, FormatTimeClampsAtNinetyNineHours) {
    EXPECT_EQ(CSkinDialog::FormatTime(3725), "01:02:05");
    EXPECT_EQ(CSkinDialog::FormatTime(400000), "99:59:59");
    EXPECT_EQ(CSkinDialog::FormatTime(0), "00:00:00");
}
