#include "controls/SkinListBox.h"

#include "controls/ListFont.h"
#include "tests/controls/ScrollImages.h"
#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QRect kListRect(20, 20, 216, 200);
const QColor kBk(250, 240, 200);
const QColor kText(10, 10, 10);
const QColor kSelectedBk(120, 0, 60);
const QColor kSelectedText(255, 255, 0);
using C = ScrollColours;

// A list box made as the skinned window makes one.
class SkinListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        list = new CSkinListBox(&host);
        list->setGeometry(kListRect);
        list->SetBkColour(ToColorRef(kBk));
        list->SetTextColour(ToColorRef(kText));
        list->SetSelectedBkColour(ToColorRef(kSelectedBk));
        list->SetSelectedTextColour(ToColorRef(kSelectedText));
        list->setFont(CListFont::Make("DejaVu Sans", 18, 10));
        list->SetScrollBarImages(WriteScrollImages(dir.path()));
        list->InsertColumn(Qt::AlignRight, CSkinListBox::kNumberColumnWidth);
        list->InsertColumn(Qt::AlignLeft, list->viewport()->width() - list->ScrollBar()->width() -
                                              CSkinListBox::kTextColumnMargin);
        bar = list->ScrollBar();
    }

    static COLORREF ToColorRef(QColor c) { return Rgb(c.red(), c.green(), c.blue()); }

    void Fill(int rows) {
        for (int i = 1; i <= rows; ++i) {
            list->AddItem(QString("row %1").arg(i));
        }
    }

    void Show() {
        host.ShowAndWait();
        QApplication::processEvents();
    }

    QWindow* Window() { return host.windowHandle(); }
    QPoint InBar(int x, int y) const { return bar->geometry().topLeft() + QPoint(x, y); }
    void ClickBar(int x, int y) { QTest::mouseClick(Window(), Qt::LeftButton, {}, InBar(x, y)); }
    QImage BarShot() { return host.Shot().copy(bar->geometry()); }

    TempDir dir;
    TestHost host;
    CSkinListBox* list = nullptr;
    CSkinScrollBar* bar = nullptr;
};

TEST_F(SkinListBoxTest, TheBarStandsRightOfTheNarrowedList) {
    EXPECT_EQ(bar->GetBarWidth(), 16);
    EXPECT_EQ(list->geometry(), QRect(20, 20, 200, 200));
    EXPECT_EQ(bar->geometry(), QRect(220, 20, 16, 200));
    EXPECT_EQ(bar->parentWidget(), &host);
    EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(SkinListBoxTest, NumbersRowsRightAlignedInThreeCharacters) {
    Fill(1000);
    EXPECT_EQ(list->ItemText(0, 0), "  1.");
    EXPECT_EQ(list->ItemText(0, 1), "row 1");
    EXPECT_EQ(list->ItemText(9, 0), " 10.");
    EXPECT_EQ(list->ItemText(99, 0), "100.");
    EXPECT_EQ(list->ItemText(999, 0), "1000.");
    EXPECT_EQ(list->ItemCount(), 1000);
}

TEST_F(SkinListBoxTest, RemovingSelectedRowsNumbersTheRestAgain) {
    Fill(5);
    list->selectRow(1);
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->RemoveSelected();
    ASSERT_EQ(list->ItemCount(), 3);
    const char* texts[] = {"row 1", "row 4", "row 5"};
    const char* numbers[] = {"  1.", "  2.", "  3."};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list->ItemText(row, 0), numbers[row]);
        EXPECT_EQ(list->ItemText(row, 1), texts[row]);
    }
    list->RemoveSelected();
    EXPECT_EQ(list->ItemCount(), 3) << "nothing selected, nothing removed";
}

TEST_F(SkinListBoxTest, ASelectedRowShowsTheSkinColoursAndStaysSelected) {
    Fill(3);
    list->selectRow(1);
    Show();
    const QRect row = list->visualRect(list->model()->index(1, 1)).translated(list->pos());
    const QImage shot = host.Shot();
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    EXPECT_GT(CountPixels(shot, row, kSelectedBk), row.width() * row.height() / 2);
    EXPECT_GT(CountPixels(shot, row, kSelectedText), 0);
    EXPECT_EQ(CountPixels(shot, QRect(list->geometry()), highlight), 0);
    const QRect first = list->visualRect(list->model()->index(0, 1)).translated(list->pos());
    EXPECT_EQ(CountPixels(shot, first, kSelectedBk), 0);
    EXPECT_GT(CountPixels(shot, first, kText), 0);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, QModelIndex()));
}

TEST_F(SkinListBoxTest, AShortListLeavesItsRestAndTheBarInTheBackgroundColour) {
    Fill(2);
    Show();
    EXPECT_EQ(list->ScrollLimit(), 0);
    const QImage shot = host.Shot();
    EXPECT_TRUE(AllPixels(shot, QRect(20, 120, 200, 100), kBk));
    EXPECT_TRUE(AllPixels(BarShot(), QRect(0, 0, 16, 200), kBk));
}

TEST_F(SkinListBoxTest, TheScrollLimitCountsRowsBeyondTheView) {
    Fill(100);
    Show();
    const int rowHeight = list->rowHeight(0);
    const int visible = list->viewport()->height() / rowHeight;
    EXPECT_EQ(list->ScrollLimit(), 100 - visible);
    const QImage shot = BarShot();
    EXPECT_TRUE(AllPixels(shot, QRect(0, 0, 16, 16), C::kUp));
    EXPECT_TRUE(AllPixels(shot, QRect(0, 184, 16, 16), C::kDown));
    EXPECT_TRUE(AllPixels(shot, QRect(0, 16, 16, 20), C::kThumb));
    EXPECT_TRUE(AllPixels(shot, QRect(0, 36, 16, 148), C::kTrack));
}

TEST_F(SkinListBoxTest, TheThumbFollowsTheList) {
    Fill(100);
    Show();
    list->verticalScrollBar()->setValue(list->ScrollLimit());
    EXPECT_EQ(bar->ThumbTop(), 200 - 16 - 20);
    list->verticalScrollBar()->setValue(0);
    EXPECT_EQ(bar->ThumbTop(), 16);
    list->setCurrentIndex(list->model()->index(0, 1));
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->ScrollPos(), list->ScrollLimit());
    EXPECT_EQ(bar->ThumbTop(), 164);
}

TEST_F(SkinListBoxTest, AClickOnTheTrackPagesOnceTowardsIt) {
    Fill(100);
    Show();
    const int page = list->verticalScrollBar()->pageStep();
    ClickBar(8, 150);
    EXPECT_EQ(list->ScrollPos(), page);
    ClickBar(8, 150);
    EXPECT_EQ(list->ScrollPos(), 2 * page);
    ClickBar(8, 20);
    EXPECT_EQ(list->ScrollPos(), page) << "above the thumb";
}

TEST_F(SkinListBoxTest, AClickOnAnArrowScrollsOneLine) {
    Fill(100);
    Show();
    ClickBar(8, 190);
    EXPECT_EQ(list->ScrollPos(), 1);
    ClickBar(8, 190);
    ClickBar(8, 5);
    EXPECT_EQ(list->ScrollPos(), 1);
    ClickBar(8, 5);
    ClickBar(8, 5);
    EXPECT_EQ(list->ScrollPos(), 0);
}

TEST_F(SkinListBoxTest, DraggingTheThumbToTheEndReachesTheLastPage) {
    Fill(100);
    Show();
    QTest::mousePress(Window(), Qt::LeftButton, {}, InBar(8, 26));
    QTest::mouseMove(Window(), InBar(8, 100));
    EXPECT_GT(list->ScrollPos(), 0);
    EXPECT_LT(list->ScrollPos(), list->ScrollLimit());
    EXPECT_TRUE(AllPixels(BarShot(), QRect(0, 90, 16, 20), C::kActiveThumb));
    QTest::mouseMove(Window(), InBar(8, 400));
    EXPECT_EQ(list->ScrollPos(), list->ScrollLimit());
    EXPECT_EQ(bar->ThumbTop(), 164) << "the thumb stays above the down arrow";
    QTest::mouseMove(Window(), InBar(8, -300));
    EXPECT_EQ(list->ScrollPos(), 0);
    EXPECT_EQ(bar->ThumbTop(), 16) << "and below the up arrow";
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, InBar(8, -300));
    EXPECT_EQ(list->ScrollPos(), 0) << "no paging after a drag";
}

TEST_F(SkinListBoxTest, APartUnderThePointerShowsItsActiveImage) {
    Fill(100);
    Show();
    QTest::mouseMove(Window(), InBar(8, 190));
    EXPECT_TRUE(AllPixels(BarShot(), QRect(0, 184, 16, 16), C::kActiveDown));
    QTest::mouseMove(Window(), InBar(8, 5));
    const QImage shot = BarShot();
    EXPECT_TRUE(AllPixels(shot, QRect(0, 0, 16, 16), C::kActiveUp));
    EXPECT_TRUE(AllPixels(shot, QRect(0, 184, 16, 16), C::kDown));
    QTest::mouseMove(Window(), QPoint(300, 230));
    EXPECT_TRUE(AllPixels(BarShot(), QRect(0, 0, 16, 16), C::kUp));
}

// Nothing for 250 ms, then a line every 50 ms, and one more on release over the arrow.
TEST_F(SkinListBoxTest, AHeldArrowRepeatsAfterADelay) {
    Fill(200);
    Show();
    QElapsedTimer clock;
    QTest::mousePress(Window(), Qt::LeftButton, {}, InBar(8, 190));
    clock.start();
    QTest::qWait(150);
    if (clock.elapsed() < 240) {
        EXPECT_EQ(list->ScrollPos(), 0);
    }
    QTest::qWait(850);
    const qint64 held = clock.elapsed();
    const int repeated = list->ScrollPos();
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, InBar(8, 190));
    EXPECT_EQ(list->ScrollPos(), repeated + 1);
    EXPECT_LE(repeated, (held - 250) / 50 + 1);
    EXPECT_GE(repeated, 5) << "timers fire late under load, not this late";
    QTest::qWait(150);
    EXPECT_EQ(list->ScrollPos(), repeated + 1) << "released: the repeat stops";
}

TEST_F(SkinListBoxTest, MovingOffTheArrowStopsTheRepeat) {
    Fill(200);
    Show();
    QTest::mousePress(Window(), Qt::LeftButton, {}, InBar(8, 190));
    QTest::mouseMove(Window(), InBar(8, 100));
    QTest::qWait(500);
    EXPECT_EQ(list->ScrollPos(), 0);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, InBar(8, 100));
}

TEST_F(SkinListBoxTest, AListWithoutParentHasNoBar) {
    CSkinListBox alone;
    alone.SetScrollBarImages(WriteScrollImages(dir.path()));
    EXPECT_EQ(alone.ScrollBar(), nullptr);
    alone.AddItem("one");
    alone.InsertColumn(Qt::AlignLeft, 50);
    EXPECT_EQ(alone.model()->rowCount(), 1);
}

TEST_F(SkinListBoxTest, MissingImagesLeaveABarOfNoWidth) {
    auto* plain = new CSkinListBox(&host);
    plain->setGeometry(250, 20, 60, 100);
    plain->SetScrollBarImages({});
    ASSERT_NE(plain->ScrollBar(), nullptr);
    EXPECT_EQ(plain->ScrollBar()->GetBarWidth(), 0);
    EXPECT_EQ(plain->width(), 60);
    for (int i = 0; i < 50; ++i) {
        plain->AddItem("x");
    }
    Show();
    QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(310, 50));
}

} // namespace
} // namespace tipin::test
