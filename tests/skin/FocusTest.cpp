#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinEdit.h"
#include "skin/FocusChain.h"
#include "skin/FocusRing.h"
#include "skin/RingColour.h"
#include "tests/skin/SkinTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

TEST(FocusChainTest, ReadsRowsTopToBottomThenLeftToRight) {
    QWidget window;
    const std::pair<const char*, QRect> controls[] = {
        {"view", {20, 60, 300, 600}},   {"browse", {346, 91, 118, 32}},
        {"target", {37, 96, 300, 24}},  {"insert", {508, 140, 188, 46}},
        {"append", {37, 160, 300, 24}}, {"close", {929, 16, 30, 24}}};
    for (const auto& [name, rect] : controls) {
        auto* control = new QWidget(&window);
        control->setObjectName(name);
        control->setGeometry(rect);
        control->setFocusPolicy(Qt::TabFocus);
    }
    QStringList order;
    for (const QWidget* member : CFocusChain::Members(&window)) {
        order << member->objectName();
    }
    EXPECT_EQ(order.join(' '), "close view target browse append insert");
}

TEST(RingColourTest, StandsOutFromTheBackgroundOrComesClosest) {
    const QRegion area(0, 0, 8, 8);
    for (const QColor& back : {QColor(Qt::white), QColor(Qt::black), QColor(128, 128, 128),
                               QColor(255, 176, 0), QColor(40, 20, 90)}) {
        QImage background(8, 8, QImage::Format_RGB32);
        background.fill(back);
        const QColor ring = CRingColour::Against(background, area);
        EXPECT_GE(CRingColour::WorstContrast(ring, background, area), CRingColour::kMinContrast)
            << back.name().toStdString();
    }
    QImage halves(8, 8, QImage::Format_RGB32);
    halves.fill(Qt::white);
    halves.setPixelColor(0, 0, QColor(0x20, 0x20, 0x20));
    EXPECT_LT(CRingColour::WorstContrast(CRingColour::Against(halves, area), halves, area), 3);
    const QImage mixed = CRingColour::Paint(halves, QRect(0, 0, 8, 8), area);
    EXPECT_GE(CRingColour::WorstContrast(mixed, QPoint(0, 0), halves, area), 4.5);
}

// Every bundled skin: Tab goes round every visible button and box in reading order, the ring
// stands out from the background and leaves the control uncovered, and boxes are named.
TEST(FocusOnBundledSkinsTest, TabVisitsEveryControlWithAVisibleRing) {
    for (const std::string& package : BundledPackageNames()) {
        SCOPED_TRACE(package);
        RecordingDialog dialog;
        TempDir folder;
        ExtractAll(BundledPackage(package), folder.path());
        dialog.Load(folder.path().string() + "/");
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        const auto* ring = dialog.findChild<CFocusRing*>();
        if (QApplication::focusWidget() != nullptr) {
            QApplication::focusWidget()->clearFocus();
        }
        std::vector<QWidget*> visited;
        for (std::size_t i = 0; i < CFocusChain::Members(&dialog).size(); ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog,
                            Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            visited.push_back(focused);
            ASSERT_EQ(ring->Target(), focused);
            const QRegion drawn = ring->mask().translated(ring->pos());
            EXPECT_TRUE(drawn.intersected(focused->geometry().adjusted(-1, -1, 1, 1)).isEmpty());
            EXPECT_GE(CRingColour::WorstContrast(ring->Picture(), ring->pos(),
                                                 dialog.BackgroundDC(), drawn),
                      CRingColour::kMinContrast);
        }
        EXPECT_EQ(visited, CFocusChain::Members(&dialog));
        for (CSkinButton* button : dialog.buttons) {
            EXPECT_EQ(button->isVisible(), std::count(visited.begin(), visited.end(), button) == 1)
                << button->name.toStdString();
        }
        for (CSkinEdit* edit : dialog.edits) {
            EXPECT_TRUE(std::any_of(
                dialog.labels.begin(), dialog.labels.end(),
                [edit](const CLabel* l) { return l->Text() == edit->accessibleName(); }))
                << edit->name.toStdString();
        }
    }
}

} // namespace
} // namespace tipin::test
