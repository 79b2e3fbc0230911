#pragma once

#include "platform/SkinImage.h"
#include "platform/WinTypes.h"

#include <QBasicTimer>
#include <QPointer>
#include <QWidget>
#include <string>

class QAbstractScrollArea;

// Vertical scroll bar drawn from skin images, placed beside a list as its sibling. It reads
// the list's scroll position and limit (in rows) and scrolls it by lines, pages and thumb
// drags; an arrow held down repeats after a delay.
class CSkinScrollBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRepeatDelayMs = 250;
    static constexpr int kRepeatIntervalMs = 50;

    explicit CSkinScrollBar(QWidget* parent = nullptr);

    // Track, up, active up, down, active down, thumb, active thumb.
    void LoadImages(const std::string& track, const std::string& up, const std::string& activeUp,
                    const std::string& down, const std::string& activeDown,
                    const std::string& thumb, const std::string& activeThumb);
    void SetBkColour(COLORREF colour) { m_bkColour = colour; }
    void SetList(QAbstractScrollArea* list);
    int GetBarWidth() const { return m_barWidth; }
    // Follows the list's position: computes the thumb and repaints.
    void Sync();

    int ThumbTop() const { return m_thumbTop; }
    QRect UpRect() const;
    QRect DownRect() const;
    QRect ThumbRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Scroll { kLineUp, kLineDown, kPageUp, kPageDown };

    int ScrollPos() const;
    int ScrollLimit() const;
    double PixelsPerStep() const;
    void ClampThumb();
    void ScrollList(Scroll scroll);
    void DragThumb(int y);
    void LightPartsUnder(const QPoint& point);
    void StopRepeat();

    CSkinImage m_thumb;
    CSkinImage m_activeThumb;
    CSkinImage m_up;
    CSkinImage m_activeUp;
    CSkinImage m_down;
    CSkinImage m_activeDown;
    CSkinImage m_track;
    COLORREF m_bkColour = 0;
    QSize m_upSize{0, 0};
    QSize m_downSize{0, 0};
    QSize m_thumbSize{0, 0};
    int m_barWidth = 0;
    QPointer<QAbstractScrollArea> m_list;
    bool m_upActive = false;
    bool m_downActive = false;
    bool m_thumbActive = false;
    int m_thumbTop = 0;
    QBasicTimer m_repeatDelay;
    QBasicTimer m_repeat;
};
