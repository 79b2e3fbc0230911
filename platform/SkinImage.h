#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>

class QPainter;

// A skin bitmap as the controls draw it: loaded once from a BMP file, opaque, and optionally
// keyed: pixels of the key colour are left out when drawn. A keyed image keeps only its keyed
// pixels, so painting never converts an image or builds a mask. A frame that needs no
// stretching is a part of its strip and shares the strip's pixels.
class CSkinImage {
public:
    // Frames are never made larger than this on either side, whatever a skin asks for.
    static constexpr int kMaxFrameSide = 8192;

    CSkinImage() = default;
    explicit CSkinImage(const QImage& image);

    // An empty image when the file is missing or is not a readable BMP, when its header claims
    // more than 8192 pixels a side or more pixels than the file holds, or when its pixels
    // would cross the budget of the skin being loaded. The skin kinds of BMP are decoded here;
    // others by the toolkit's image reader, and not at all while the thread's cache forbids it.
    static CSkinImage FromFile(const std::string& path);

    bool IsNull() const { return m_pixels.isNull(); }
    int Width() const { return m_area.width(); }
    int Height() const { return m_area.height(); }
    QSize Size() const { return m_area.size(); }
    // The opaque pixels; a copy when this image is a part of a larger one or keyed.
    QImage Image() const;

    // Frame `index` of `count` equal frames side by side, stretched to `size`. The columns
    // left over by the integer division are never part of a frame. Empty when `size` is
    // empty or larger than kMaxFrameSide, or when it would cross the skin's pixel budget.
    CSkinImage Frame(int index, int count, const QSize& size) const;

    // Makes pixels of `key` transparent for DrawKeyed; kNoColour matches no pixel.
    void SetColourKey(COLORREF key);

    // Opaque copies.
    void Draw(QPainter& painter, const QPoint& at) const;
    void Draw(QPainter& painter, const QPoint& at, const QRect& source) const;
    void DrawStretched(QPainter& painter, const QRect& target) const;
    // Leaves the target unchanged where the image has the key colour (opaque without a key).
    void DrawKeyed(QPainter& painter, const QPoint& at) const;

private:
    CSkinImage(const QImage& pixels, const QRect& area);

    bool IsWhole() const { return m_area == m_pixels.rect(); }
    QImage OpaquePixels() const;

    // Opaque, or keyed when m_key is a colour; this image is the part m_area of them.
    QImage m_pixels;
    QRect m_area;
    COLORREF m_key = kNoColour;
};
