#include "skin/Tokens.h"

#include "skin/IniFile.h"
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using tipin::test::TempDir;

TEST(NextToken, TakesTheTextUpToTheNextComma) {
    std::string rest = "a,b";
    EXPECT_EQ(NextToken(rest), "a");
    EXPECT_EQ(rest, "b");
}

TEST(NextToken, TheLastTokenRepeats) {
    std::string rest = "b";
    EXPECT_EQ(NextToken(rest), "b");
    EXPECT_EQ(rest, "b");
    EXPECT_EQ(NextToken(rest), "b");
}

TEST(NextToken, StripsTheRestButNotTheToken) {
    std::string rest = "a,  b  ";
    EXPECT_EQ(NextToken(rest), "a");
    EXPECT_EQ(rest, "b");

    rest = "a ,b";
    EXPECT_EQ(NextToken(rest), "a ");
    EXPECT_EQ(NextToken(rest), "b");
}

TEST(NextToken, ALeadingCommaGivesTheEmptyToken) {
    std::string rest = ",x";
    EXPECT_EQ(NextToken(rest), "");
    EXPECT_EQ(rest, "x");
}

TEST(ReadRect, ReadsFourNumbersAndRepeatsTheLast) {
    std::string rest = "10, 20, 30, 40, tail";
    EXPECT_EQ(ReadRect(rest), (Rect{10, 20, 30, 40}));
    EXPECT_EQ(rest, "tail");

    rest = "10,20,30";
    EXPECT_EQ(ReadRect(rest), (Rect{10, 20, 30, 30}));

    rest = "x,-5,7px,";
    EXPECT_EQ(ReadRect(rest), (Rect{0, -5, 7, 0}));
}

TEST(ReadRect, ClampsEveryCoordinateSoDifferencesCannotOverflow) {
    const std::pair<std::string, Rect> cases[] = {
        {"32767,-32767,32768,-32768", {32767, -32767, 32767, -32767}},
        {"-99999999999,99999999999,2147483647,-2147483648", {-32767, 32767, 32767, -32767}},
        {"-0,+12,  007,", {0, 12, 7, 0}},
    };
    for (const auto& [text, expected] : cases) {
        std::string rest = text;
        const Rect r = ReadRect(rest);
        EXPECT_EQ(r, expected) << text;
        EXPECT_LE(std::abs(r.Width()), 2 * 32767) << text;
    }
}

TEST(ReadColour, SwapsRedAndBlue) {
    EXPECT_EQ(ReadColour("0x00FF00"), 0x0000FF00u);
    EXPECT_EQ(ReadColour("0x123456"), 0x00563412u);
    EXPECT_EQ(ReadColour("0x102030"), Rgb(0x10, 0x20, 0x30));
    EXPECT_EQ(ReadColour("0x0000FF"), 0x00FF0000u);
    EXPECT_EQ(ReadColour("255"), 0x00FF0000u);
}

TEST(ReadColour, EmptyIsNoColourAndNonsenseIsBlack) {
    EXPECT_EQ(ReadColour(""), kNoColour);
    EXPECT_EQ(ReadColour("white"), 0u);
    EXPECT_EQ(ReadColour("0xFFFFFFFF"), 0x00FFFFFFu);
    EXPECT_EQ(ReadColour("-1"), 0x00FFFFFFu);
}

TEST(Flags, OnlyTheFirstCharacterOrExactTextCounts) {
    EXPECT_TRUE(ReadFlag("TRUE"));
    EXPECT_TRUE(ReadFlag("Tomato"));
    EXPECT_FALSE(ReadFlag("true"));
    EXPECT_FALSE(ReadFlag("1"));
    EXPECT_FALSE(ReadFlag(""));
    EXPECT_FALSE(ReadFlag(" T"));

    EXPECT_TRUE(ReadVertical("V"));
    EXPECT_TRUE(ReadVertical("Vertical"));
    EXPECT_FALSE(ReadVertical("vertical"));
    EXPECT_FALSE(ReadVertical("H"));
    EXPECT_FALSE(ReadVertical(""));

    EXPECT_TRUE(ReadEnabled("TRUE"));
    EXPECT_FALSE(ReadEnabled("TRUE "));
    EXPECT_FALSE(ReadEnabled("TRUEX"));
    EXPECT_FALSE(ReadEnabled("True"));
    EXPECT_FALSE(ReadEnabled(""));
}

TEST(SkinFolder, GivesTheFullFolderWithOneTrailingSeparator) {
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(SkinFolder("Test/Skin.ini"), cwd + "/Test/");
    EXPECT_EQ(SkinFolder("Skin.ini"), cwd + "/");
    EXPECT_EQ(SkinFolder("/Skin.ini"), "/");
    EXPECT_EQ(SkinFolder("/a/./b/../Skin.ini"), "/a/");
    EXPECT_EQ(SkinFolder("/work/Skin.ini/Test/Skin.ini"), "/work/Skin.ini/Test/");
}

TEST(SkinFilePath, StaysInsideTheSkinFolder) {
    EXPECT_EQ(SkinFilePath("/s/", "back.bmp"), "/s/back.bmp");
    EXPECT_EQ(SkinFilePath("/s/", "img\\btn.bmp"), "/s/img/btn.bmp");
    EXPECT_EQ(SkinFilePath("/s/", "a..b.bmp"), "/s/a..b.bmp");
    EXPECT_EQ(SkinFilePath("/s/", "../x.bmp"), "");
    EXPECT_EQ(SkinFilePath("/s/", "img\\..\\..\\x.bmp"), "");
    EXPECT_EQ(SkinFilePath("/s/", "/etc/passwd"), "");
    EXPECT_EQ(SkinFilePath("/s/", "C:\\x.bmp"), "");
}

TEST(ForEachListEntry, ReadsKeysOneToTheKeyCount) {
    TempDir dir;
    const CIniFile ini(dir.write("Skin.ini", "[BUTTONINFO]\n1=first\n2=second\n4=fourth\n"
                                             "[LABELINFO]\nfoo=x\n1=\n2=" +
                                                 std::string(400, 'z') + "\n"));
    std::vector<std::pair<int, std::string>> seen;
    const auto collect = [&](int index, std::string value) { seen.emplace_back(index, value); };

    ForEachListEntry(ini, "BUTTONINFO", collect);
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{{0, "first"}, {1, "second"}}));

    seen.clear();
    ForEachListEntry(ini, "LABELINFO", collect);
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{{1, std::string(255, 'z')}}));

    seen.clear();
    ForEachListEntry(ini, "MISSING", collect);
    EXPECT_TRUE(seen.empty());
}

TEST(CIniFile, ReportsWhetherASectionHasKeys) {
    TempDir dir;
    const CIniFile ini(dir.write("Skin.ini", "[A]\nx=1\ny=2\n[B]\n"));
    std::vector<std::string> names{"stale"};
    EXPECT_TRUE(ini.GetKeyNames("a", names));
    EXPECT_EQ(names, (std::vector<std::string>{"x", "y"}));
    EXPECT_FALSE(ini.GetKeyNames("B", names));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(ini.GetString("A", "y", "d"), "2");
    EXPECT_EQ(ini.GetString("A", "z", "d"), "d");
}
