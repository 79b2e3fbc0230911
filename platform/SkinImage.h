#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>

class QPainter;

// A skin bitmap as the controls draw it: loaded once from a BMP file, opaque, and optionally
// keyed: pixels of the key colour are left out when drawn. The keyed copy is made when the
// key is set, so painting never converts an image or builds a mask.
class CSkinImage {
public:
    // Frames are never made larger than this on either side, whatever a skin asks for.
    static constexpr int kMaxFrameSide = 8192;

    CSkinImage() = default;
    explicit CSkinImage(const QImage& image);

    // An empty image when the file is missing or is not a readable BMP, when its header claims
    // more than 8192 pixels a side or more pixels than the file holds, or when its pixels
    // would cross the budget of the skin being loaded.
    static CSkinImage FromFile(const std::string& path);

    bool IsNull() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    QSize Size() const { return m_image.size(); }
    const QImage& Image() const { return m_image; }

    // Frame `index` of `count` equal frames side by side, stretched to `size`. The columns
    // left over by the integer division are never part of a frame. Empty when `size` is
    // empty or larger than kMaxFrameSide, or when it would cross the skin's pixel budget.
    CSkinImage Frame(int index, int count, const QSize& size) const;

    // Makes pixels of `key` transparent for DrawKeyed; kNoColour matches no pixel.
    void SetColourKey(COLORREF key);
    bool HasColourKey() const { return !m_keyed.isNull(); }

    // Opaque copies.
    void Draw(QPainter& painter, const QPoint& at) const;
    void Draw(QPainter& painter, const QPoint& at, const QRect& source) const;
    void DrawStretched(QPainter& painter, const QRect& target) const;
    // Leaves the target unchanged where the image has the key colour (opaque without a key).
    void DrawKeyed(QPainter& painter, const QPoint& at) const;

private:
    QImage m_image;
    QImage m_keyed;
};
