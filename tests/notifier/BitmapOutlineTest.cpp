#include "notifier/BitmapOutline.h"

#include "platform/ImageOutline.h"
#include "tests/notifier/NotifierTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace tipin::test {
namespace {

bool SameArea(const QRegion& a, const QRegion& b) {
    return (a ^ b).isEmpty();
}

TEST(BitmapOutlineTest, AnImageWithoutTheColourIsItsWholeRectangle) {
    const QImage plain = NotifierBitmap(40, 30, 0);
    const auto outline = CBitmapOutline::Of(plain, 255, 0, 255);
    ASSERT_TRUE(outline);
    EXPECT_TRUE(SameArea(*outline, QRegion(0, 0, 40, 30)));
}

TEST(BitmapOutlineTest, A203PixelBitmapGivesA200PixelOutline) {
    const QImage wide = NotifierBitmap(203, 20, 0);
    const auto outline = CBitmapOutline::Of(wide, 255, 0, 255);
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->boundingRect(), QRect(0, 0, 200, 20));
    for (int x = 200; x < 203; ++x) {
        EXPECT_FALSE(outline->contains(QPoint(x, 10))) << x;
    }
    EXPECT_EQ(CBitmapOutline::UsedWidth(203), 200);
    EXPECT_EQ(CBitmapOutline::UsedWidth(200), 200);
}

TEST(BitmapOutlineTest, PixelsOfTheColourAreOutside) {
    const QImage image = NotifierBitmap(64, 48, 6);
    const auto outline = CBitmapOutline::Of(image, 255, 0, 255);
    ASSERT_TRUE(outline);
    EXPECT_FALSE(outline->contains(QPoint(0, 0)));
    EXPECT_FALSE(outline->contains(QPoint(63, 47)));
    EXPECT_TRUE(outline->contains(QPoint(6, 0)));
    EXPECT_TRUE(outline->contains(QPoint(32, 24)));
    EXPECT_TRUE(SameArea(*outline, *ReferenceOutline(image, 255, 0, 255)));
}

TEST(BitmapOutlineTest, NoRowToReadGivesNoOutline) {
    EXPECT_FALSE(CBitmapOutline::Of(NotifierBitmap(3, 10, 0), 255, 0, 255));
    EXPECT_FALSE(CBitmapOutline::Of(QImage(), 255, 0, 255));
    EXPECT_TRUE(CBitmapOutline::Of(NotifierBitmap(4, 1, 0), 255, 0, 255));
}

TEST(BitmapOutlineTest, ABitmapAllOfTheColourGivesAnEmptyOutline) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    const auto outline = CBitmapOutline::Of(image, 255, 0, 255);
    ASSERT_TRUE(outline);
    EXPECT_TRUE(outline->isEmpty());
}

TEST(BitmapOutlineTest, AColourOutsideTheByteRangeMatchesNoPixel) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    const auto outline = CBitmapOutline::Of(image, 256 + 255, 0, 255);
    ASSERT_TRUE(outline);
    EXPECT_TRUE(SameArea(*outline, QRegion(0, 0, 8, 4)));
}

TEST(BitmapOutlineTest, OtherImageFormatsAreReadAsTheirColours) {
    const QImage image = NotifierBitmap(24, 16, 5).convertToFormat(QImage::Format_RGB888);
    const auto outline = CBitmapOutline::Of(image, 255, 0, 255);
    ASSERT_TRUE(outline);
    EXPECT_TRUE(SameArea(*outline, *ReferenceOutline(image, 255, 0, 255)));
}

// The runs give the same area as the pixel-by-pixel XOR of the original, on noisy images
// where runs, gaps, equal rows and empty rows all occur.
TEST(BitmapOutlineTest, RunsGiveTheSameAreaAsXoringEveryPixel) {
    std::mt19937 random(13);
    for (int round = 0; round < 300; ++round) {
        const int width = int(random() % 23);
        const int height = int(random() % 11) + 1;
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(10, 20, 30));
        const int density = int(random() % 100);
        for (int y = 0; y < height; ++y) {
            // Some rows copy the one above, so that bands of equal rows are merged.
            if (y > 0 && random() % 3 == 0) {
                for (int x = 0; x < width; ++x) {
                    image.setPixel(x, y, image.pixel(x, y - 1));
                }
                continue;
            }
            for (int x = 0; x < width; ++x) {
                if (int(random() % 100) < density) {
                    image.setPixel(x, y, qRgb(255, 0, 255));
                }
            }
        }
        const auto runs = CBitmapOutline::Of(image, 255, 0, 255);
        const auto reference = ReferenceOutline(image, 255, 0, 255);
        ASSERT_EQ(runs.has_value(), reference.has_value()) << round;
        if (runs) {
            ASSERT_TRUE(SameArea(*runs, *reference)) << "round " << round;
            // The region works with the other region operations too.
            ASSERT_TRUE(SameArea(runs->united(*reference), *reference)) << round;
            ASSERT_TRUE(SameArea(runs->intersected(*reference), *reference)) << round;
        }
    }
}

// An outline asked for again is the same; an image whose pixels changed gets its own.
TEST(ImageOutlineTest, AnOutlineFollowsItsImageWhenAskedAgain) {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 80));
    const COLORREF cut = Rgb(255, 0, 255);
    bool anyCut = true;
    EXPECT_TRUE(SameArea(CImageOutline::Of(image, cut, -1, &anyCut), QRegion(0, 0, 4, 2)));
    EXPECT_FALSE(anyCut);
    image.setPixel(3, 1, qRgb(255, 0, 255));
    const QRegion notched = QRegion(0, 0, 4, 2) - QRegion(3, 1, 1, 1);
    for (int ask = 0; ask < 2; ++ask) {
        EXPECT_TRUE(SameArea(CImageOutline::Of(image, cut, -1, &anyCut), notched)) << ask;
        EXPECT_TRUE(anyCut);
    }
    EXPECT_TRUE(SameArea(CImageOutline::Of(image, cut, 3), QRegion(0, 0, 3, 2)));
    EXPECT_TRUE(SameArea(CImageOutline::Of(image, kNoColour), QRegion(0, 0, 4, 2)));
}

} // namespace
} // namespace tipin::test

TEST(ImageOutlineTest, AnOutlineOfMoreThan65536RectanglesIsNotBuilt) {
    const auto checkered = [](int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 255) : qRgb(0, 0, 80));
            }
        }
        return image;
    };
    bool tooComplex = true;
    const QRegion within =
        CImageOutline::Of(checkered(512, 256), Rgb(255, 0, 255), -1, nullptr, &tooComplex);
    EXPECT_FALSE(tooComplex);
    EXPECT_FALSE(within.isEmpty());
    const QRegion over =
        CImageOutline::Of(checkered(514, 256), Rgb(255, 0, 255), -1, nullptr, &tooComplex);
    EXPECT_TRUE(tooComplex);
    EXPECT_TRUE(over.isEmpty());
}
