#include "menus/MenuDrawStyle.h"

#include "menus/MenuWindowState.h"
#include "platform/QtConvert.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <QWidget>

namespace {

// A menu lays its items out again only when told that its style changed; new margins alone
// would move its right and bottom edges but not its items.
void RelayOut(QWidget* window) {
    QEvent styleChange(QEvent::StyleChange);
    QCoreApplication::sendEvent(window, &styleChange);
}

} // namespace

CMenuDrawStyle::CMenuDrawStyle(int id, Family family, int borderFlag, const MenuPlatform& platform)
    : m_id(id), m_family(family), m_borderFlag(borderFlag), m_platform(platform),
      m_secondInset(platform.dropShadows ? QPoint(2, 2) : QPoint(5, 6)) {}

CMenuDrawStyle::~CMenuDrawStyle() = default;

bool CMenuDrawStyle::RemoveFrameStyles(QWidget* window, const QMargins& saved,
                                       bool drawFlag) const {
    if (!drawFlag || !IsActive()) {
        return false;
    }
    window->setContentsMargins(saved + AdjustNonClientSize());
    RelayOut(window);
    return true;
}

void CMenuDrawStyle::RestoreFrameStyles(QWidget* window, const QMargins& saved) const {
    window->setContentsMargins(saved);
    RelayOut(window);
}

QMargins CMenuDrawStyle::AdjustNonClientSize() const {
    if (!IsActive()) {
        return {};
    }
    return QMargins(m_firstInset.x(), m_firstInset.y(), m_secondInset.x(), m_secondInset.y());
}

QPoint CMenuDrawStyle::AdjustWindowPosition(const QPoint& position) const {
    return IsActive() ? position - QPoint(0, 1) : position;
}

QRect CMenuDrawStyle::FrameInterior(const QSize& windowSize) const {
    const int cut = m_platform.dropShadows ? 3 : 7;
    return QRect(QPoint(2, 2), QPoint(windowSize.width() - cut - 1, windowSize.height() - cut - 1));
}

QRect CMenuDrawStyle::ClientRect(const QSize& windowSize) const {
    const QMargins margins = AdjustNonClientSize();
    return QRect(0, 0, windowSize.width(), windowSize.height()).marginsRemoved(margins);
}

void CMenuDrawStyle::EraseBackground(QWidget* window, QPainter& painter) const {
    QRect area = ClientRect(window->size()).adjusted(-2, 0, IsActive() ? -1 : 0, 0);
    painter.fillRect(area, ToQColor(MenuColourOf(window)));
}

void CMenuDrawStyle::DrawFrame(QWidget* window, const CMenuWindowState* state, QPainter& painter,
                               bool linesOnly) const {
    if (!IsActive() || state == nullptr || m_family != Family::B) {
        return;
    }
    const MenuSystemColours system = SystemColoursOf(window);
    MenuFramePaint frame;
    frame.size = window->size();
    frame.client = ClientRect(frame.size);
    frame.shadowMargin = ShadowMargin();
    frame.highContrast = m_platform.highContrast;
    frame.screenColours = m_platform.ScreenColours();
    frame.colours = ComputeFrameColours(system, frame.screenColours, m_platform.screenDepth);
    frame.buttonText = system.buttonText;
    frame.buttonShadow = system.buttonShadow;
    frame.background = state->background;
    frame.fallback =
        ToColorRef(QGuiApplication::palette().color(QPalette::Active, QPalette::Window));
    PaintFrame(painter, frame, linesOnly);
}

namespace {

// 1-pixel outline of the rectangle at (x, y) of size w × h, right and bottom exclusive.
void Outline(QPainter& painter, int x, int y, int w, int h, const QColor& colour) {
    if (w <= 0 || h <= 0) {
        return;
    }
    painter.fillRect(x, y, w, 1, colour);
    painter.fillRect(x, y + h - 1, w, 1, colour);
    painter.fillRect(x, y, 1, h, colour);
    painter.fillRect(x + w - 1, y, 1, h, colour);
}

// Reads B with the fallback colour outside it.
class Background {
public:
    explicit Background(const MenuFramePaint& frame)
        : m_image(frame.background.format() == QImage::Format_RGB32
                      ? frame.background
                      : frame.background.convertToFormat(QImage::Format_RGB32)),
          m_fallback(frame.fallback) {}

    COLORREF At(int x, int y) const {
        if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) {
            return m_fallback;
        }
        const QRgb p = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
        return Rgb(qRed(p), qGreen(p), qBlue(p));
    }

private:
    QImage m_image;
    COLORREF m_fallback;
};

QRgb ToQRgb(COLORREF c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// The band of width 4 at the right (columns W − 4 .. W − 1, every row) and at the bottom
// (rows H − 4 .. H − 1, columns 0 .. W − 5), filled pixel by pixel from `pixel(x, y)`.
template <typename PixelRule>
void PaintBand(QPainter& painter, const QSize& size, PixelRule pixel) {
    const int w = size.width();
    const int h = size.height();
    if (w < 4 || h < 4) {
        return;
    }
    QImage right(4, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(right.scanLine(y));
        for (int i = 0; i < 4; ++i) {
            line[i] = ToQRgb(pixel(w - 4 + i, y));
        }
    }
    QImage bottom(w - 4, 4, QImage::Format_RGB32);
    for (int j = 0; j < 4; ++j) {
        auto* line = reinterpret_cast<QRgb*>(bottom.scanLine(j));
        for (int x = 0; x < w - 4; ++x) {
            line[x] = ToQRgb(pixel(x, h - 4 + j));
        }
    }
    painter.drawImage(QRect(w - 4, 0, 4, h), right);
    if (w > 4) {
        painter.drawImage(QRect(0, h - 4, w - 4, 4), bottom);
    }
}

} // namespace

void CMenuDrawStyle::PaintFrame(QPainter& painter, const MenuFramePaint& frame, bool linesOnly) {
    const int w = frame.size.width();
    const int h = frame.size.height();
    const int m = frame.shadowMargin;
    const QColor light = ToQColor(frame.colours.light);

    // 1. The ring between the window edge and the client area, inside (1, 1, W−2−m, H−2−m).
    if (!linesOnly) {
        const QRegion ring = QRegion(1, 1, w - 2 - m, h - 2 - m) - QRegion(frame.client);
        for (const QRect& r : ring) {
            painter.fillRect(r, light);
        }
    }
    if (!frame.highContrast) {
        // 2. Light outline, the bar line at x = 1, the dark outline, the shadow.
        Outline(painter, 1, 1, w - 2 - m, h - 2 - m, light);
        if (h - 4 - m > 0) {
            painter.fillRect(1, 2, 1, h - 4 - m, ToQColor(frame.colours.bar));
        }
        Outline(painter, 0, 0, w - m, h - m, ToQColor(frame.colours.dark));
        if (m > 0) {
            PaintShadow(painter, frame);
        }
    } else {
        // 3. High contrast: one outline in the button-text colour. The band that would hold
        // the shadow shows the screen beneath unchanged (left unpainted where the platform draws
        // nothing).
        Outline(painter, 0, 0, w - m, h - m, ToQColor(frame.buttonText));
        if (m > 0) {
            const Background b(frame);
            PaintBand(painter, frame.size, [&b](int x, int y) { return b.At(x, y); });
        }
    }
}

void CMenuDrawStyle::PaintShadow(QPainter& painter, const MenuFramePaint& frame) {
    const int w = frame.size.width();
    const int h = frame.size.height();
    const Background b(frame);
    if (frame.screenColours > 256) {
        PaintBand(painter, frame.size, [&](int x, int y) {
            if (x >= w - 4) {
                // Right edge, column x = W − r.
                const int r = w - x;
                if (y >= h - 4) {
                    return Darken(6 * r * (h - y), b.At(x, y));
                }
                if (y >= 8) {
                    return Darken(30 * r, b.At(x, y));
                }
                if (y >= 4) {
                    return Darken(6 * r * (y - 3), b.At(x, y));
                }
                return b.At(x, y);
            }
            // Bottom edge, row y = H − s, columns 0 .. W − 5.
            const int s = h - y;
            if (x >= 8) {
                return Darken(30 * s, b.At(x, y));
            }
            if (x >= 4) {
                return Darken(6 * s * (x - 3), b.At(x, y));
            }
            return b.At(x, y);
        });
        return;
    }
    // At most 256 colours: the outer 2 pixels copy B; the inner 2 take the button shadow
    // colour, except their first 4 pixels (copied) and, at the right, the last 2 rows.
    PaintBand(painter, frame.size, [&](int x, int y) {
        if (x >= w - 2 || y >= h - 2) {
            return b.At(x, y);
        }
        if (x >= w - 4) {
            return y >= 4 ? frame.buttonShadow : b.At(x, y);
        }
        return x >= 4 ? frame.buttonShadow : b.At(x, y);
    });
}
