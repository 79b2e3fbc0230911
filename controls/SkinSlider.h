#pragma once

#include "platform/SkinImage.h"
#include "platform/WinTypes.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>

// Bitmap slider: a channel drawn only up to the thumb (left of it, or below it when
// vertical), and a thumb with its own image while dragged, over a copy of the skin
// background. Every move of a drag is reported to the parent; keys are not.
class CSkinSlider : public QWidget {
    Q_OBJECT

public:
    explicit CSkinSlider(QWidget* parent = nullptr);

    QString name;
    int index = 0;

    void SetRangeMax(int max, bool repaint);
    void SetRangeMin(int min, bool repaint);
    void SetRange(int min, int max, bool repaint);
    void SetPos(int pos);
    int GetPos() const { return m_pos; }
    int GetRangeMax() const { return m_max; }
    int GetRangeMin() const { return m_min; }
    int SetPageSize(int page);
    void Enable(bool enabled);
    bool IsEnabled() const { return m_enabled; }
    void SetDrawFocusRect(bool draw, bool repaint);
    // Must come before SetThumbBitmaps.
    void SetTransparentColour(COLORREF colour) { m_maskColour = colour; }
    void SetVertical(bool vertical) { m_vertical = vertical; }
    bool SetChannelBitmap(const std::string& path);
    bool SetThumbBitmaps(const std::string& thumbPath,
                         const std::optional<std::string>& draggedPath, bool transparent);
    void SetTooltipText(const std::optional<QString>& text, bool activate);

    bool IsDragging() const { return m_dragging; }
    const QString& TooltipText() const { return m_tooltipText; }
    // The thumb centre of `pos`, and the position of a thumb centre, in pixels.
    int Pos2Pixel(int pos) const;
    int Pixel2Pos(int pixel) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void MoveBy(qint64 delta);
    void DragTo(const QPoint& point);
    int ClampThumbCentre(const QPoint& point) const;
    void ClearThumb();
    void DrawChannel(QPainter& painter, int centre) const;
    void DrawThumb(QPainter& painter, int centre) const;
    void DrawFocus(QPainter& painter) const;
    int Length() const { return m_vertical ? m_height : m_width; }
    int ThumbLength() const { return m_vertical ? m_thumbHeight : m_thumbWidth; }

    int m_max = 100;
    int m_min = 0;
    int m_pos = 0;
    int m_page = 20;
    int m_width = 0;
    int m_height = 0;
    int m_thumbWidth = 0;
    int m_thumbHeight = 0;
    int m_channelWidth = 0;
    int m_channelHeight = 0;
    bool m_vertical = false;
    bool m_draggedThumbLoaded = false;
    bool m_thumbLoaded = false;
    bool m_transparentThumb = false;
    bool m_dragging = false;
    bool m_focused = false;
    bool m_drawFocusRect = true;
    bool m_enabled = true;
    bool m_channelLoaded = false;
    bool m_backgroundNeeded = true;
    COLORREF m_maskColour = 0;
    CSkinImage m_thumb;
    CSkinImage m_draggedThumb;
    CSkinImage m_channel;
    QImage m_background;
    bool m_tooltipActive = false;
    QString m_tooltipText;
};
