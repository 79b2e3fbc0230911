#pragma once

#include "platform/SkinImage.h"
#include "platform/WinTypes.h"

#include <QEvent>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

class CSkinHost;

// Push button drawn from a strip of four frames (normal, hover, pressed, disabled). It tracks
// the mouse for its hover image and reports a click to its parent by `index`. The check box,
// the option button and the combo box's button change only what a click does and whether
// the mouse is tracked.
class CSkinButton : public QWidget {
    Q_OBJECT

public:
    enum Frame { kNormal, kHover, kPressed, kDisabled, kFrameCount };

    explicit CSkinButton(QWidget* parent = nullptr);

    QString name;
    int index = 0;
    int latchOnly = 0;

    void SetTransparentColour(COLORREF colour);
    // Keeps the previous images when the strip cannot be loaded.
    bool LoadSkinBitmap(const std::string& path, int left, int top, int right, int bottom);
    void SetTooltipText(const std::optional<QString>& text, bool activate);
    void ActivateTooltip(bool activate);
    void SetLatched(int state);

    int Latched() const { return m_latched; }
    const std::optional<QString>& TooltipText() const { return m_tooltipText; }
    // Presses and releases the button through the mouse's path, as Space does.
    void Click();
    int Hover() const { return m_hover; }
    bool TooltipActive() const { return m_tooltipActive; }
    // The frame the next paint shows.
    Frame CurrentFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // What a release over the control does; the hover flag is already cleared.
    virtual void Clicked();
    // Whether mouse moves change the hover image now.
    virtual bool TracksHover() const { return true; }

    void SetLatchedState(int state);
    CSkinHost* Host() const;

private:
    void TrackHover(bool leftButtonDown);
    bool WindowActive() const;
    void TrackPress(const QPoint& point);
    void SetHover(int hover);
    void ApplyTooltip();
    void SendLeftButton(QEvent::Type type, const QPoint& point);

    int m_latched = 0;
    int m_hover = 0;
    bool m_pressed = false;
    bool m_selected = false;
    COLORREF m_transparentColour = 0;
    std::array<CSkinImage, kFrameCount> m_frames;
    std::optional<QString> m_tooltipText;
    bool m_tooltipActive = false;
    bool m_spaceDown = false;
};
