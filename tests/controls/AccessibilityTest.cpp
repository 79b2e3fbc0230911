#include "controls/AccessibleNames.h"
#include "controls/ControlAccessibility.h"
#include "controls/Label.h"
#include "controls/SkinCheck.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinSlider.h"
#include "tests/controls/TestHost.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

QAccessibleInterface* Of(QObject* control) {
    return QAccessible::queryAccessibleInterface(control);
}

// Installed before any control exists: Qt keeps the interface it first made for an object.
class ControlAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override { CControlAccessibility::Install(); }
};

TEST(AccessibleNamesTest, RecordNamesReadWithoutTheirKind) {
    const std::pair<QString, QString> cases[] = {{"BUTTON_BROWSE", "Browse"},
                                                 {"SLIDER_PROGRESS", "Progress"},
                                                 {"OPTION_AUDIO_STREAM", "Audio stream"},
                                                 {"CLOSE", "Close"},
                                                 {"", ""}};
    for (const auto& [record, readable] : cases) {
        EXPECT_EQ(CAccessibleNames::Readable(record), readable) << record.toStdString();
    }
}

TEST_F(ControlAccessibilityTest, ButtonsAreNamedByTooltipUnlessTwoShareIt) {
    TestHost host;
    auto* browse = new CSkinButton(&host);
    browse->name = "BUTTON_BROWSE";
    auto* first = new CSkinCheck(&host);
    first->name = "CHECK_FIRST";
    first->SetTooltipText(QString("A check box"), true);
    auto* second = new CSkinCheck(&host);
    second->name = "CHECK_SECOND";
    second->SetTooltipText(QString("A check box"), true);
    EXPECT_EQ(Of(browse)->role(), QAccessible::PushButton);
    EXPECT_EQ(Of(browse)->text(QAccessible::Name), "Browse");
    browse->SetTooltipText(QString("Choose the file"), false);
    EXPECT_EQ(Of(browse)->text(QAccessible::Name), "Choose the file");
    EXPECT_EQ(Of(first)->role(), QAccessible::CheckBox);
    EXPECT_EQ(Of(first)->text(QAccessible::Name), "First");
    EXPECT_EQ(Of(first)->text(QAccessible::Description), "A check box");
}

TEST_F(ControlAccessibilityTest, SpaceGoesThroughTheClickPath) {
    TestHost host;
    auto* button = new CSkinButton(&host);
    button->index = 3;
    button->setGeometry(10, 10, 40, 20);
    auto* check = new CSkinCheck(&host);
    check->index = 5;
    check->setGeometry(10, 40, 40, 20);
    host.ShowAndWait();
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(host.reports.empty()) << "the report waits for the release, as with the mouse";
    QTest::keyRelease(button, Qt::Key_Space);
    QTest::keyPress(button, Qt::Key_Space);
    check->setFocus(); // leaving with Space held is a release outside
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_EQ(host.reports, (std::vector<TestHost::Report>{{TestHost::Report::kButton, 3, 0},
                                                           {TestHost::Report::kCheck, 5, 0}}));
    EXPECT_TRUE(Of(check)->state().checked);
}

TEST_F(ControlAccessibilityTest, SliderLabelAndComboSpeakTheirState) {
    TestHost host;
    auto* slider = new CSkinSlider(&host);
    slider->SetRange(0, 7200, false);
    slider->SetPageSize(720);
    slider->SetTooltipText(QString("Progress"), true);
    auto* label = new CLabel(&host);
    label->SetText("4");
    auto* combo = new CSkinComboBox(&host);
    auto* edit = new CComboEdit(&host);
    auto* list = new CComboList(&host);
    combo->SetEditPart(edit);
    combo->SetListPart(list);
    list->InsertColumn(Qt::AlignLeft, 100);
    for (const char* row : {"item1", "item2", "item3"}) {
        combo->AddString(row);
    }
    host.ShowAndWait();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageDown);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(Of(slider)->text(QAccessible::Name), "Progress");
    EXPECT_EQ(Of(slider)->valueInterface()->currentValue().toInt(), 721);
    EXPECT_EQ(Of(label)->role(), QAccessible::StaticText);
    EXPECT_EQ(Of(label)->text(QAccessible::Name), "4");

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(Of(combo)->state().expanded);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Of(combo)->text(QAccessible::Value), "item2");
    EXPECT_TRUE(combo->IsClosed());
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

} // namespace
} // namespace tipin::test
