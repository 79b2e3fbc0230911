#pragma once

#include "skins/SkinLayout.h"
#include "skins/SkinTheme.h"

#include <array>

// Paints the bitmaps of the controls: four-frame strips, the slider and the scroll bar.
// Strips are painted over the background under the control, so edges blend cleanly.
class CControlPainter {
public:
    enum class Frame { Normal, Hover, Pressed, Disabled };
    static constexpr int kFrameCount = 4;
    static constexpr int kScrollWidth = 16;
    static constexpr QSize kComboFrame{22, 24};
    static constexpr QSize kSliderThumb{12, 16};
    static constexpr int kSliderChannelHeight = 8;

    explicit CControlPainter(const SkinTheme& theme) : m_theme(theme) {}

    PaintedBitmap ButtonStrip(const ButtonFace& face, const QImage& backdrop) const;
    PaintedBitmap LatchStrip(const LatchFace& face, const QImage& backdrop) const;
    QImage SliderChannel(const QImage& backdrop) const;
    QImage SliderThumb(bool active) const;
    // Track, up, active up, down, active down, thumb, active thumb.
    std::array<QImage, 7> ScrollImages() const;
    // The combo's button part keys out black, so the strip holds no black pixel.
    QImage ComboStrip() const;

private:
    struct Look {
        QColor top, bottom, border, text;
        qreal borderWidth = 1;
        QPoint shift;
    };
    Look ButtonLook(Frame frame, bool primary, bool close) const;
    void PaintFace(PaintedBitmap& strip, const QRect& area, Frame frame,
                   const ButtonFace& face) const;
    void PaintLatch(PaintedBitmap& strip, const QRect& area, Frame frame,
                    const LatchFace& face) const;
    void PaintArrow(QImage& image, bool up, bool active) const;

    const SkinTheme& m_theme;
};
