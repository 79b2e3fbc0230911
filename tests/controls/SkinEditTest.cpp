#include "controls/SkinEdit.h"

#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QRect kEditRect(30, 30, 100, 20);

class SkinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit = new CSkinEdit(&host);
        edit->setGeometry(kEditRect);
    }

    // The one-pixel ring just outside the edit box.
    static std::vector<QPoint> Ring(QRect box) {
        const QRect outline = box.adjusted(-1, -1, 1, 1);
        std::vector<QPoint> points;
        for (int x = outline.left(); x <= outline.right(); ++x) {
            points.push_back({x, outline.top()});
            points.push_back({x, outline.bottom()});
        }
        for (int y = outline.top(); y <= outline.bottom(); ++y) {
            points.push_back({outline.left(), y});
            points.push_back({outline.right(), y});
        }
        return points;
    }

    bool RingShows(QRect box, QColor colour) {
        const QImage shot = host.Shot();
        for (QPoint point : Ring(box)) {
            if (shot.pixelColor(point) != colour) {
                return false;
            }
        }
        return true;
    }

    TestHost host;
    CSkinEdit* edit = nullptr;
};

TEST_F(SkinEditTest, StartsWithItsOwnColoursAndTheDefaultFont) {
    EXPECT_EQ(edit->BkColour(), 0xE7E498U);
    EXPECT_EQ(edit->TextColour(), 0U);
    EXPECT_EQ(edit->FrameColour(), 0xFFFFFFU);
    EXPECT_EQ(edit->font(), QApplication::font());
    host.ShowAndWait();
    EXPECT_TRUE(RingShows(kEditRect, Qt::white));
    EXPECT_EQ(host.Shot().pixelColor(kEditRect.topLeft() + QPoint(2, 2)), QColor(0x98, 0xE4, 0xE7));
}

TEST_F(SkinEditTest, DrawsTheFrameOutsideAndTheBackgroundInside) {
    edit->SetBkColour(Rgb(10, 20, 30));
    edit->SetTextColour(Rgb(250, 250, 0));
    edit->SetFrameColour(Rgb(255, 0, 0));
    edit->setText("Text");
    host.ShowAndWait();
    EXPECT_TRUE(RingShows(kEditRect, Qt::red));
    const QImage shot = host.Shot();
    EXPECT_EQ(shot.pixelColor(kEditRect.topLeft()), QColor(10, 20, 30));
    EXPECT_EQ(shot.pixelColor(kEditRect.bottomRight()), QColor(10, 20, 30));
    EXPECT_GT(CountPixels(shot, kEditRect, QColor(250, 250, 0)), 5);
    const QPoint beyond = kEditRect.topLeft() - QPoint(2, 2);
    EXPECT_EQ(shot.pixelColor(beyond), host.BackgroundAt(beyond));
}

TEST_F(SkinEditTest, ADisabledBoxKeepsItsColours) {
    edit->SetBkColour(Rgb(10, 20, 30));
    edit->SetTextColour(Rgb(250, 250, 0));
    edit->setText("Text");
    edit->setEnabled(false);
    host.ShowAndWait();
    const QImage shot = host.Shot();
    EXPECT_EQ(shot.pixelColor(kEditRect.topLeft()), QColor(10, 20, 30));
    EXPECT_GT(CountPixels(shot, kEditRect, QColor(250, 250, 0)), 5);
}

TEST_F(SkinEditTest, TheFrameFollowsTheBoxAndHidesWithIt) {
    host.ShowAndWait();
    const QRect moved(60, 100, 80, 24);
    edit->setGeometry(moved);
    QApplication::processEvents();
    EXPECT_TRUE(RingShows(moved, Qt::white));
    edit->hide();
    QApplication::processEvents();
    const QPoint corner = moved.topLeft() - QPoint(1, 1);
    EXPECT_EQ(host.Shot().pixelColor(corner), host.BackgroundAt(corner));
}

TEST_F(SkinEditTest, TheFrameTakesNoClicks) {
    host.ShowAndWait();
    EXPECT_EQ(host.childAt(kEditRect.topLeft() - QPoint(1, 1)), nullptr);
    EXPECT_EQ(host.childAt(kEditRect.topLeft()), edit);
}

TEST_F(SkinEditTest, FontOperationsBuildTheFontFromTenthsOfAPoint) {
    edit->SetFontSize(200);
    EXPECT_EQ(edit->font().pixelSize(), 26);
    EXPECT_EQ(edit->font().family(), "Arial");
    edit->SetFontStyle(1, 1, 1);
    EXPECT_TRUE(edit->font().italic());
    EXPECT_EQ(edit->font().weight(), QFont::Bold);
    EXPECT_TRUE(edit->font().underline());
    edit->SetFontName(QString(40, 'f'));
    EXPECT_EQ(edit->font().family(), QString(31, 'f'));
    EXPECT_EQ(edit->font().pixelSize(), 26);
}

TEST_F(SkinEditTest, PaintingDoesNotLoopThroughTheFrame) {
    host.ShowAndWait();
    QApplication::processEvents();
    const int hostPaints = host.paints;
    edit->update();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_LE(host.paints, hostPaints + 2);
}

TEST_F(SkinEditTest, WithoutAParentThereIsNoFrame) {
    CSkinEdit alone;
    alone.SetFrameColour(Rgb(1, 2, 3));
    alone.resize(50, 20);
    alone.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&alone));
    EXPECT_EQ(alone.FrameColour(), Rgb(1, 2, 3));
}

} // namespace
} // namespace tipin::test
