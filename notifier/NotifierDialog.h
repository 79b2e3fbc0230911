#pragma once

#include "controls/ExitRequestHost.h"
#include "notifier/NumberedTimers.h"
#include "platform/Screen.h"
#include "platform/SkinImage.h"

#include <QPoint>
#include <QRegion>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <optional>

class CHtmlCtrl;

// The sliding popup: a frameless, shaped tool window above the others that slides
// in from the screen edge beside the task bar, shows the skin's notifier bitmap with the
// bundled page over it, waits, and slides out when told to (the task-bar exit button, a click
// into the page, or the waiting timer). It never takes the keyboard focus and has no task-bar
// entry. The skinned window owns it; the skin's "TASKBARBUTTON" buttons are its children and
// reach it through CExitRequestHost.
//
// Timers: 1 moves one pixel in per tick, 2 waits, 3 moves one pixel out per tick. Tests can
// drive them by hand (DriveTimersByHand, FireTimer); see CNumberedTimers.
class CNotifierDialog : public QWidget, public CExitRequestHost {
    Q_OBJECT

public:
    // `state`
    static constexpr int kIdle = 0;
    static constexpr int kAppearing = 1;
    static constexpr int kWaiting = 2;
    static constexpr int kDisappearing = 3;
    // `placement`: the side the popup slides from
    static constexpr int kTop = 1;
    static constexpr int kLeft = 2;
    static constexpr int kRight = 3;
    static constexpr int kBottom = 4;
    // timers
    static constexpr int kShowTimer = 1;
    static constexpr int kStayTimer = 2;
    static constexpr int kHideTimer = 3;

    static constexpr int kWebViewId = 9999;
    // The page the popup shows (the "configured web page address").
    static QUrl PageAddress();
    // Where the page sits on a popup of `size`: inside the plain panel that the bundled skins
    // paint (12 pixels in, below a 48-pixel header), or the whole popup when that is too small.
    static QRect PageRect(QSize size);

    // `screen` null: the screen `owner` is on (QtScreen). `owner` may be null (tests).
    explicit CNotifierDialog(QWidget* owner, std::shared_ptr<const Screen> screen = nullptr);
    ~CNotifierDialog() override;

    // Loads the background and cuts the outline by the colour; false (nothing changed) when
    // the bitmap cannot be loaded. A colour argument whose low 16 bits are all ones keeps the
    // window's outline as it was.
    bool SetSkin(const QString& bitmapPath, int red, int green, int blue);
    // Starts or refreshes the slide-in; `step` is not used (the step is always `increment`).
    // Nothing is shown while no bitmap was ever loaded. While the owner is being put on the
    // screen, the slide-in starts once the owner's first frame is shown.
    void Show(unsigned timeToShow, unsigned timeToStay, unsigned timeToHide, unsigned step);
    // Stops every timer and hides at once.
    void Hide();
    // "TASKBUTTON_EXIT" starts the slide-out; other names are ignored.
    void ExitRequest(const QString& name) override;

    int State() const { return m_state; }
    int Placement() const { return m_placement; }
    QPoint CurrentPosition() const { return {m_currentX, m_currentY}; }
    QPoint StartPosition() const { return {m_startX, m_startY}; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Increment() const { return m_increment; }
    int MouseOver() const { return m_mouseOver; }
    unsigned TimeToShow() const { return m_timeToShow; }
    unsigned TimeToStay() const { return m_timeToStay; }
    unsigned TimeToHide() const { return m_timeToHide; }
    unsigned ShowStepDelay() const { return m_showStepDelay; }
    unsigned HideStepDelay() const { return m_hideStepDelay; }
    const CSkinImage& SkinBitmap() const { return m_skinBitmap; }
    // nullopt: no outline was ever cut (or the bitmap gave no row to read).
    const std::optional<QRegion>& Outline() const { return m_outline; }
    // The page view, made on first use: the popup makes it when it first slides in, so that a
    // window starting up does not wait for the page.
    CHtmlCtrl* WebView();
    // How many times the popup itself was painted.
    int PaintCount() const { return m_paintCount; }
    // True while a slide-in waits for the owner's first frame.
    bool WaitingForOwner() const { return m_waitingForOwner; }

    // The timer seam.
    void DriveTimersByHand();
    bool TimerRunning(int id) const { return m_timers.IsRunning(id); }
    unsigned TimerPeriod(int id) const { return m_timers.Period(id); }
    // Runs the tick of timer `id` as if it had run out; false (nothing done) when it is not
    // running.
    bool FireTimer(int id);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void OnInitDialog();
    void OnTimer(int id);
    void ShowStep();
    void HideStep();
    // WM_USER + 102: a click into the page.
    void OnPageClicked();
    void StartSlideOut();
    void PlaceWindow();
    void Redraw();
    void ApplyOutline();
    void LayOutPage();
    bool WaitForOwner();
    void OwnerShown();

    std::shared_ptr<const Screen> m_screen;
    CSkinImage m_skinBitmap;
    std::optional<QRegion> m_outline;
    int m_width = 0;
    int m_height = 0;
    int m_mouseOver = 0;
    int m_state = kIdle;
    unsigned m_timeToShow = 0;
    unsigned m_timeToStay = 0;
    unsigned m_timeToHide = 0;
    unsigned m_showStepDelay = 0;
    unsigned m_hideStepDelay = 0;
    int m_startX = 0;
    int m_startY = 0;
    int m_currentX = 0;
    int m_currentY = 0;
    int m_placement = 0;
    int m_increment = 1;
    CHtmlCtrl* m_webView = nullptr;
    bool m_waitingForOwner = false;

    CNumberedTimers m_timers;
    int m_paintCount = 0;
};
