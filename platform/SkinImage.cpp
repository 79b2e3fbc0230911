#include "platform/SkinImage.h"

#include "platform/BmpHeader.h"
#include "platform/SkinImageCache.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace {

QRgb ToQRgb(COLORREF colour) {
    return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QImage KeyedCopy(const QImage& image, COLORREF key) {
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (key == kNoColour) {
        return keyed;
    }
    const QRgb transparentPixel = ToQRgb(key);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (line[x] == transparentPixel) {
                line[x] = 0;
            }
        }
    }
    return keyed;
}

} // namespace

CSkinImage::CSkinImage(const QImage& image)
    : m_image(image.convertToFormat(QImage::Format_RGB32)) {}

CSkinImage CSkinImage::FromFile(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    if (const std::optional<QImage> cached = CSkinImageCache::Find(path)) {
        return cached->isNull() ? CSkinImage() : CSkinImage(*cached);
    }
    QImage image;
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::ReadOnly)) {
        char bytes[BmpHeader::kHeaderBytes] = {};
        const qint64 got = file.peek(bytes, sizeof bytes);
        const std::optional<BmpHeader> header =
            BmpHeader::Parse(reinterpret_cast<const unsigned char*>(bytes),
                             std::size_t(std::max<qint64>(got, 0)), std::uint64_t(file.size()));
        if (header && CSkinImageCache::Spend(header->Pixels())) {
            QImageReader reader(&file, "bmp");
            reader.setDecideFormatFromContent(false);
            image = reader.read();
        }
    }
    const CSkinImage decoded = image.isNull() ? CSkinImage() : CSkinImage(image);
    CSkinImageCache::Store(path, decoded.Image());
    return decoded;
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
    if (!CSkinImageCache::Spend(std::int64_t(size.width()) * size.height())) {
        return {};
    }
    const QImage frame = m_image.copy(index * frameWidth, 0, frameWidth, Height());
    return CSkinImage(frame.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void CSkinImage::SetColourKey(COLORREF key) {
    if (IsNull()) {
        return;
    }
    const bool fits = !m_keyed.isNull() || CSkinImageCache::Spend(std::int64_t(Width()) * Height());
    m_keyed = fits ? KeyedCopy(m_image, key) : QImage();
}

void CSkinImage::Draw(QPainter& painter, const QPoint& at) const {
    painter.drawImage(at, m_image);
}

void CSkinImage::Draw(QPainter& painter, const QPoint& at, const QRect& source) const {
    painter.drawImage(at, m_image, source);
}

void CSkinImage::DrawStretched(QPainter& painter, const QRect& target) const {
    painter.drawImage(target, m_image);
}

void CSkinImage::DrawKeyed(QPainter& painter, const QPoint& at) const {
    painter.drawImage(at, HasColourKey() ? m_keyed : m_image);
}
