#include "controls/SkinSlider.h"

#include "tests/controls/TestHost.h"
#include "tests/controls/TestImages.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace tipin::test {
namespace {

const QColor kChannel(0, 160, 0);
const QColor kThumb(220, 220, 0);
const QColor kDragged(0, 200, 220);
const QColor kKey(255, 0, 255);
const QPoint kOrigin(20, 40);

using Report = TestHost::Report;

class SkinSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        channel = Write("channel.bmp", SolidImage({200, 10}, kChannel));
        QImage thumbImage = SolidImage({10, 20}, kThumb);
        thumbImage.setPixelColor(0, 0, kKey);
        thumb = Write("thumb.bmp", thumbImage);
        dragged = Write("dragged.bmp", SolidImage({10, 20}, kDragged));
        slider = new CSkinSlider(&host);
        slider->move(kOrigin);
        slider->index = 3;
        slider->SetTransparentColour(Rgb(255, 0, 255));
        ASSERT_TRUE(slider->SetChannelBitmap(channel));
        ASSERT_TRUE(slider->SetThumbBitmaps(thumb, dragged, true));
        slider->SetDrawFocusRect(false, false);
        slider->SetRange(0, 7200, false);
    }

    std::string Write(const std::string& name, const QImage& image) {
        return WriteBmp((dir.path() / name).string(), image);
    }

    QPoint At(int x, int y) const { return kOrigin + QPoint(x, y); }
    QWindow* Window() { return host.windowHandle(); }
    // The slider's pixels in its own coordinates.
    QImage Shot() { return host.Shot().copy(QRect(kOrigin, slider->size())); }
    QColor Background(int x, int y) const { return host.BackgroundAt(At(x, y)); }

    TempDir dir;
    std::string channel;
    std::string thumb;
    std::string dragged;
    TestHost host;
    CSkinSlider* slider = nullptr;
};

TEST_F(SkinSliderTest, TakesTheSizeOfItsLargerImage) {
    EXPECT_EQ(slider->size(), QSize(200, 20));
    EXPECT_EQ(slider->pos(), kOrigin);
}

TEST_F(SkinSliderTest, MapsPositionsAndPixelsWithTruncation) {
    EXPECT_EQ(slider->Pos2Pixel(3600), 100);
    EXPECT_EQ(slider->Pixel2Pos(100), 3600);
    EXPECT_EQ(slider->Pos2Pixel(0), 5);
    EXPECT_EQ(slider->Pos2Pixel(7200), 195);
    EXPECT_EQ(slider->Pixel2Pos(6), 37);
    slider->SetVertical(true);
    EXPECT_EQ(slider->Pos2Pixel(0), 10);
    EXPECT_EQ(slider->Pixel2Pos(10), 0);
}

TEST_F(SkinSliderTest, AnEmptyRangeOrAThumbAsLongAsTheSliderMapsToTheStart) {
    slider->SetRange(50, 50, false);
    EXPECT_EQ(slider->Pos2Pixel(50), 5);
    EXPECT_EQ(slider->Pixel2Pos(120), 50);
    slider->SetRange(0, 100, false);
    slider->SetVertical(true);
    ASSERT_TRUE(slider->SetThumbBitmaps(thumb, std::nullopt, false));
    EXPECT_EQ(slider->height(), 20);
    EXPECT_EQ(slider->Pixel2Pos(15), 0);
    EXPECT_EQ(slider->Pos2Pixel(100), 10);
}

TEST_F(SkinSliderTest, ClampsPositionsToTheRange) {
    slider->SetPos(9000);
    EXPECT_EQ(slider->GetPos(), 7200);
    slider->SetPos(-3);
    EXPECT_EQ(slider->GetPos(), 0);
    slider->SetRange(10, 5, false);
    slider->SetPos(7);
    EXPECT_EQ(slider->GetPos(), 10);
}

TEST_F(SkinSliderTest, APressMovesTheThumbAtOnceAndEveryDragMoveIsReported) {
    host.ShowAndWait();
    QTest::mousePress(Window(), Qt::LeftButton, {}, At(0, 10));
    EXPECT_EQ(slider->GetPos(), 0) << "the pointer is raised to half the thumb";
    EXPECT_TRUE(slider->IsDragging());
    EXPECT_TRUE(slider->hasFocus());
    QTest::mouseMove(Window(), At(100, 10));
    QTest::mouseMove(Window(), At(100, 12));
    QTest::mouseMove(Window(), At(400, 12));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, At(400, 12));
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(host.reports, (std::vector<Report>{{Report::kSlider, 3, 0},
                                                 {Report::kSlider, 3, 3600},
                                                 {Report::kSlider, 3, 3600},
                                                 {Report::kSlider, 3, 7200}}));
    QTest::mouseMove(Window(), At(50, 10));
    EXPECT_EQ(host.reports.size(), 4U) << "no report without a drag";
}

TEST_F(SkinSliderTest, TheParentTakesTheFocusAfterADrag) {
    host.setFocusPolicy(Qt::StrongFocus);
    host.ShowAndWait();
    QTest::mousePress(Window(), Qt::LeftButton, {}, At(50, 10));
    EXPECT_TRUE(slider->hasFocus());
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, At(50, 10));
    QApplication::processEvents();
    EXPECT_FALSE(slider->hasFocus());
    EXPECT_TRUE(host.hasFocus());
}

TEST_F(SkinSliderTest, KeysMoveThePositionWithoutAReport) {
    host.ShowAndWait();
    slider->setFocus();
    slider->SetPos(100);
    QTest::keyClick(slider, Qt::Key_PageDown);
    EXPECT_EQ(slider->GetPos(), 120);
    QTest::keyClick(slider, Qt::Key_PageUp);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->GetPos(), 80);
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Down);
    EXPECT_EQ(slider->GetPos(), 82);
    QTest::keyClick(slider, Qt::Key_Left);
    QTest::keyClick(slider, Qt::Key_Up);
    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_EQ(slider->GetPos(), 79);
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(slider->GetPos(), 7200);
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(slider->GetPos(), 0);
    EXPECT_EQ(slider->SetPageSize(500), 20);
    QTest::keyClick(slider, Qt::Key_PageDown);
    EXPECT_EQ(slider->GetPos(), 500);
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinSliderTest, StepsAtTheEndsOfTheIntRangeStayInside) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    slider->SetRange(kMin, kMax, false);
    slider->SetPos(kMax);
    slider->SetPageSize(kMax);
    host.ShowAndWait();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageDown);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->GetPos(), kMax);
    slider->SetPos(kMin);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->GetPos(), kMin);
    EXPECT_EQ(slider->Pixel2Pos(195), kMax);
}

TEST_F(SkinSliderTest, ADisabledSliderShowsTheChannelWithoutThumbAndIgnoresInput) {
    slider->SetPos(3600);
    slider->Enable(false);
    host.ShowAndWait();
    const QImage shot = Shot();
    EXPECT_EQ(CountPixels(shot, shot.rect(), kThumb), 0);
    EXPECT_TRUE(AllPixels(shot, QRect(0, 5, 100, 10), kChannel));
    QTest::mouseClick(Window(), Qt::LeftButton, {}, At(10, 10));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(slider->GetPos(), 3600);
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(SkinSliderTest, DisablingEndsADrag) {
    host.ShowAndWait();
    QTest::mousePress(Window(), Qt::LeftButton, {}, At(50, 10));
    slider->Enable(false);
    EXPECT_FALSE(slider->IsDragging());
    QTest::mouseMove(Window(), At(150, 10));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, At(150, 10));
    EXPECT_EQ(host.reports.size(), 1U);
}

TEST_F(SkinSliderTest, AtTheMinimumOnlyTheChannelUnderTheThumbHalfIsDrawn) {
    host.ShowAndWait();
    const QImage shot = Shot();
    EXPECT_TRUE(AllPixels(shot, QRect(1, 0, 9, 20), kThumb));
    for (int x = 10; x < 200; x += 7) {
        ASSERT_EQ(shot.pixelColor(x, 8), Background(x, 8)) << x;
    }
    EXPECT_EQ(shot.pixelColor(0, 0), Background(0, 0)) << "the key colour of the thumb";
    EXPECT_EQ(shot.pixelColor(0, 7), kThumb);
}

TEST_F(SkinSliderTest, AtTheMaximumTheChannelReachesTheThumbCentre) {
    slider->SetPos(7200);
    host.ShowAndWait();
    const QImage shot = Shot();
    EXPECT_TRUE(AllPixels(shot, QRect(0, 5, 190, 10), kChannel));
    EXPECT_TRUE(AllPixels(shot, QRect(190, 1, 10, 19), kThumb));
    EXPECT_EQ(shot.pixelColor(50, 2), Background(50, 2)) << "beside the channel";
}

TEST_F(SkinSliderTest, TheDraggedThumbShowsWhileDragging) {
    host.ShowAndWait();
    QTest::mousePress(Window(), Qt::LeftButton, {}, At(100, 10));
    EXPECT_TRUE(AllPixels(Shot(), QRect(95, 0, 10, 20), kDragged));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, At(100, 10));
    EXPECT_TRUE(AllPixels(Shot(), QRect(96, 1, 9, 19), kThumb));
}

TEST_F(SkinSliderTest, AVerticalSliderDrawsTheChannelBelowTheThumb) {
    auto* vertical = new CSkinSlider(&host);
    vertical->move(250, 10);
    ASSERT_TRUE(vertical->SetChannelBitmap(Write("vchannel.bmp", SolidImage({6, 100}, kChannel))));
    ASSERT_TRUE(vertical->SetThumbBitmaps(Write("vthumb.bmp", SolidImage({10, 10}, kThumb)),
                                          std::nullopt, false));
    vertical->SetVertical(true);
    vertical->SetDrawFocusRect(false, false);
    vertical->SetPos(50);
    host.ShowAndWait();
    const QImage shot = host.Shot().copy(QRect(250, 10, 10, 100));
    EXPECT_EQ(vertical->Pos2Pixel(50), 50);
    EXPECT_TRUE(AllPixels(shot, QRect(2, 55, 6, 45), kChannel));
    EXPECT_TRUE(AllPixels(shot, QRect(0, 45, 10, 10), kThumb));
    EXPECT_EQ(shot.pixelColor(4, 20), host.BackgroundAt({254, 30}));
}

TEST_F(SkinSliderTest, FailedImagesAreReportedAndLeaveADefinedSize) {
    EXPECT_FALSE(slider->SetChannelBitmap((dir.path() / "none.bmp").string()));
    EXPECT_FALSE(slider->SetThumbBitmaps(thumb, (dir.path() / "none.bmp").string(), true));
    EXPECT_FALSE(slider->SetThumbBitmaps((dir.path() / "none.bmp").string(), dragged, true));
    EXPECT_EQ(slider->size(), QSize(200, 10)) << "the channel's size";
    EXPECT_TRUE(slider->SetThumbBitmaps("", std::nullopt, true));
    host.ShowAndWait();
    EXPECT_EQ(CountPixels(Shot(), QRect(0, 0, 200, 10), kThumb), 0);

    CSkinSlider empty(&host);
    EXPECT_FALSE(empty.SetThumbBitmaps(thumb, (dir.path() / "none.bmp").string(), true));
    EXPECT_EQ(empty.Pos2Pixel(50), 0);
    EXPECT_EQ(empty.Pixel2Pos(50), 0);
    empty.repaint();
}

TEST_F(SkinSliderTest, AFocusRectangleShowsOnlyWhenWantedFocusedAndEnabled) {
    host.ShowAndWait();
    const QImage unfocused = Shot();
    slider->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Shot(), unfocused) << "not wanted";
    slider->SetDrawFocusRect(true, true);
    QApplication::processEvents();
    const QImage focused = Shot();
    EXPECT_NE(focused.pixelColor(100, 0), unfocused.pixelColor(100, 0));
    EXPECT_EQ(focused.pixelColor(100, 10), unfocused.pixelColor(100, 10));
    slider->Enable(false);
    QApplication::processEvents();
    EXPECT_EQ(Shot().pixelColor(100, 0), unfocused.pixelColor(100, 0));
}

TEST_F(SkinSliderTest, TheTooltipIsActiveFromTheStart) {
    slider->SetTooltipText(QString("Progress"), true);
    EXPECT_EQ(slider->toolTip(), "Progress");
    slider->SetTooltipText(std::nullopt, false);
    EXPECT_EQ(slider->toolTip(), "Progress");
    slider->SetTooltipText(QString("Progress"), false);
    EXPECT_TRUE(slider->toolTip().isEmpty());
}

} // namespace
} // namespace tipin::test
