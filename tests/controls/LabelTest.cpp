#include "controls/Label.h"

#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QRect kLabelRect(20, 20, 120, 40);

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        label = new CLabel(&host);
        label->setGeometry(kLabelRect);
        label->SetFontName("DejaVu Sans");
        label->SetFontSize(12);
    }

    // Pixels of the label that differ from the host's background.
    int Ink(QRect area = kLabelRect) {
        const QImage shot = host.Shot();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                count += shot.pixelColor(x, y) != host.BackgroundAt({x, y}) ? 1 : 0;
            }
        }
        return count;
    }

    void Show(const QString& text) {
        label->SetText(text);
        label->update();
        QApplication::processEvents();
    }

    TestHost host;
    CLabel* label = nullptr;
};

TEST_F(LabelTest, FontHeightFollowsTheLogicalDpiWithIntegerDivision) {
    ASSERT_EQ(label->logicalDpiY(), 96);
    label->SetFontSize(10);
    EXPECT_EQ(label->LabelFont().pixelSize(), 13);
    label->SetFontSize(9);
    EXPECT_EQ(label->LabelFont().pixelSize(), 12);
    EXPECT_EQ(label->LabelFont().weight(), QApplication::font().weight());
    EXPECT_EQ(label->LabelFont().family(), "DejaVu Sans");
}

TEST_F(LabelTest, ASizeWithoutHeightKeepsTheFontAndLongFacesAreCut) {
    label->SetFontSize(0);
    EXPECT_EQ(label->LabelFont().pixelSize(), 16);
    label->SetFontSize(-5);
    EXPECT_EQ(label->LabelFont().pixelSize(), 16);
    label->SetFontName(QString(40, 'x'));
    EXPECT_EQ(label->LabelFont().family(), QString(31, 'x'));
}

TEST_F(LabelTest, StyleSettersChangeOnlyTheirAttribute) {
    label->SetFontBold(true);
    label->SetFontItalic(true);
    label->SetFontUnderline(true);
    EXPECT_EQ(label->LabelFont().weight(), QFont::Bold);
    EXPECT_TRUE(label->LabelFont().italic());
    EXPECT_TRUE(label->LabelFont().underline());
    label->SetFontBold(false);
    EXPECT_EQ(label->LabelFont().weight(), QFont::Normal);
    EXPECT_EQ(label->LabelFont().pixelSize(), 16);
}

TEST_F(LabelTest, TextIsWhiteUnlessToldOtherwise) {
    label->SetText("Pages");
    host.ShowAndWait();
    EXPECT_EQ(label->TextColour(), 0xFFFFFFU);
    EXPECT_GT(CountPixels(host.Shot(), kLabelRect, Qt::white), 10);
    label->SetTextColour(Rgb(255, 255, 0));
    label->update();
    QApplication::processEvents();
    EXPECT_EQ(CountPixels(host.Shot(), kLabelRect, Qt::white), 0);
    EXPECT_GT(CountPixels(host.Shot(), kLabelRect, Qt::yellow), 10);
}

TEST_F(LabelTest, AShorterTextShowsOverTheCleanBackground) {
    label->SetText("WWWWWWWWWWWW");
    host.ShowAndWait();
    ASSERT_GT(Ink(QRect(60, 20, 80, 40)), 20);
    Show(".");
    EXPECT_TRUE(label->HasBackdrop());
    EXPECT_EQ(Ink(QRect(60, 20, 80, 40)), 0);
    EXPECT_GT(Ink(), 0);
}

TEST_F(LabelTest, ATextChangeRepaintsOnlyTheLabel) {
    label->SetText("1");
    host.ShowAndWait();
    QApplication::processEvents();
    const int hostPaints = host.paints;
    Show("2");
    Show("3");
    EXPECT_EQ(host.paints, hostPaints);
}

TEST_F(LabelTest, ALineBreakStartsASecondLineAndTheRightEdgeCuts) {
    label->SetText("Top\nBottom");
    host.ShowAndWait();
    EXPECT_GT(Ink(QRect(20, 20, 120, 18)), 0);
    EXPECT_GT(Ink(QRect(20, 40, 120, 20)), 0);
    Show("Top\r\nBottom");
    EXPECT_GT(Ink(QRect(20, 40, 120, 20)), 0);
    Show(QString(100, 'W'));
    EXPECT_EQ(Ink(QRect(140, 20, 60, 40)), 0);
}

TEST_F(LabelTest, WithoutAHostTheParentShowsThrough) {
    QWidget plain;
    plain.resize(200, 100);
    auto* orphan = new CLabel(&plain);
    orphan->setGeometry(kLabelRect);
    orphan->SetText("Free");
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    QApplication::processEvents();
    EXPECT_FALSE(orphan->HasBackdrop());
}

} // namespace
} // namespace tipin::test
