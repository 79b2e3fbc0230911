#include "skin/SkinDescriptionReader.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using tipin::test::TempDir;

namespace {

const char* const kSampleSkin = R"([Screen]
Main=back.bmp
[TRANSPARENT]
COLOR=0xFF00FF
[ICON]
ICON=logo.bmp,8,4,40,36
[CAPTION]
CAPTION=CAPTION,48,8,300,26,Sample,Arial,16,0xFFFFFF
[BUTTONINFO]
1=BUTTON_BROWSE,browse.bmp,320,60,344,84,Choose the file,F
2=BUTTON_EXIT,exit.bmp,380,6,396,22,Close,F
[SLIDERINFO]
1=SLIDER_PROGRESS,chan.bmp,thumb.bmp,thumb2.bmp,20,300,380,312,H,0,Position
[LABELINFO]
1=LABEL_TIME,20,280,200,296,,Arial,12,0x000000
[EDITBOXINFO]
1=EDIT_FILE,20,60,310,80,0xFFFFFF,0x000000,0x808080,TRUE
[CHECKINFO]
1=CHECK_LOOP,check.bmp,20,320,36,336,Repeat,F,TRUE
[CONTROL]
CONTROL=20,100,400,270
)";

class SkinDescriptionReaderTest : public ::testing::Test {
protected:
    SkinDescription Read(const std::string& content, COLORREF previous = kNoColour) {
        return SkinDescriptionReader(dir.write("Skin.ini", content).string()).ReadAll(previous);
    }
    std::string InSkin(const std::string& name) const { return dir.path().string() + "/" + name; }
    TempDir dir;
};

} // namespace

TEST_F(SkinDescriptionReaderTest, ReadsTheSampleSkin) {
    const SkinDescription d = Read(kSampleSkin);
    EXPECT_EQ(d.background, InSkin("back.bmp"));
    EXPECT_EQ(d.transparentColour, Rgb(0xFF, 0x00, 0xFF));
    ASSERT_TRUE(d.icon);
    EXPECT_EQ(d.icon->bitmap, InSkin("logo.bmp"));
    EXPECT_EQ(d.icon->rect, (Rect{8, 4, 40, 36}));

    ASSERT_TRUE(d.caption);
    EXPECT_EQ(d.caption->rect, (Rect{48, 8, 300, 26}));
    EXPECT_EQ(d.caption->text, "Sample");
    EXPECT_EQ(d.caption->fontFace, "Arial");
    EXPECT_EQ(d.caption->fontSize, 16);
    EXPECT_EQ(d.caption->textColour, 0x00FFFFFFu);

    ASSERT_EQ(d.buttons.size(), 2u);
    EXPECT_EQ(d.buttons[1].index, 1);
    EXPECT_EQ(d.buttons[1].name, "BUTTON_EXIT");
    EXPECT_EQ(d.buttons[1].bitmap, InSkin("exit.bmp"));
    EXPECT_EQ(d.buttons[1].rect, (Rect{380, 6, 396, 22}));
    EXPECT_EQ(d.buttons[1].tooltip, "Close");
    EXPECT_FALSE(d.buttons[1].latchOnly);

    ASSERT_EQ(d.sliders.size(), 1u);
    const SliderRecord& s = d.sliders[0];
    EXPECT_EQ(s.name, "SLIDER_PROGRESS");
    EXPECT_EQ(s.channelBitmap, InSkin("chan.bmp"));
    EXPECT_EQ(s.thumbBitmap, InSkin("thumb.bmp"));
    EXPECT_EQ(s.thumbActiveBitmap, InSkin("thumb2.bmp"));
    EXPECT_EQ(s.rect, (Rect{20, 300, 380, 312}));
    EXPECT_FALSE(s.vertical);
    EXPECT_EQ(s.position, 0);
    EXPECT_EQ(s.tooltip, "Position");

    ASSERT_EQ(d.labels.size(), 1u);
    EXPECT_EQ(d.labels[0].text, "");
    EXPECT_EQ(d.labels[0].textColour, 0u);

    ASSERT_EQ(d.edits.size(), 1u);
    EXPECT_EQ(d.edits[0].backgroundColour, 0x00FFFFFFu);
    EXPECT_EQ(d.edits[0].borderColour, 0x00808080u);
    EXPECT_TRUE(d.edits[0].enabled);

    ASSERT_EQ(d.checks.size(), 1u);
    EXPECT_TRUE(d.checks[0].latched);
    EXPECT_FALSE(d.checks[0].latchOnly);
    EXPECT_EQ(d.checks[0].tooltip, "Repeat");

    ASSERT_TRUE(d.screenRect);
    EXPECT_EQ(d.screenRect->Width(), 380);
    EXPECT_EQ(d.screenRect->Height(), 170);
    EXPECT_TRUE(d.options.empty());
    EXPECT_TRUE(d.listBoxes.empty());
    EXPECT_TRUE(d.comboBoxes.empty());
    EXPECT_TRUE(d.taskbarButtons.empty());
}

TEST_F(SkinDescriptionReaderTest, GapsInKeyNumbersSkipTheMissingAndDropTheLast) {
    const SkinDescription d = Read("[BUTTONINFO]\n1=A,a.bmp,0,0,1,1\n2=B,b.bmp,0,0,1,1\n"
                                   "4=D,d.bmp,0,0,1,1\n");
    ASSERT_EQ(d.buttons.size(), 2u);
    EXPECT_EQ(d.buttons[0].name, "A");
    EXPECT_EQ(d.buttons[1].name, "B");
    EXPECT_EQ(d.buttons[1].index, 1);
}

TEST_F(SkinDescriptionReaderTest, MissingTrailingTokensRepeatTheLast) {
    const SkinDescription d = Read("[BUTTONINFO]\n1=A,a.bmp,1,2,3,4\n2=B,b.bmp,1,2,3,Tall\n");
    ASSERT_EQ(d.buttons.size(), 2u);
    EXPECT_EQ(d.buttons[0].tooltip, "4");
    EXPECT_FALSE(d.buttons[0].latchOnly);
    EXPECT_EQ(d.buttons[1].rect.bottom, 0);
    EXPECT_EQ(d.buttons[1].tooltip, "Tall");
    EXPECT_TRUE(d.buttons[1].latchOnly);
}

TEST_F(SkinDescriptionReaderTest, EmptyColoursAreNoColourAndOnlyTrueEnables) {
    const SkinDescription d = Read("[EDITBOXINFO]\n1=E,0,0,10,10,,,,TRUE\n"
                                   "2=F,0,0,10,10,0x0000FF,255,1,TRUE!\n");
    ASSERT_EQ(d.edits.size(), 2u);
    EXPECT_EQ(d.edits[0].backgroundColour, kNoColour);
    EXPECT_EQ(d.edits[0].textColour, kNoColour);
    EXPECT_EQ(d.edits[0].borderColour, kNoColour);
    EXPECT_TRUE(d.edits[0].enabled);
    EXPECT_EQ(d.edits[1].backgroundColour, 0x00FF0000u);
    EXPECT_EQ(d.edits[1].textColour, 0x00FF0000u);
    EXPECT_EQ(d.edits[1].borderColour, 0x00010000u);
    EXPECT_FALSE(d.edits[1].enabled);
}

TEST_F(SkinDescriptionReaderTest, SliderPositionIsClampedAndVerticalNeedsACapitalV) {
    const SkinDescription d = Read("[SLIDERINFO]\n1=S,c,t,a,0,0,9,9,V,99999,tip\n"
                                   "2=S2,c,t,a,0,0,9,9,v,-4,tip\n");
    ASSERT_EQ(d.sliders.size(), 2u);
    EXPECT_TRUE(d.sliders[0].vertical);
    EXPECT_EQ(d.sliders[0].position, SliderRecord::kMaxPosition);
    EXPECT_FALSE(d.sliders[1].vertical);
    EXPECT_EQ(d.sliders[1].position, 0);
}

TEST_F(SkinDescriptionReaderTest, ReadsListAndComboRecordsFieldByField) {
    const SkinDescription d =
        Read("[LISTBOXINFO]\n1=LIST,1,2,3,4,0x010203,0x040506,0x070809,0x0A0B0C,"
             "s1,s2,s3,s4,s5,s6,s7\n"
             "[COMBOBOXINFO]\n1=COMBO,5,6,7,8,combo.bmp,0x111111,0x222222,0x333333,"
             "0x444444,0x555555,0x666666,0x777777,c1,c2,c3,c4,c5,c6\n");
    ASSERT_EQ(d.listBoxes.size(), 1u);
    const ListBoxRecord& list = d.listBoxes[0];
    EXPECT_EQ(list.rect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(list.colours.normalBackground, Rgb(1, 2, 3));
    EXPECT_EQ(list.colours.normalText, Rgb(4, 5, 6));
    EXPECT_EQ(list.colours.selectedBackground, Rgb(7, 8, 9));
    EXPECT_EQ(list.colours.selectedText, Rgb(10, 11, 12));
    EXPECT_EQ(list.scrollBitmaps[0], InSkin("s1"));
    EXPECT_EQ(list.scrollBitmaps[6], InSkin("s7"));

    ASSERT_EQ(d.comboBoxes.size(), 1u);
    const ComboBoxRecord& combo = d.comboBoxes[0];
    EXPECT_EQ(combo.bitmap, InSkin("combo.bmp"));
    EXPECT_EQ(combo.editBorder, 0x00333333u);
    EXPECT_EQ(combo.listColours.selectedText, 0x00777777u);
    EXPECT_EQ(combo.scrollBitmaps[5], InSkin("c6"));
    EXPECT_EQ(combo.scrollBitmaps[6], InSkin("c6"));
}

TEST_F(SkinDescriptionReaderTest, EmptySingleValuesLeaveItemsUnset) {
    const SkinDescription d =
        Read("[Screen]\nMain=\n[TRANSPARENT]\nCOLOR=\n[ICON]\nICON=\n", Rgb(1, 2, 3));
    EXPECT_EQ(d.background, "");
    EXPECT_EQ(d.transparentColour, Rgb(1, 2, 3));
    EXPECT_FALSE(d.icon);
    EXPECT_FALSE(d.caption);
    EXPECT_FALSE(d.screenRect);
}

TEST_F(SkinDescriptionReaderTest, AMissingOrBrokenFileReadsAsAnEmptySkin) {
    const SkinDescription missing =
        SkinDescriptionReader((dir.path() / "absent.ini").string()).ReadAll();
    EXPECT_EQ(missing.background, "");
    EXPECT_EQ(missing.transparentColour, kNoColour);
    EXPECT_TRUE(missing.buttons.empty());

    const SkinDescription folder = SkinDescriptionReader(dir.path().string()).ReadAll();
    EXPECT_TRUE(folder.buttons.empty());

    const SkinDescription garbage = Read(std::string("\0\xff[BUTTONINFO\n1=,,,,\n\x01", 20));
    EXPECT_TRUE(garbage.labels.empty());
}

TEST_F(SkinDescriptionReaderTest, RealWorldQuirksReadAsTheyWereMeant) {
    const SkinDescription d = Read("\xEF\xBB\xBF; exported by a skin editor\r\n"
                                   "[buttoninfo]\r\n"
                                   "  1 =  \"BUTTON_CLOSE,x.bmp,1,2,3,4,Close,F\"  \r\n"
                                   "[ButtonInfo]\r\n"
                                   "2=IGNORED,y.bmp,0,0,1,1,Late,F\r\n"
                                   "[Transparent]\r\ncolor = 0x00FF00\r\n");
    ASSERT_EQ(d.buttons.size(), 1u);
    EXPECT_EQ(d.buttons[0].name, "BUTTON_CLOSE");
    EXPECT_EQ(d.buttons[0].tooltip, "Close");
    EXPECT_EQ(d.transparentColour, Rgb(0, 0xFF, 0));
}

TEST_F(SkinDescriptionReaderTest, BitmapNamesThatLeaveTheSkinFolderLoadNothing) {
    const SkinDescription d = Read("[Screen]\nMain=..\\..\\secret.bmp\n[BUTTONINFO]\n"
                                   "1=B,/etc/passwd,0,0,1,1,t,F\n");
    EXPECT_EQ(d.background, "");
    ASSERT_EQ(d.buttons.size(), 1u);
    EXPECT_EQ(d.buttons[0].bitmap, "");
}

TEST_F(SkinDescriptionReaderTest, ListSectionsStopAt1024RecordsAndSayHowManyWereLeft) {
    std::string ini = "[LABELINFO]\n";
    for (int i = 1; i <= 1100; ++i) {
        ini += std::to_string(i) + "=L" + std::to_string(i) + ",0,0,1,1,t,Sans,9,0\n";
    }
    const SkinDescription d = Read(ini);
    ASSERT_EQ(d.labels.size(), 1024u);
    EXPECT_EQ(d.labels.back().name, "L1024");
    EXPECT_EQ(d.ignoredRecords,
              (std::vector<std::pair<std::string, std::size_t>>{{"LABELINFO", 76}}));
}

TEST_F(SkinDescriptionReaderTest, ADescriptionOverOneMebibyteIsRefusedWhole) {
    const std::string head = "[Screen]\nMain=back.bmp\n;";
    const SkinDescriptionReader within(
        dir.write("Skin.ini", head + std::string((1 << 20) - head.size(), 'x')).string());
    EXPECT_FALSE(within.TooLarge());
    EXPECT_EQ(within.Background(), InSkin("back.bmp"));
    const SkinDescriptionReader over(
        dir.write("Skin.ini", head + std::string((1 << 20) + 1 - head.size(), 'x')).string());
    EXPECT_TRUE(over.TooLarge());
    EXPECT_EQ(over.Background(), "");
}
