#include "platform/SkinImage.h"

#include "platform/BmpDecoder.h"
#include "platform/BmpHeader.h"
#include "platform/SkinImageCache.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

QRgb ToQRgb(COLORREF colour) {
    return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

std::int64_t PixelsOf(const QSize& size) {
    return std::int64_t(size.width()) * size.height();
}

// Opaque pixels in, premultiplied pixels out: the key colour fully transparent, the rest
// unchanged.
QImage KeyedCopy(const QImage& opaque, COLORREF key) {
    QImage keyed = opaque.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb cut = ToQRgb(key);
    const int width = keyed.width();
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        std::replace(line, line + width, cut, QRgb(0));
    }
    return keyed;
}

// The opaque pixels a keyed copy was made from: its transparent pixels had the key colour.
QImage Unkeyed(const QImage& keyed, COLORREF key) {
    QImage opaque(keyed.size(), QImage::Format_RGB32);
    const QRgb restored = ToQRgb(key);
    const int width = keyed.width();
    for (int y = 0; y < keyed.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(keyed.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        std::transform(from, from + width, to,
                       [restored](QRgb pixel) { return qAlpha(pixel) == 0 ? restored : pixel; });
    }
    return opaque;
}

// Rows are read in batches of about this many bytes into a buffer that stays small enough
// to be reused from one bitmap to the next.
constexpr std::size_t kBatchBytes = 64 * 1024;

// The pixels of a file of the kind BmpDecoder handles, converted batch by batch as they are
// read; a null image when the file ends early.
QImage DecodeOwn(QFile& file, const BmpHeader& header) {
    QImage image(header.width, header.height, QImage::Format_RGB32);
    if (image.isNull() || !file.seek(qint64(header.dataOffset))) {
        return QImage();
    }
    const std::size_t rowBytes = BmpDecoder::RowBytes(header);
    const int rowsPerBatch = int(std::max<std::size_t>(1, kBatchBytes / rowBytes));
    std::vector<unsigned char> batch(std::size_t(rowsPerBatch) * rowBytes);
    for (int stored = 0; stored < header.height; stored += rowsPerBatch) {
        const int rows = std::min(rowsPerBatch, header.height - stored);
        const auto bytes = qint64(std::size_t(rows) * rowBytes);
        if (file.read(reinterpret_cast<char*>(batch.data()), bytes) != bytes) {
            return QImage();
        }
        for (int i = 0; i < rows; ++i) {
            auto* line = reinterpret_cast<std::uint32_t*>(
                image.scanLine(BmpDecoder::ImageRow(header, stored + i)));
            BmpDecoder::ConvertRow(header, batch.data() + std::size_t(i) * rowBytes, line);
        }
    }
    return image;
}

// The pixels of the BMP file at `path`; a null image when it cannot be used, nothing when
// only the image reader could decode it and this thread may not use it.
std::optional<QImage> Decode(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return QImage();
    }
    unsigned char bytes[BmpHeader::kHeaderBytes] = {};
    const qint64 got = file.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    const std::optional<BmpHeader> header =
        BmpHeader::Parse(bytes, std::size_t(std::max<qint64>(got, 0)), std::uint64_t(file.size()));
    if (!header) {
        return QImage();
    }
    const bool own = BmpDecoder::Handles(*header);
    if (!own && !CSkinImageCache::ReaderAllowed()) {
        return std::nullopt;
    }
    if (!CSkinImageCache::Spend(header->Pixels())) {
        return QImage();
    }
    if (own) {
        return DecodeOwn(file, *header);
    }
    file.seek(0);
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

} // namespace

CSkinImage::CSkinImage(const QImage& image)
    : m_pixels(image.convertToFormat(QImage::Format_RGB32)), m_area(m_pixels.rect()) {}

CSkinImage::CSkinImage(const QImage& pixels, const QRect& area) : m_pixels(pixels), m_area(area) {}

CSkinImage CSkinImage::FromFile(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    if (const std::optional<QImage> cached = CSkinImageCache::Find(path)) {
        return cached->isNull() ? CSkinImage() : CSkinImage(*cached);
    }
    const std::optional<QImage> image = Decode(path);
    if (!image) {
        return {};
    }
    const CSkinImage decoded = image->isNull() ? CSkinImage() : CSkinImage(*image);
    CSkinImageCache::Store(path, decoded.m_pixels);
    return decoded;
}

QImage CSkinImage::OpaquePixels() const {
    return m_key == kNoColour ? m_pixels : Unkeyed(m_pixels, m_key);
}

QImage CSkinImage::Image() const {
    return IsWhole() ? OpaquePixels() : OpaquePixels().copy(m_area);
}

CSkinImage CSkinImage::Frame(int index, int count, const QSize& size) const {
    const bool tooLarge = size.width() > kMaxFrameSide || size.height() > kMaxFrameSide;
    if (IsNull() || count <= 0 || size.isEmpty() || tooLarge) {
        return {};
    }
    const int frameWidth = Width() / count;
    if (frameWidth == 0) {
        return {};
    }
    const QRect source(m_area.x() + index * frameWidth, m_area.y(), frameWidth, Height());
    const QImage opaque = OpaquePixels();
    if (size == source.size() && m_area.contains(source)) {
        return CSkinImage(opaque, source);
    }
    const QImage stretched =
        CSkinImageCache::Derived({opaque.cacheKey(), source, size, kNoColour}, [&] {
            if (!CSkinImageCache::Spend(PixelsOf(size))) {
                return QImage();
            }
            return opaque.copy(source)
                .scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .convertToFormat(QImage::Format_RGB32);
        });
    return stretched.isNull() ? CSkinImage() : CSkinImage(stretched, stretched.rect());
}

// The whole of the pixels is keyed once, so the frames of one strip share their keyed copy.
void CSkinImage::SetColourKey(COLORREF key) {
    if (IsNull() || key == m_key) {
        return;
    }
    const QImage opaque = OpaquePixels();
    m_pixels = opaque;
    m_key = kNoColour;
    if (key == kNoColour) {
        return;
    }
    const QImage keyed = CSkinImageCache::Derived({opaque.cacheKey(), opaque.rect(), {}, key}, [&] {
        return CSkinImageCache::Spend(PixelsOf(opaque.size())) ? KeyedCopy(opaque, key) : QImage();
    });
    if (!keyed.isNull()) {
        m_pixels = keyed;
        m_key = key;
    }
}

void CSkinImage::Draw(QPainter& painter, const QPoint& at) const {
    if (IsWhole() && m_key == kNoColour) {
        painter.drawImage(at, m_pixels);
    } else {
        Draw(painter, at, QRect(QPoint(0, 0), Size()));
    }
}

// Only the part of `source` inside this image is copied, to where it would have gone.
void CSkinImage::Draw(QPainter& painter, const QPoint& at, const QRect& source) const {
    if (IsWhole() && m_key == kNoColour) {
        painter.drawImage(at, m_pixels, source);
        return;
    }
    const QRect wanted = source.translated(m_area.topLeft());
    const QRect part = wanted.intersected(m_area);
    if (part.isEmpty()) {
        return;
    }
    const QPoint target = at + (part.topLeft() - wanted.topLeft());
    if (m_key != kNoColour) {
        painter.fillRect(QRect(target, part.size()), QColor::fromRgb(ToQRgb(m_key)));
    }
    painter.drawImage(target, m_pixels, part);
}

void CSkinImage::DrawStretched(QPainter& painter, const QRect& target) const {
    painter.drawImage(target, IsWhole() ? OpaquePixels() : Image());
}

void CSkinImage::DrawKeyed(QPainter& painter, const QPoint& at) const {
    if (IsWhole()) {
        painter.drawImage(at, m_pixels);
    } else {
        painter.drawImage(at, m_pixels, m_area);
    }
}
