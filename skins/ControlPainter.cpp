#include "skins/ControlPainter.h"

#include "skins/Blend.h"
#include "skins/ColourContrast.h"
#include "skins/SkinFonts.h"
#include "skins/TextPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double kTextContrast = 4.8;
const QColor kCloseRed(200, 44, 52);

using Frame = CControlPainter::Frame;

QRect FrameArea(const QSize& size, int k) {
    return QRect(QPoint(k * size.width(), 0), size);
}

PaintedBitmap StripOver(const QImage& backdrop) {
    PaintedBitmap strip;
    strip.image = QImage(backdrop.width() * CControlPainter::kFrameCount, backdrop.height(),
                         QImage::Format_RGB32);
    QPainter painter(&strip.image);
    for (int k = 0; k < CControlPainter::kFrameCount; ++k) {
        painter.drawImage(k * backdrop.width(), 0, backdrop);
    }
    return strip;
}

void PaintGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour) {
    const QPointF c = box.center();
    const qreal s = std::min(box.width(), box.height()) * 0.22;
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    switch (glyph) {
    case Glyph::Minimize:
        p.drawLine(QPointF(c.x() - s, c.y() + s * 0.8), QPointF(c.x() + s, c.y() + s * 0.8));
        break;
    case Glyph::Close:
        p.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() + s, c.y() + s));
        p.drawLine(QPointF(c.x() - s, c.y() + s), QPointF(c.x() + s, c.y() - s));
        break;
    case Glyph::Play: {
        const QPointF points[] = {{c.x() - s * 0.8, c.y() - s * 1.2},
                                  {c.x() - s * 0.8, c.y() + s * 1.2},
                                  {c.x() + s * 1.2, c.y()}};
        p.drawPolygon(points, 3);
        break;
    }
    case Glyph::Pause:
        p.drawRect(QRectF(c.x() - s, c.y() - s * 1.1, s * 0.6, s * 2.2));
        p.drawRect(QRectF(c.x() + s * 0.4, c.y() - s * 1.1, s * 0.6, s * 2.2));
        break;
    case Glyph::None:
        break;
    }
}

void FillRounded(QPainter& p, const QRectF& r, qreal radius, const QColor& top,
                 const QColor& bottom, const QColor& border, qreal borderWidth) {
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setBrush(gradient);
    p.setPen(QPen(border, borderWidth));
    const qreal inset = borderWidth / 2;
    p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), radius, radius);
}

} // namespace

CControlPainter::Look CControlPainter::ButtonLook(Frame frame, bool primary, bool close) const {
    const QColor base = primary ? m_theme.accent : m_theme.face;
    const QColor baseText = primary ? m_theme.accentText : m_theme.faceText;
    const QColor highlight = primary ? m_theme.face : m_theme.accent;
    Look look;
    switch (frame) {
    case Frame::Normal:
        look = {base.lighter(112), base.darker(108), base.darker(160), baseText, 1, {}};
        break;
    case Frame::Hover:
        if (close) {
            look = {kCloseRed.lighter(115), kCloseRed, kCloseRed.darker(140), Qt::white, 2, {}};
        } else {
            // Light text keeps its face dark; dark text gets a brighter face.
            const bool lightText =
                CColourContrast::Luminance(baseText) > CColourContrast::Luminance(base);
            const QColor tint = Blend(base, highlight, 0.2);
            look = {lightText ? tint : tint.lighter(120),
                    lightText ? tint.darker(115) : tint,
                    highlight,
                    baseText,
                    2,
                    {}};
        }
        break;
    case Frame::Pressed: {
        const QColor down = close ? kCloseRed : base;
        look = {down.darker(140),
                down.darker(115),
                down.darker(190),
                close ? Qt::white : baseText,
                1,
                {1, 1}};
        break;
    }
    case Frame::Disabled: {
        const QColor flat = Blend(Greyed(base), Greyed(m_theme.panel), 0.35);
        look = {flat, flat, flat.darker(125), Blend(Greyed(baseText), flat, 0.3), 1, {}};
        break;
    }
    }
    look.text = CColourContrast::Legible(look.text, look.top, look.bottom, kTextContrast);
    return look;
}

void CControlPainter::PaintFace(PaintedBitmap& strip, const QRect& area, Frame frame,
                                const ButtonFace& face) const {
    const Look look = ButtonLook(frame, face.primary, face.glyph == Glyph::Close);
    {
        QPainter p(&strip.image);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF body = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
        FillRounded(p, body, 6, look.top, look.bottom, look.border, look.borderWidth);
        if (frame == Frame::Pressed) {
            p.setPen(QPen(look.border, 1));
            p.drawLine(body.topLeft() + QPointF(6, 2), body.topRight() + QPointF(-6, 2));
        }
        if (face.glyph != Glyph::None) {
            PaintGlyph(p, face.glyph, QRectF(area.translated(look.shift)), look.text);
        }
    }
    if (!face.caption.isEmpty()) {
        const QRect textArea = area.adjusted(6, 4, -6, -4).translated(look.shift);
        CTextPainter::Draw(strip, textArea, face.caption, CSkinFonts::Font(13, true), look.text,
                           Qt::AlignCenter);
    }
}

PaintedBitmap CControlPainter::ButtonStrip(const ButtonFace& face, const QImage& backdrop) const {
    PaintedBitmap strip = StripOver(backdrop);
    for (int k = 0; k < kFrameCount; ++k) {
        PaintFace(strip, FrameArea(backdrop.size(), k), Frame(k), face);
    }
    return strip;
}

void CControlPainter::PaintLatch(PaintedBitmap& strip, const QRect& area, Frame frame,
                                 const LatchFace& face) const {
    const bool disabled = frame == Frame::Disabled;
    const bool on = frame == Frame::Pressed;
    const QColor box = disabled ? Greyed(m_theme.editBack) : on ? m_theme.accent : m_theme.editBack;
    const QColor border = disabled                ? Greyed(m_theme.editBorder)
                          : frame == Frame::Hover ? m_theme.accent
                                                  : m_theme.editBorder;
    const QRectF boxRect(area.left() + 2.5, area.top() + (area.height() - 16) / 2 + 0.5, 15, 15);
    {
        QPainter p(&strip.image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(box);
        p.setPen(QPen(border, frame == Frame::Hover ? 2 : 1.2));
        if (face.kind == LatchKind::Option) {
            p.drawEllipse(boxRect);
        } else {
            p.drawRoundedRect(boxRect, 3, 3);
        }
        if (on) {
            p.setBrush(m_theme.accentText);
            p.setPen(QPen(m_theme.accentText, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            if (face.kind == LatchKind::Option) {
                p.drawEllipse(boxRect.center(), 3.5, 3.5);
            } else {
                const QPointF o = boxRect.topLeft();
                const QPointF tick[] = {o + QPointF(3.5, 7.5), o + QPointF(6.5, 11),
                                        o + QPointF(12, 4)};
                p.drawPolyline(tick, 3);
            }
        }
    }
    const QColor backdrop = m_theme.panel;
    const QColor text =
        disabled ? Blend(Greyed(m_theme.labelText), Greyed(backdrop), 0.3) : m_theme.labelText;
    CTextPainter::Draw(strip, area.adjusted(24, 0, 0, 0), face.caption,
                       CSkinFonts::Font(13, frame == Frame::Hover),
                       CColourContrast::Legible(text, backdrop, backdrop, kTextContrast),
                       Qt::AlignLeft | Qt::AlignVCenter);
}

PaintedBitmap CControlPainter::LatchStrip(const LatchFace& face, const QImage& backdrop) const {
    PaintedBitmap strip = StripOver(backdrop);
    for (int k = 0; k < kFrameCount; ++k) {
        PaintLatch(strip, FrameArea(backdrop.size(), k), Frame(k), face);
    }
    return strip;
}

QImage CControlPainter::SliderChannel(const QImage& backdrop) const {
    QImage image = backdrop.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(m_theme.accent);
    p.drawRoundedRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    return image;
}

QImage CControlPainter::SliderThumb(bool active) const {
    QImage image(kSliderThumb, QImage::Format_RGB32);
    const QColor fill = active ? m_theme.accent : m_theme.face;
    image.fill(fill.darker(160));
    QPainter p(&image);
    p.fillRect(image.rect().adjusted(1, 1, -1, -1), fill);
    return image;
}

void CControlPainter::PaintArrow(QImage& image, bool up, bool active) const {
    const QColor fill = active ? m_theme.accent : m_theme.face;
    const QColor glyph = active ? m_theme.accentText : m_theme.faceText;
    image.fill(fill.darker(140));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(image.rect().adjusted(1, 1, -1, -1), fill);
    const qreal w = image.width();
    const qreal y0 = up ? w * 0.62 : w * 0.38;
    const qreal y1 = up ? w * 0.36 : w * 0.64;
    const QPointF tri[] = {{w * 0.28, y0}, {w * 0.72, y0}, {w * 0.5, y1}};
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    p.drawPolygon(tri, 3);
}

std::array<QImage, 7> CControlPainter::ScrollImages() const {
    std::array<QImage, 7> images;
    QImage track(kScrollWidth, 32, QImage::Format_RGB32);
    track.fill(Blend(m_theme.listBack, m_theme.listText, 0.12));
    {
        QPainter p(&track);
        p.fillRect(4, 0, kScrollWidth - 8, 32, Blend(m_theme.listBack, m_theme.listText, 0.2));
    }
    images[0] = track;
    for (int i = 0; i < 4; ++i) {
        QImage arrow(kScrollWidth, kScrollWidth, QImage::Format_RGB32);
        PaintArrow(arrow, i < 2, i % 2 == 1);
        images[1 + i] = arrow;
    }
    for (int i = 0; i < 2; ++i) {
        const QColor fill = i == 1 ? m_theme.accent : m_theme.face;
        QImage thumb(kScrollWidth, 36, QImage::Format_RGB32);
        thumb.fill(fill.darker(150));
        QPainter p(&thumb);
        p.fillRect(thumb.rect().adjusted(1, 1, -1, -1), fill);
        const QColor grip = i == 1 ? m_theme.accentText : m_theme.faceText;
        for (int y = 13; y <= 21; y += 4) {
            p.fillRect(4, y, kScrollWidth - 8, 1, grip);
        }
        images[5 + i] = thumb;
    }
    return images;
}

QImage CControlPainter::ComboStrip() const {
    QImage strip(kComboFrame.width() * kFrameCount, kComboFrame.height(), QImage::Format_RGB32);
    strip.fill(m_theme.panel);
    for (int k = 0; k < kFrameCount; ++k) {
        const Look look = ButtonLook(Frame(k), false, false);
        const QRect area = FrameArea(kComboFrame, k);
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(look.top);
        p.setPen(QPen(look.border, look.borderWidth));
        const qreal inset = look.borderWidth / 2;
        p.drawRect(QRectF(area).adjusted(inset, inset, -inset, -inset));
        const QPointF c = QRectF(area.translated(look.shift)).center();
        const QPointF tri[] = {
            {c.x() - 5, c.y() - 2.5}, {c.x() + 5, c.y() - 2.5}, {c.x(), c.y() + 3.5}};
        p.setPen(Qt::NoPen);
        p.setBrush(look.text);
        p.drawPolygon(tri, 3);
    }
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0) {
                line[x] = qRgb(1, 1, 1);
            }
        }
    }
    return strip;
}
