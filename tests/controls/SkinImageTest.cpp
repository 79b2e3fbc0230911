#include "platform/SkinImage.h"

#include "platform/SkinImageCache.h"
#include "tests/controls/TestImages.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

namespace tipin::test {
namespace {

class SkinImageTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir.path() / name).string(); }
    TempDir dir;
};

TEST_F(SkinImageTest, LoadsABmpFileWithItsSizeAndPixels) {
    const std::string path = WriteBmp(Path("strip.bmp"), SolidImage({12, 7}, Qt::green));
    const CSkinImage image = CSkinImage::FromFile(path);
    ASSERT_FALSE(image.IsNull());
    EXPECT_EQ(image.Size(), QSize(12, 7));
    EXPECT_EQ(image.Image().pixelColor(11, 6), QColor(Qt::green));
}

TEST_F(SkinImageTest, GivesAnEmptyImageForWhatIsNotAReadableBmp) {
    EXPECT_TRUE(CSkinImage::FromFile("").IsNull());
    EXPECT_TRUE(CSkinImage::FromFile(Path("missing.bmp")).IsNull());
    EXPECT_TRUE(CSkinImage::FromFile(dir.path().string()).IsNull());

    const QString png = QString::fromStdString(Path("picture.bmp"));
    ASSERT_TRUE(SolidImage({4, 4}, Qt::red).save(png, "PNG"));
    EXPECT_TRUE(CSkinImage::FromFile(png.toStdString()).IsNull());

    EXPECT_TRUE(CSkinImage::FromFile(dir.write("text.bmp", "BM not really").string()).IsNull());
}

TEST_F(SkinImageTest, RejectsATruncatedBmp) {
    const std::string whole = WriteBmp(Path("whole.bmp"), SolidImage({64, 64}, Qt::red));
    QFile file(QString::fromStdString(whole));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(40);
    const std::string cut = dir.write("cut.bmp", head.toStdString()).string();
    EXPECT_TRUE(CSkinImage::FromFile(cut).IsNull());
}

TEST_F(SkinImageTest, CutsEqualFramesAndNeverShowsTheLeftOverColumns) {
    const CSkinImage strip(SolidStrip({Qt::red, Qt::green, Qt::blue, Qt::yellow}, 50, 30, 3));
    ASSERT_EQ(strip.Width(), 203);
    const std::vector<QColor> expected{Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int k = 0; k < 4; ++k) {
        const CSkinImage frame = strip.Frame(k, 4, QSize(50, 30));
        ASSERT_EQ(frame.Size(), QSize(50, 30));
        EXPECT_TRUE(AllPixels(frame.Image(), QRect(0, 0, 50, 30), expected[k])) << k;
    }
}

TEST_F(SkinImageTest, StretchesAFrameToTheTargetSize) {
    QImage two = SolidStrip({Qt::red, Qt::green}, 10, 10);
    const CSkinImage frame = CSkinImage(two).Frame(0, 1, QSize(40, 20));
    EXPECT_EQ(frame.Size(), QSize(40, 20));
    EXPECT_EQ(frame.Image().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(frame.Image().pixelColor(39, 19), QColor(Qt::green));
}

TEST_F(SkinImageTest, FramesOfNothingAreEmpty) {
    EXPECT_TRUE(CSkinImage().Frame(0, 4, QSize(10, 10)).IsNull());
    EXPECT_TRUE(CSkinImage(SolidImage({3, 3}, Qt::red)).Frame(0, 4, QSize(10, 10)).IsNull());
    const CSkinImage strip(SolidImage({8, 3}, Qt::red));
    EXPECT_TRUE(strip.Frame(0, 4, QSize(0, 10)).IsNull());
    EXPECT_TRUE(strip.Frame(0, 4, QSize(-5, 10)).IsNull());
    EXPECT_TRUE(strip.Frame(0, 4, QSize(10, CSkinImage::kMaxFrameSide + 1)).IsNull());
    EXPECT_FALSE(strip.Frame(0, 4, QSize(10, CSkinImage::kMaxFrameSide)).IsNull());
}

QImage DrawnOver(const CSkinImage& image, QColor target) {
    QImage canvas = SolidImage(image.Size(), target);
    QPainter painter(&canvas);
    image.DrawKeyed(painter, QPoint(0, 0));
    return canvas;
}

TEST_F(SkinImageTest, KeyedDrawingLeavesTheTargetWhereTheKeyColourIs) {
    CSkinImage image(SolidStrip({Qt::black, QColor(255, 0, 255), QColor(1, 0, 0)}, 4, 4));
    image.SetColourKey(Rgb(255, 0, 255));
    const QImage drawn = DrawnOver(image, Qt::cyan);
    EXPECT_TRUE(AllPixels(drawn, QRect(0, 0, 4, 4), Qt::black));
    EXPECT_TRUE(AllPixels(drawn, QRect(4, 0, 4, 4), Qt::cyan));
    EXPECT_TRUE(AllPixels(drawn, QRect(8, 0, 4, 4), QColor(1, 0, 0)));

    image.SetColourKey(0);
    const QImage blackKeyed = DrawnOver(image, Qt::cyan);
    EXPECT_TRUE(AllPixels(blackKeyed, QRect(0, 0, 4, 4), Qt::cyan));
    EXPECT_TRUE(AllPixels(blackKeyed, QRect(4, 0, 4, 4), QColor(255, 0, 255)));
}

TEST_F(SkinImageTest, NoColourKeysNothingAndAnUnkeyedImageIsOpaque) {
    CSkinImage image(SolidImage({4, 4}, Qt::white));
    EXPECT_TRUE(AllPixels(DrawnOver(image, Qt::cyan), QRect(0, 0, 4, 4), Qt::white));
    image.SetColourKey(kNoColour);
    EXPECT_TRUE(AllPixels(DrawnOver(image, Qt::cyan), QRect(0, 0, 4, 4), Qt::white));
}

TEST_F(SkinImageTest, AKeyedImageStillDrawsAndGivesItsOpaquePixels) {
    const QImage strip = SolidStrip({Qt::black, QColor(255, 0, 255)}, 4, 4);
    CSkinImage frame = CSkinImage(strip).Frame(1, 2, QSize(4, 4));
    frame.SetColourKey(Rgb(255, 0, 255));
    EXPECT_TRUE(AllPixels(DrawnOver(frame, Qt::cyan), QRect(0, 0, 4, 4), Qt::cyan));
    EXPECT_EQ(frame.Image(), strip.copy(4, 0, 4, 4).convertToFormat(QImage::Format_RGB32));
    QImage canvas = SolidImage({4, 4}, Qt::cyan);
    QPainter painter(&canvas);
    frame.Draw(painter, QPoint(0, 0));
    EXPECT_TRUE(AllPixels(canvas, QRect(0, 0, 4, 4), QColor(255, 0, 255)));
}

// A frame that is a part of its strip never shows its neighbours, whatever part is asked for.
TEST_F(SkinImageTest, APartOfAFrameStaysWithinTheFrame) {
    const CSkinImage strip(SolidStrip({Qt::red, Qt::green, Qt::blue}, 4, 4));
    const CSkinImage frame = strip.Frame(1, 3, QSize(4, 4));
    QImage canvas = SolidImage({12, 4}, Qt::cyan);
    QPainter painter(&canvas);
    frame.Draw(painter, QPoint(4, 0), QRect(-2, 0, 8, 4));
    EXPECT_TRUE(AllPixels(canvas, QRect(0, 0, 6, 4), Qt::cyan));
    EXPECT_TRUE(AllPixels(canvas, QRect(6, 0, 4, 4), Qt::green));
    EXPECT_TRUE(AllPixels(canvas, QRect(10, 0, 2, 4), Qt::cyan));
}

// Controls that draw the same frame share it, so only one copy counts against the budget.
TEST_F(SkinImageTest, EqualFramesOfOneLoadAreMadeOnce) {
    const CSkinImageCache load;
    CSkinImage strip(SolidImage({8, 2}, Qt::red));
    const QSize large(2048, 2048);
    const int copies = int(CSkinImageCache::kMaxPixels / (large.width() * large.height())) + 2;
    for (int k = 0; k < copies; ++k) {
        CSkinImage frame = strip.Frame(0, 4, large);
        frame.SetColourKey(Rgb(0, 0, 255));
        ASSERT_FALSE(frame.IsNull()) << k;
    }
}

// An uncompressed BMP of `bits` bits a pixel, rows stored bottom-up unless `topDown` from
// byte 54 (whatever `offset` the header gives), each pixel's bytes made from its position.
std::string HandMadeBmp(int width, int height, int bits, bool topDown, std::uint32_t offset) {
    const int rowBytes = (width * bits + 31) / 32 * 4;
    std::string bytes(54 + std::size_t(rowBytes) * height, '\0');
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes[at + std::size_t(i)] = char(value >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, std::uint32_t(width), 4);
    put(22, std::uint32_t(topDown ? -height : height), 4);
    put(26, 1, 2);
    put(28, std::uint32_t(bits), 2);
    for (std::size_t at = 54; at < bytes.size(); ++at) {
        bytes[at] = char(at * 7 + at / 5);
    }
    return bytes;
}

// The skin kinds are decoded without the toolkit's reader, pixel for pixel as it reads them.
TEST_F(SkinImageTest, DecodesTheSkinKindsOfBmpAsTheImageReaderDoes) {
    struct Case {
        int width, height, bits;
        bool topDown;
        std::uint32_t offset;
    };
    for (const Case c :
         {Case{5, 3, 24, false, 54}, Case{6, 4, 24, true, 54}, Case{3, 2, 32, false, 54},
          Case{1, 1, 32, true, 54}, Case{7, 5, 24, false, 53}}) {
        const std::string path =
            dir.write("kind.bmp", HandMadeBmp(c.width, c.height, c.bits, c.topDown, c.offset))
                .string();
        const QImage expected =
            QImage(QString::fromStdString(path), "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(CSkinImage::FromFile(path).Image(), expected) << c.bits << " " << c.width;
    }
}

// A thread that may not use the image reader leaves other kinds of BMP to a thread that may.
TEST_F(SkinImageTest, AThreadWithoutTheReaderLeavesOtherKindsUndecoded) {
    QImage indexed = SolidImage({4, 4}, Qt::red).convertToFormat(QImage::Format_Indexed8);
    const std::string path = Path("indexed.bmp");
    ASSERT_TRUE(indexed.save(QString::fromStdString(path), "BMP"));
    {
        const CSkinImageCache unattended(false);
        EXPECT_TRUE(CSkinImage::FromFile(path).IsNull());
        EXPECT_FALSE(CSkinImageCache::Find(path).has_value());
    }
    EXPECT_EQ(CSkinImage::FromFile(path).Image().pixelColor(3, 3), QColor(Qt::red));
}

} // namespace
} // namespace tipin::test
