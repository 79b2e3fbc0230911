#include "controls/SkinCheck.h"
#include "controls/SkinOption.h"
#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"
#include "tests/support/TempDir.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

const QColor kNormal(200, 0, 0);
const QColor kHover(0, 200, 0);
const QColor kPressed(0, 0, 200);
const QColor kDisabled(90, 90, 90);
const QRect kFirst(10, 10, 40, 20);
const QRect kSecond(10, 50, 40, 20);
const QPoint kOutside(200, 200);

using Report = TestHost::Report;

class SkinCheckOptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        strip = WriteBmp((dir.path() / "strip.bmp").string(),
                         SolidStrip({kNormal, kHover, kPressed, kDisabled}, 40, 20));
    }

    template <typename Control> Control* Make(QRect rect, int index) {
        auto* control = new Control(&host);
        control->setGeometry(rect);
        control->index = index;
        EXPECT_TRUE(control->LoadSkinBitmap(strip, rect.left(), rect.top(),
                                            rect.left() + rect.width(),
                                            rect.top() + rect.height()));
        return control;
    }

    bool Shows(QRect rect, QColor colour) { return AllPixels(host.Shot(), rect, colour); }
    void Move(QPoint point) { QTest::mouseMove(host.windowHandle(), point); }
    void Click(QPoint point) {
        Move(point);
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, point);
    }

    TempDir dir;
    std::string strip;
    TestHost host;
};

TEST_F(SkinCheckOptionTest, ACheckBoxTogglesOnEveryClickAndReportsIt) {
    auto* check = Make<CSkinCheck>(kFirst, 2);
    host.ShowAndWait();
    Click(kFirst.center());
    EXPECT_EQ(check->Latched(), 1);
    Click(kFirst.center());
    EXPECT_EQ(check->Latched(), 0);
    EXPECT_EQ(host.reports, (std::vector<Report>{{Report::kCheck, 2, 0}, {Report::kCheck, 2, 0}}));
}

TEST_F(SkinCheckOptionTest, AReleaseOutsideLeavesTheCheckBoxAlone) {
    auto* check = Make<CSkinCheck>(kFirst, 0);
    host.ShowAndWait();
    Move(kFirst.center());
    QTest::mousePress(host.windowHandle(), Qt::LeftButton, {}, kFirst.center());
    Move(kOutside);
    QTest::mouseRelease(host.windowHandle(), Qt::LeftButton, {}, kOutside);
    EXPECT_EQ(check->Latched(), 0);
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinCheckOptionTest, ATickedCheckBoxShowsNoHover) {
    auto* check = Make<CSkinCheck>(kFirst, 0);
    host.ShowAndWait();
    Click(kFirst.center());
    Move(kFirst.center() + QPoint(1, 1));
    EXPECT_EQ(check->Hover(), 0);
    EXPECT_TRUE(Shows(kFirst, kPressed));
    Move(kOutside);
    Move(kFirst.center());
    EXPECT_TRUE(Shows(kFirst, kPressed));
    Click(kFirst.center());
    Move(kFirst.center() + QPoint(1, 1));
    EXPECT_TRUE(Shows(kFirst, kHover)) << "an unticked box hovers again";
}

TEST_F(SkinCheckOptionTest, ACheckBoxCreatedTickedShowsThePressedImage) {
    auto* check = Make<CSkinCheck>(kFirst, 0);
    check->SetLatched(1);
    host.ShowAndWait();
    EXPECT_TRUE(Shows(kFirst, kPressed));
}

TEST_F(SkinCheckOptionTest, AClickSelectsAnOptionAndASelectedOneStaysSelected) {
    auto* first = Make<CSkinOption>(kFirst, 0);
    auto* second = Make<CSkinOption>(kSecond, 1);
    host.ShowAndWait();
    Click(kSecond.center());
    EXPECT_EQ(second->Latched(), 1);
    EXPECT_EQ(first->Latched(), 0) << "the host keeps the group, not the option";
    Click(kSecond.center());
    EXPECT_EQ(second->Latched(), 1);
    EXPECT_EQ(host.reports,
              (std::vector<Report>{{Report::kOption, 1, 0}, {Report::kOption, 1, 0}}));
    Move(kSecond.center() + QPoint(2, 0));
    EXPECT_TRUE(Shows(kSecond, kPressed)) << "a selected option shows no hover";
}

TEST_F(SkinCheckOptionTest, LatchOnlyFreezesTheImageOfAnOption) {
    auto* option = Make<CSkinOption>(kFirst, 0);
    option->latchOnly = 1;
    host.ShowAndWait();
    Move(kFirst.center());
    EXPECT_TRUE(Shows(kFirst, kNormal));
    Click(kFirst.center());
    EXPECT_TRUE(Shows(kFirst, kPressed));
    option->setEnabled(false);
    EXPECT_TRUE(Shows(kFirst, kPressed));
}

} // namespace
} // namespace tipin::test
