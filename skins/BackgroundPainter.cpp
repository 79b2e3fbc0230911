#include "skins/BackgroundPainter.h"

#include "skins/Blend.h"
#include "skins/SkinFonts.h"
#include "skins/TextPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

namespace {

constexpr int kTabWidth = 460;
constexpr int kTabDrop = 14;

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QPainterPath Rounded(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath Chamfered(const QRectF& r, qreal cut) {
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right() - cut, r.top());
    path.lineTo(r.right(), r.top() + cut);
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left() + cut, r.bottom());
    path.lineTo(r.left(), r.bottom() - cut);
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

void FillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillRect(r, gradient);
}

} // namespace

QPainterPath CBackgroundPainter::WindowOutline() const {
    const QRectF whole(QPointF(0, 0), QSizeF(m_layout.size));
    const qreal r = m_theme.cornerRadius;
    switch (m_theme.outline) {
    case OutlineKind::Chamfered:
        return Chamfered(whole, r);
    case OutlineKind::Tabbed:
        return Rounded(whole.adjusted(0, kTabDrop, 0, 0), r)
            .united(Rounded(QRectF(0, 0, kTabWidth, 80), r));
    case OutlineKind::Rounded:
        break;
    }
    return Rounded(whole, r);
}

void CBackgroundPainter::PaintBody(QImage& image) const {
    QPainter p(&image);
    FillGradient(p, image.rect(), m_theme.bodyTop, m_theme.bodyBottom);
}

void CBackgroundPainter::PaintPattern(QImage& image) const {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int w = image.width();
    const int h = image.height();
    switch (m_theme.pattern) {
    case PatternKind::Stripes:
        p.setPen(QPen(WithAlpha(m_theme.patternColour, 34), 7));
        for (int x = -h; x < w; x += 22) {
            p.drawLine(x, h, x + h, 0);
        }
        break;
    case PatternKind::Dots:
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(m_theme.patternColour, 80));
        for (int y = 8; y < h; y += 18) {
            for (int x = (y / 18 % 2) * 9 + 8; x < w; x += 18) {
                p.drawEllipse(QPointF(x, y), 2.2, 2.2);
            }
        }
        break;
    case PatternKind::Waves:
        p.setPen(QPen(WithAlpha(m_theme.patternColour, 60), 1.6));
        p.setBrush(Qt::NoBrush);
        for (int band = 0; band < 14; ++band) {
            QPainterPath wave;
            const qreal base = 80 + band * 52;
            wave.moveTo(0, base);
            for (int x = 0; x <= w; x += 8) {
                wave.lineTo(x, base + 18 * std::sin(x / 90.0 + band * 0.7));
            }
            p.drawPath(wave);
        }
        break;
    case PatternKind::Grid:
        p.setPen(QPen(WithAlpha(m_theme.patternColour, 70), 1));
        for (int x = 12; x < w; x += 24) {
            p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, h));
        }
        for (int y = 12; y < h; y += 24) {
            p.drawLine(QPointF(0, y + 0.5), QPointF(w, y + 0.5));
        }
        break;
    case PatternKind::None:
        break;
    }
}

void CBackgroundPainter::PaintTitle(QImage& image) const {
    QPainter p(&image);
    const QRect bar = m_layout.titleBar;
    FillGradient(p, bar, m_theme.titleTop, m_theme.titleBottom);
    p.fillRect(QRect(bar.left(), bar.bottom(), bar.width(), 1), m_theme.outlineColour);
    p.fillRect(QRect(bar.left(), bar.bottom() + 1, bar.width(), 2),
               WithAlpha(m_theme.titleBottom.darker(180), 120));
}

void CBackgroundPainter::PaintEmblem(QPainter& p, const QRectF& box, const QColor& colour) const {
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal unit = box.width() / 10;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, unit * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int i = 0; i < 3; ++i) {
        const QRectF page(box.left() + unit * (1 + i * 1.4), box.top() + unit * (0.6 + i * 1.1),
                          unit * 5.2, unit * 6.6);
        p.drawRoundedRect(page, unit * 0.4, unit * 0.4);
    }
}

void CBackgroundPainter::PaintPanels(QImage& image) const {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const QRect& panel : m_layout.panels) {
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(Qt::black, 60));
        p.drawRoundedRect(QRectF(panel).translated(2, 3), 10, 10);
        p.setBrush(m_theme.panel);
        p.setPen(QPen(m_theme.panelBorder, 1.5));
        p.drawRoundedRect(QRectF(panel).adjusted(0.75, 0.75, -0.75, -0.75), 10, 10);
    }
    for (const QRect& emblem : m_layout.emblems) {
        PaintEmblem(p, emblem, Blend(m_theme.panel, m_theme.panelBorder, 0.45));
    }
    const QRectF frame = QRectF(m_layout.viewerFrame).adjusted(1, 1, -1, -1);
    p.setBrush(m_theme.viewerBack);
    p.setPen(QPen(m_theme.viewerBorder, 2));
    p.drawRoundedRect(frame, 5, 5);
}

void CBackgroundPainter::CutOutline(QImage& image, const QPainterPath& outline,
                                    const QColor& edge) {
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(edge, 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(outline);
    }
    // Without antialiasing every pixel is either in or out: no edge blends with the key.
    QImage shape(image.size(), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(outline);
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* inside = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(inside[x]) < 128) {
                line[x] = kTransparent;
            }
        }
    }
}

QImage CBackgroundPainter::Background() const {
    QImage image(m_layout.size, QImage::Format_RGB32);
    PaintBody(image);
    PaintPattern(image);
    PaintTitle(image);
    PaintPanels(image);
    CutOutline(image, WindowOutline(), m_theme.outlineColour);
    return image;
}

QImage CBackgroundPainter::Icon(const QImage& backdrop) const {
    QImage image = backdrop.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = m_theme.titleBottom.darker(200);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(240, 240, 244));
    p.drawRoundedRect(QRectF(4.5, 2.5, 16, 21), 2, 2);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(10.5, 7.5, 16, 21), 2, 2);
    p.setPen(QPen(Blend(Qt::white, ink, 0.45), 1));
    for (int y = 13; y <= 23; y += 3) {
        p.drawLine(QPointF(13.5, y + 0.5), QPointF(23.5, y + 0.5));
    }
    p.setPen(QPen(m_theme.accent.darker(150), 1));
    p.setBrush(m_theme.accent);
    p.drawEllipse(QPointF(23.5, 23.5), 7, 7);
    p.setPen(QPen(m_theme.accentText, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(23.5, 19.5), QPointF(23.5, 27.5));
    p.drawLine(QPointF(19.5, 23.5), QPointF(27.5, 23.5));
    return image;
}

PaintedBitmap CBackgroundPainter::Notifier() const {
    PaintedBitmap result;
    result.image = QImage(m_layout.notifierSize, QImage::Format_RGB32);
    const QRect header(0, 0, m_layout.notifierSize.width(), 40);
    {
        QPainter p(&result.image);
        FillGradient(p, result.image.rect(), m_theme.bodyTop, m_theme.bodyBottom);
        FillGradient(p, header, m_theme.titleTop, m_theme.titleBottom);
        p.fillRect(QRect(0, header.bottom(), header.width(), 1), m_theme.outlineColour);
        const QRect page = m_layout.notifierPage;
        p.fillRect(page.adjusted(-1, -1, 1, 1), m_theme.panelBorder);
        p.fillRect(page, m_theme.panel);
    }
    CTextPainter::Draw(
        result, QRect(14, 4, 250, 32), QStringLiteral("Tipin: %1 skin").arg(m_theme.title),
        CSkinFonts::Font(15, true), m_theme.titleText, Qt::AlignLeft | Qt::AlignVCenter);
    const QRectF whole(QPointF(0, 0), QSizeF(m_layout.notifierSize));
    CutOutline(result.image, Rounded(whole, 14), m_theme.outlineColour);
    return result;
}
