#include "controls/SkinComboBox.h"

#include "controls/Label.h"
#include "controls/ListFont.h"
#include "controls/SkinOption.h"
#include "platform/QtConvert.h"
#include "tests/controls/ScrollImages.h"
#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QColor kEditBk(20, 20, 60);
const QColor kEditFrame(255, 140, 0);
const QColor kListBk(230, 230, 250);

class SkinComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        strip = WriteBmp((dir.path() / "combo.bmp").string(),
                         SolidStrip({Qt::darkCyan, Qt::cyan, Qt::darkBlue, Qt::gray}, 20, 20));
        scrollFiles = WriteScrollImages(dir.path());
    }

    // Built part by part, as the skinned window builds a combo box.
    CSkinComboBox* Make(const Rect& rect, const std::string& stripPath) {
        auto* combo = new CSkinComboBox(&host);
        combo->setGeometry(ToQRect(rect));
        combo->LoadButtonMetrics(stripPath);
        combo->SetRects(rect.left, rect.top, rect.right, rect.bottom);

        auto* button = new CComboButton(&host);
        const Rect& b = combo->ButtonRect();
        button->setGeometry(ToQRect(b));
        button->LoadSkinBitmap(stripPath, b.left, b.top, b.right, b.bottom);
        button->name = "COMBO_BTN";
        combo->SetButtonPart(button);

        auto* edit = new CComboEdit(&host);
        edit->setGeometry(ToQRect(combo->EditRect()));
        edit->name = "COMBO_EDIT";
        edit->SetBkColour(Rgb(kEditBk.red(), kEditBk.green(), kEditBk.blue()));
        edit->SetTextColour(Rgb(255, 255, 255));
        edit->SetFrameColour(Rgb(kEditFrame.red(), kEditFrame.green(), kEditFrame.blue()));
        combo->SetEditPart(edit);

        auto* list = new CComboList(&host);
        list->setGeometry(ToQRect(combo->ListRect()));
        list->name = "COMBO_LIST";
        list->SetBkColour(Rgb(kListBk.red(), kListBk.green(), kListBk.blue()));
        list->SetSelectedBkColour(Rgb(0, 0, 128));
        list->SetSelectedTextColour(Rgb(255, 255, 255));
        list->setFont(CListFont::Make("DejaVu Sans", 18, 10));
        list->SetScrollBarImages(scrollFiles);
        list->InsertColumn(Qt::AlignLeft, list->viewport()->width());
        list->hide();
        combo->SetListPart(list);
        return combo;
    }

    void Click(QWidget* part, QPoint at = {}) {
        const QPoint point = part->geometry().topLeft() + (at.isNull() ? QPoint(5, 5) : at);
        QTest::mouseMove(host.windowHandle(), point);
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, point);
        QApplication::processEvents();
    }

    TempDir dir;
    std::string strip;
    std::array<std::string, 7> scrollFiles;
    TestHost host{QSize(400, 300)};
};

TEST_F(SkinComboBoxTest, PlacesItsPartsFromTheStripAndTheSkinRectangle) {
    const std::string wide =
        WriteBmp((dir.path() / "wide.bmp").string(), SolidImage({80, 20}, Qt::cyan));
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, wide);
    EXPECT_EQ(combo->FrameWidth(), 20);
    EXPECT_EQ(combo->FrameHeight(), 20);
    EXPECT_EQ(combo->EditRect(), (Rect{10, 10, 180, 30}));
    EXPECT_EQ(combo->ButtonRect(), (Rect{180, 9, 200, 31}));
    EXPECT_EQ(combo->ListRect(), (Rect{10, 32, 199, 82}));
    EXPECT_EQ(combo->WholeRect(), (Rect{10, 10, 200, 82}));
    CSkinComboBox* tall = Make(Rect{10, 100, 200, 250}, wide);
    EXPECT_EQ(tall->ListRect(), (Rect{10, 122, 199, 250}));
}

TEST_F(SkinComboBoxTest, AStripThatCannotBeLoadedGivesNoButton) {
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, (dir.path() / "none.bmp").string());
    EXPECT_EQ(combo->FrameWidth(), 0);
    EXPECT_EQ(combo->FrameHeight(), 0);
    EXPECT_EQ(combo->EditRect(), (Rect{10, 10, 200, 10}));
    EXPECT_EQ(combo->ButtonRect(), (Rect{200, 9, 200, 11}));
    EXPECT_EQ(combo->ListRect().top, 12);
}

TEST_F(SkinComboBoxTest, TheButtonOpensAndClosesTheFramedList) {
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, strip);
    host.ShowAndWait();
    const QImage before = host.Shot();
    EXPECT_TRUE(combo->IsClosed());
    EXPECT_FALSE(combo->ListPart()->isVisible());
    EXPECT_FALSE(combo->ListPart()->ScrollBar()->isVisible());

    Click(combo->ButtonPart());
    EXPECT_FALSE(combo->IsClosed());
    EXPECT_TRUE(combo->ListPart()->isVisible());
    EXPECT_TRUE(combo->ListPart()->ScrollBar()->isVisible());
    const QImage open = host.Shot();
    const QRect list = ToQRect(combo->ListRect());
    EXPECT_EQ(open.pixelColor(list.topLeft() - QPoint(1, 1)), kEditFrame);
    EXPECT_EQ(open.pixelColor(list.bottomRight() + QPoint(1, 1)), kEditFrame);
    EXPECT_EQ(open.pixelColor(list.topLeft() + QPoint(3, 30)), kListBk);

    Click(combo->ButtonPart());
    EXPECT_TRUE(combo->IsClosed());
    EXPECT_FALSE(combo->ListPart()->isVisible());
    const QRect covered = list.adjusted(-1, -1, 1, 1);
    EXPECT_EQ(host.Shot().copy(covered), before.copy(covered));
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinComboBoxTest, ClosingRepaintsTheControlsTheListCovered) {
    auto* option = new CSkinOption(&host);
    option->setGeometry(20, 40, 20, 20);
    option->LoadSkinBitmap(strip, 20, 40, 40, 60);
    auto* label = new CLabel(&host);
    label->setGeometry(60, 40, 100, 30);
    label->name = "LABEL_MODE";
    label->SetFontName("DejaVu Sans");
    label->SetFontSize(12);
    label->SetText("Mode");
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, strip);
    host.ShowAndWait();
    QApplication::processEvents();
    const QImage before = host.Shot();
    Click(combo->ButtonPart());
    EXPECT_NE(host.Shot().copy(20, 40, 140, 30), before.copy(20, 40, 140, 30));
    Click(combo->ButtonPart());
    const QRect covered = ToQRect(combo->ListRect()).adjusted(-1, -1, 1, 1);
    EXPECT_EQ(host.Shot().copy(covered), before.copy(covered));
}

TEST_F(SkinComboBoxTest, ClickingARowShowsItsTextAndClosesTheList) {
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, strip);
    for (const char* item : {"item1", "item2", "item3"}) {
        combo->AddString(item);
    }
    host.ShowAndWait();
    Click(combo->ButtonPart());
    CComboList* list = combo->ListPart();
    EXPECT_EQ(list->ItemText(1, 0), "item2");
    const QRect row = list->visualRect(list->model()->index(1, 0));
    Click(list, row.center());
    EXPECT_EQ(combo->EditPart()->text(), "item2");
    EXPECT_TRUE(combo->IsClosed());
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinComboBoxTest, ClickingBelowTheRowsEmptiesTheEditPartAndClosesTheList) {
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, strip);
    combo->AddString("item1");
    host.ShowAndWait();
    combo->SelectString("item1");
    Click(combo->ButtonPart());
    CComboList* list = combo->ListPart();
    Click(list, QPoint(20, list->height() - 6));
    EXPECT_EQ(combo->EditPart()->text(), "");
    EXPECT_TRUE(combo->IsClosed());
    EXPECT_FALSE(list->isVisible());
}

TEST_F(SkinComboBoxTest, SelectStringAlwaysClosesTheList) {
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, strip);
    host.ShowAndWait();
    combo->SelectString("typed");
    EXPECT_EQ(combo->EditPart()->text(), "typed");
    EXPECT_TRUE(combo->IsClosed());
    Click(combo->ButtonPart());
    combo->SelectString("");
    EXPECT_TRUE(combo->IsClosed());
    EXPECT_FALSE(combo->ListPart()->isVisible());
}

TEST_F(SkinComboBoxTest, EachButtonSteersItsOwnComboBox) {
    CSkinComboBox* first = Make(Rect{10, 10, 150, 30}, strip);
    CSkinComboBox* second = Make(Rect{200, 10, 390, 30}, strip);
    host.ShowAndWait();
    Click(second->ButtonPart());
    EXPECT_TRUE(first->IsClosed());
    EXPECT_FALSE(second->IsClosed());
}

TEST_F(SkinComboBoxTest, WithoutPartsTheOperationsDoNothing) {
    CSkinComboBox combo;
    combo.AddString("x");
    combo.ToggleList();
    EXPECT_FALSE(combo.IsClosed());
    combo.SelectString("y");
    EXPECT_TRUE(combo.IsClosed());
    combo.LoadButtonMetrics("");
    EXPECT_EQ(combo.FrameWidth(), 0);
}

TEST_F(SkinComboBoxTest, PartsOutlivingTheirComboBoxDoNothing) {
    CSkinComboBox* combo = Make(Rect{10, 10, 200, 30}, strip);
    CComboButton* button = combo->ButtonPart();
    CComboList* list = combo->ListPart();
    combo->AddString("item1");
    delete combo;
    host.ShowAndWait();
    Click(button);
    list->show();
    Click(list, list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinComboBoxTest, TheEditPartStartsBlack) {
    CComboEdit edit(&host);
    EXPECT_EQ(edit.BkColour(), 0U);
    EXPECT_EQ(edit.TextColour(), 0U);
    EXPECT_EQ(edit.FrameColour(), 0U);
}

} // namespace
} // namespace tipin::test
