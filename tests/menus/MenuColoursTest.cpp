#include "menus/MenuColours.h"

#include "platform/QtConvert.h"

#include <QApplication>
#include <QMenu>
#include <QPalette>
#include <climits>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF Grey(int v) {
    return Rgb(v, v, v);
}

TEST(MenuColours, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(239, 127, 255), 119); // 119.03
    EXPECT_EQ(MulDiv(25, 86, 100), 22);    // 21.5
    EXPECT_EQ(MulDiv(25, 14, 100), 4);     // 3.5
    EXPECT_EQ(MulDiv(7, 1, 2), 4);
    EXPECT_EQ(MulDiv(-7, 1, 2), -4);
    EXPECT_EQ(MulDiv(7, -1, 2), -4);
    EXPECT_EQ(MulDiv(7, 1, -2), -4);
    EXPECT_EQ(MulDiv(-7, -1, -2), -4);
    EXPECT_EQ(MulDiv(10, 1, 3), 3);
    EXPECT_EQ(MulDiv(20, 1, 3), 7);
}

TEST(MenuColours, MulDivAnswersMinusOneForZeroDivisorAndOverflow) {
    EXPECT_EQ(MulDiv(5, 3, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 2), INT_MAX); // the product is wide enough
}

TEST(MenuColours, DarkenScalesEachChannelBy255MinusKOver255) {
    EXPECT_EQ(Darken(128, Grey(239)), Grey(119));
    EXPECT_EQ(Darken(30, Rgb(255, 128, 0)), Rgb(225, 113, 0));
    EXPECT_EQ(Darken(0, Rgb(12, 34, 56)), Rgb(12, 34, 56));
    EXPECT_EQ(Darken(255, Rgb(12, 34, 56)), Rgb(0, 0, 0));
    EXPECT_EQ(Darken(120, Rgb(200, 100, 50)), Rgb(106, 53, 26)); // 105.88, 52.94, 26.47
}

TEST(MenuColours, BlendTakes86PercentOfTheFirstAnd14OfTheSecond) {
    EXPECT_EQ(Blend(Grey(255), Grey(239)), Grey(252));
    EXPECT_EQ(Blend(Grey(0), Grey(255)), Grey(36));
    EXPECT_EQ(Blend(Grey(255), Grey(0)), Grey(219));
    EXPECT_EQ(Blend(Grey(255), Grey(255)), Grey(255));
    // Each product is rounded on its own: 21.5 → 22 and 3.5 → 4.
    EXPECT_EQ(Blend(Grey(25), Grey(25)), Grey(26));
    EXPECT_EQ(Blend(Rgb(255, 0, 100), Rgb(0, 255, 200)), Rgb(219, 36, 114));
}

TEST(MenuColours, NearestDeviceColour) {
    EXPECT_EQ(NearestDeviceColour(Rgb(203, 201, 7), 24), Rgb(203, 201, 7));
    EXPECT_EQ(NearestDeviceColour(Rgb(203, 201, 7), 32), Rgb(203, 201, 7));
    // 5-6-5: 203 → 25 → 206, 201 → 50 → 203, 7 → 0.
    EXPECT_EQ(NearestDeviceColour(Rgb(203, 201, 7), 16), Rgb(206, 203, 0));
    // 5-5-5: 201 → 25 → 206.
    EXPECT_EQ(NearestDeviceColour(Rgb(203, 201, 7), 15), Rgb(206, 206, 0));
    EXPECT_EQ(NearestDeviceColour(Rgb(250, 10, 10), 8), Rgb(255, 0, 0));
    EXPECT_EQ(NearestDeviceColour(Grey(246), 8), Rgb(255, 251, 240));
    EXPECT_EQ(NearestDeviceColour(Grey(190), 4), Grey(192));
}

MenuSystemColours Classic() {
    MenuSystemColours system;
    system.menu = Grey(192);
    system.window = Grey(255);
    system.buttonFace = Rgb(212, 208, 200);
    system.buttonShadow = Grey(128);
    system.buttonText = Grey(0);
    return system;
}

TEST(MenuColours, FrameColoursOnATrueColourScreen) {
    const MenuFrameColours colours = ComputeFrameColours(Classic(), 64000, 24);
    EXPECT_EQ(colours.light, Grey(246)); // blend(window, menu)
    EXPECT_EQ(colours.dark, Grey(96));   // darken(128, menu)
    EXPECT_EQ(colours.bar, Grey(201));   // blend(menu, window)
}

TEST(MenuColours, BarIsTheButtonFaceOnScreensOfAtMost256Colours) {
    const MenuFrameColours colours = ComputeFrameColours(Classic(), 256, 8);
    EXPECT_EQ(colours.light, Grey(246));
    EXPECT_EQ(colours.dark, Grey(96));
    EXPECT_EQ(colours.bar, Rgb(212, 208, 200));
}

TEST(MenuColours, LightAndBarOfTheSameDeviceColourBecomeWindowAndMenu) {
    // True colour: blend(25, 26) = 22 + 4 = 26 and blend(26, 25) = 22 + 4 = 26 exactly.
    MenuSystemColours system = Classic();
    system.window = Grey(25);
    system.menu = Grey(26);
    MenuFrameColours colours = ComputeFrameColours(system, 64000, 24);
    EXPECT_EQ(colours.light, Grey(25));
    EXPECT_EQ(colours.bar, Grey(26));

    // 16 bits: 203 and 201 are both shown as 206, 203, 206.
    system.window = Grey(204);
    system.menu = Grey(200);
    colours = ComputeFrameColours(system, 64000, 24);
    EXPECT_EQ(colours.light, Grey(203));
    EXPECT_EQ(colours.bar, Grey(201));
    colours = ComputeFrameColours(system, 64000, 16);
    EXPECT_EQ(colours.light, Grey(204));
    EXPECT_EQ(colours.bar, Grey(200));
    EXPECT_EQ(colours.dark, Darken(128, Grey(200)));

    // 8 bits: light 246 and a button face of 245 are both the palette's cream.
    system = Classic();
    system.buttonFace = Grey(245);
    colours = ComputeFrameColours(system, 256, 8);
    EXPECT_EQ(colours.light, Grey(255));
    EXPECT_EQ(colours.bar, Grey(192));
}

TEST(MenuColours, MenuColourIsTheMenusOwnBackgroundOrThePlatformsMenuColour) {
    QMenu menu;
    const COLORREF platform =
        ToColorRef(QApplication::palette(&menu).color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(MenuColourOf(&menu), platform);

    // A palette of the menu's own that leaves the background alone changes nothing.
    QPalette text;
    text.setColor(QPalette::WindowText, Qt::red);
    menu.setPalette(text);
    EXPECT_EQ(MenuColourOf(&menu), platform);

    QPalette own;
    own.setColor(QPalette::Window, QColor(10, 20, 30));
    menu.setPalette(own);
    EXPECT_EQ(MenuColourOf(&menu), Rgb(10, 20, 30));
}

TEST(MenuColours, SystemColoursComeFromTheMenusPalette) {
    QMenu menu;
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Dark, QColor(7, 8, 9));
    palette.setColor(QPalette::ButtonText, QColor(10, 11, 12));
    menu.setPalette(palette);
    const MenuSystemColours system = SystemColoursOf(&menu);
    EXPECT_EQ(system.window, Rgb(1, 2, 3));
    EXPECT_EQ(system.buttonFace, Rgb(4, 5, 6));
    EXPECT_EQ(system.buttonShadow, Rgb(7, 8, 9));
    EXPECT_EQ(system.buttonText, Rgb(10, 11, 12));
}

} // namespace
