#include "controls/MemoryDC.h"

#include "tests/controls/TestImages.h"

#include <QPicture>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

QImage Canvas() {
    return SolidImage({40, 30}, Qt::blue);
}

TEST(MemoryDCTest, CopyingTheBackgroundKeepsWhatTheCallerLeavesAlone) {
    QImage canvas = Canvas();
    {
        QPainter target(&canvas);
        CMemoryDC memory(target, QRect(10, 10, 20, 10), true);
        memory.Painter().fillRect(10, 10, 5, 5, Qt::red);
        EXPECT_TRUE(AllPixels(canvas, QRect(10, 10, 5, 5), Qt::blue)) << "drawn before the end";
    }
    EXPECT_TRUE(AllPixels(canvas, QRect(10, 10, 5, 5), Qt::red));
    EXPECT_EQ(CountPixels(canvas, canvas.rect(), Qt::blue), 40 * 30 - 25);
}

TEST(MemoryDCTest, WithoutCopyingTheAreaShowsTheFillColour) {
    QImage canvas = Canvas();
    {
        QPainter target(&canvas);
        CMemoryDC memory(target, QRect(10, 10, 20, 10), false, Qt::green);
        memory.Painter().fillRect(10, 10, 5, 5, Qt::red);
    }
    EXPECT_TRUE(AllPixels(canvas, QRect(10, 10, 5, 5), Qt::red));
    EXPECT_EQ(CountPixels(canvas, QRect(10, 10, 20, 10), Qt::green), 200 - 25);
    EXPECT_TRUE(AllPixels(canvas, QRect(0, 0, 40, 10), Qt::blue));
}

TEST(MemoryDCTest, WithoutAnAreaTheClipBoxIsCovered) {
    QImage canvas = Canvas();
    {
        QPainter target(&canvas);
        target.setClipRect(QRect(0, 0, 10, 30));
        CMemoryDC memory(target, std::nullopt, false, Qt::green);
        EXPECT_EQ(memory.Area(), QRect(0, 0, 10, 30));
    }
    EXPECT_TRUE(AllPixels(canvas, QRect(0, 0, 10, 30), Qt::green));
    EXPECT_TRUE(AllPixels(canvas, QRect(10, 0, 30, 30), Qt::blue));
}

TEST(MemoryDCTest, AScaledTargetGetsTheSameLogicalCoordinates) {
    QImage direct = Canvas();
    QImage buffered = Canvas();
    const QTransform scaled = QTransform::fromScale(2, 2) * QTransform::fromTranslate(3, 1);
    {
        QPainter target(&direct);
        target.setTransform(scaled);
        target.fillRect(2, 2, 6, 4, Qt::red);
    }
    {
        QPainter target(&buffered);
        target.setTransform(scaled);
        CMemoryDC memory(target, QRect(0, 0, 12, 10), true);
        memory.Painter().fillRect(2, 2, 6, 4, Qt::red);
    }
    EXPECT_EQ(direct, buffered);
}

TEST(MemoryDCTest, ARecordingTargetIsDrawnOnDirectly) {
    QPicture picture;
    {
        QPainter target(&picture);
        CMemoryDC memory(target, QRect(0, 0, 100, 100), true);
        EXPECT_FALSE(memory.IsOffScreen());
        memory.Painter().fillRect(10, 10, 5, 5, Qt::red);
    }
    EXPECT_EQ(picture.boundingRect(), QRect(10, 10, 5, 5));
}

TEST(MemoryDCTest, AnEmptyAreaDrawsNothing) {
    QImage canvas = Canvas();
    {
        QPainter target(&canvas);
        CMemoryDC memory(target, QRect(5, 5, 0, 0), false, Qt::green);
        memory.Painter().fillRect(0, 0, 40, 30, Qt::red);
    }
    EXPECT_TRUE(AllPixels(canvas, canvas.rect(), Qt::blue));
}

} // namespace
} // namespace tipin::test
