#include "platform/Profile.h"

#include "platform/ProfileSnapshot.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using tipin::test::TempDir;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& content) { return dir.write("Skin.ini", content); }
    std::string Read(const std::string& file, const std::string& section, const std::string& key) {
        return Profile::ReadString(file, section, key, "<default>");
    }
    TempDir dir;
};

} // namespace

TEST_F(ProfileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    const std::string ini = Write("[ButtonInfo]\nKey=one\n");
    EXPECT_EQ(Read(ini, "BUTTONINFO", "key"), "one");
    EXPECT_EQ(Read(ini, "buttoninfo", "KEY"), "one");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyOfANameWin) {
    const std::string ini = Write("[A]\nk=first\nk=second\n[B]\nk=b\n[a]\nk=third\nonly=later\n");
    EXPECT_EQ(Read(ini, "A", "k"), "first");
    EXPECT_EQ(Read(ini, "A", "only"), "<default>");
    EXPECT_EQ(Read(ini, "B", "k"), "b");
}

TEST_F(ProfileTest, TrimsBlanksAroundKeysAndValues) {
    const std::string ini = Write("  [ S ]  \n\t key \t=\t  a value with  inner blanks  \n");
    EXPECT_EQ(Read(ini, "S", "key"), "a value with  inner blanks");
}

TEST_F(ProfileTest, StripsOnePairOfEnclosingQuotes) {
    const std::string ini =
        Write("[S]\nd=\"quoted\"\ns='single'\nm=\"mixed'\nh=\"half\ni=a \"b\" c\nn=\"\"x\"\"\n");
    EXPECT_EQ(Read(ini, "S", "d"), "quoted");
    EXPECT_EQ(Read(ini, "S", "s"), "single");
    EXPECT_EQ(Read(ini, "S", "m"), "\"mixed'");
    EXPECT_EQ(Read(ini, "S", "h"), "\"half");
    EXPECT_EQ(Read(ini, "S", "i"), "a \"b\" c");
    EXPECT_EQ(Read(ini, "S", "n"), "\"x\"");
}

TEST_F(ProfileTest, SkipsCommentsAndLinesBeforeTheFirstSection) {
    const std::string ini = Write("k=orphan\n; [S]\n[S]\n;k=comment\n  ; k=indented\nk=real\n");
    EXPECT_EQ(Read(ini, "S", "k"), "real");
}

TEST_F(ProfileTest, AcceptsEveryLineEndAndAByteOrderMark) {
    const std::string ini = Write("\xEF\xBB\xBF[S]\r\na=1\r\nb=2\rc=3\nd=4");
    EXPECT_EQ(Read(ini, "S", "a"), "1");
    EXPECT_EQ(Read(ini, "S", "b"), "2");
    EXPECT_EQ(Read(ini, "S", "c"), "3");
    EXPECT_EQ(Read(ini, "S", "d"), "4");
}

TEST_F(ProfileTest, CutsValuesAt2047Characters) {
    const std::string ini = Write("[S]\nlong=" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(Read(ini, "S", "long"), std::string(2047, 'x'));
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    const std::string ini = Write("[S]\nk=v\n");
    EXPECT_EQ(Read(ini, "T", "k"), "<default>");
    EXPECT_EQ(Read(ini, "S", "x"), "<default>");
    EXPECT_EQ(Read((dir.path() / "none.ini").string(), "S", "k"), "<default>");
    EXPECT_EQ(Read(dir.path().string(), "S", "k"), "<default>");
    EXPECT_TRUE(Profile::ReadKeyNames(dir.path().string(), "S", 16384).empty());
}

TEST_F(ProfileTest, EmptyValueAndLineWithoutEqualsAreKeysWithEmptyValues) {
    const std::string ini = Write("[S]\nempty=\nbare\n");
    EXPECT_EQ(Read(ini, "S", "empty"), "");
    EXPECT_EQ(Read(ini, "S", "bare"), "");
}

TEST_F(ProfileTest, KeyNamesComeInFileOrderWithDuplicates) {
    const std::string ini = Write("[S]\n2=b\n1=a\n; c\n2=again\nZ = z\n=noname\n[T]\n9=x\n");
    EXPECT_EQ(Profile::ReadKeyNames(ini, "S", 16384),
              (std::vector<std::string>{"2", "1", "2", "Z"}));
    EXPECT_TRUE(Profile::ReadKeyNames(ini, "U", 16384).empty());
}

TEST_F(ProfileTest, KeyNamesBeyondTheBufferAreCutOrUnseen) {
    const std::string ini = Write("[S]\nabc=1\ndefg=2\nhij=3\n");
    // Twelve characters leave ten for names and their terminators: "abc|defg|h".
    EXPECT_EQ(Profile::ReadKeyNames(ini, "S", 12), (std::vector<std::string>{"abc", "defg", "h"}));
    EXPECT_EQ(Profile::ReadKeyNames(ini, "S", 8), (std::vector<std::string>{"abc", "de"}));
    EXPECT_TRUE(Profile::ReadKeyNames(ini, "S", 2).empty());
}

TEST_F(ProfileTest, EveryReadSeesTheFileAsItIsNow) {
    const std::string ini = Write("[S]\nk=old\n");
    EXPECT_EQ(Read(ini, "S", "k"), "old");
    Write("[S]\nk=new\n");
    EXPECT_EQ(Read(ini, "S", "k"), "new");
}

TEST_F(ProfileTest, SurvivesHugeLinesAndBinaryGarbage) {
    std::string garbage(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((i * 7919) % 251);
    }
    const std::string ini =
        Write("[S]\nbig=" + std::string(1 << 20, 'y') + "\n" + garbage + "\n[S2]\nk=v\n");
    EXPECT_EQ(Read(ini, "S", "big"), std::string(2047, 'y'));
    EXPECT_EQ(Read(ini, "S2", "k"), "v");
}

TEST_F(ProfileTest, ASnapshotAnswersAsReadingTheFile) {
    const std::string text = "\xEF\xBB\xBFk=before\r[ a ]\r\n K = ' q ' \n;c=1\nk=dup\n[b\n"
                             "x\n[A]\nk=later\r\r[B]\n=empty\n y = \"v\" \n[c] tail\nz=" +
                             std::string(70000, 'w') + "\n[d]";
    const std::string ini = Write(text);
    const ProfileSnapshot snapshot = ProfileSnapshot::FromFile(ini);
    for (const char* section : {"a", "A", "b", "B", "c", "d", "none"}) {
        EXPECT_EQ(snapshot.ReadKeyNames(section, 16384), Profile::ReadKeyNames(ini, section, 16384))
            << section;
        EXPECT_EQ(snapshot.ReadKeyNames(section, 3), Profile::ReadKeyNames(ini, section, 3));
        for (const char* key : {"k", "K", "x", "y", "z", "", "missing"}) {
            EXPECT_EQ(snapshot.ReadString(section, key, "<default>"), Read(ini, section, key))
                << section << " " << key;
        }
    }
}
