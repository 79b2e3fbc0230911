#pragma once

#include "menus/MenuDrawStyle.h"
#include "menus/MenuPlatform.h"
#include "menus/MenuWindowState.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QPaintEvent;
class QWidget;

// The process-wide menu-window hook (`CMenuWindowHook`).
//
// One object, installed right after the QApplication is created, watches the events of the
// whole application (an application event filter stands in for the thread hook). It takes
// every popup menu (a `QMenu` shown as a popup) when it is polished — adds the frame's margins
// to it — and, from the moment it shows until it hides or is destroyed, keeps a
// `CMenuWindowState` for it, wraps its painting with the selected style's frame and shadow
// and records its Escape key. Every other window (dialogs, tool tips, combo box lists, other
// popups, torn-off menus) is left alone.
//
// The shadow: the menu window stays opaque, and its 4-pixel band at right and bottom is
// painted from the screen read under the menu's place in its Show event, before the window
// is mapped (the captured background). Without a compositing manager a translucent
// window would show the band black; with one, the same pixels are as right, so there is one
// way for both. Where the screen cannot be read (Wayland without XWayland), the band is drawn
// over the palette's window colour.
//
// Start-up, in the program's main:
//
//     QApplication app(argc, argv);
//     CMenuWindowHook::Install();
//
// The hook is a child of the application object and goes away with it.
class CMenuWindowHook : public QObject {
    Q_OBJECT

public:
    // Installs the hook with the running platform's capabilities, once; later calls answer
    // the installed hook. Throws std::logic_error without a QApplication.
    static CMenuWindowHook* Install();
    // The same with chosen capabilities (tests).
    static CMenuWindowHook* Install(const MenuPlatform& platform);
    // The installed hook, or nullptr.
    static CMenuWindowHook* Instance();
    // Removes the hook: ends every state and gives every menu its own margins back.
    static void Uninstall();

    ~CMenuWindowHook() override;

    const MenuPlatform& Platform() const { return m_platform; }
    // The ten styles in their fixed order.
    const std::vector<std::unique_ptr<CMenuDrawStyle>>& Styles() const { return m_styles; }
    const CMenuDrawStyle* SelectedStyle() const { return m_selected; }
    bool DrawAllMenus() const { return m_drawAllMenus; }

    // The window has been taken (polished or shown as a popup menu while the hook was in).
    bool IsSubclassed(const QObject* window) const;
    // The state of an open menu, or nullptr.
    CMenuWindowState* StateOf(const QObject* window) const;
    int StateCount() const { return static_cast<int>(m_states.size()); }

    // How the screen under a menu is read: the global area in, an image of that size out.
    // The default reads every screen that the area touches (`CaptureScreen`).
    using ScreenCapture = std::function<QImage(const QRect& globalArea)>;
    void SetScreenCapture(ScreenCapture capture);
    // The default: the screens' pixels (QScreen::grabWindow), the application palette's
    // window colour where no screen answers.
    static QImage CaptureScreen(const QRect& globalArea);

signals:
    // A menu showed and its state was made.
    void StateCreated(QWidget* menu);
    // A menu's state was deleted (the menu hid or was destroyed), with its last state bits.
    void StateRemoved(QObject* menu, unsigned bits);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the hook keeps for every menu it has taken, for the menu's whole life.
    struct Subclass {
        QMargins savedMargins;
        bool frameRemoved = false;
        // The screen under the menu read when it was last drawn while hidden (a menu
        // animation takes its picture before the menu shows), with the global area and when.
        QImage preShowBackground;
        QRect preShowArea;
        QElapsedTimer preShowTaken;
    };

    CMenuWindowHook(const MenuPlatform& platform, QObject* parent);

    static QWidget* PopupMenu(QObject* object);
    void TakeMenu(QWidget* menu);
    void Forget(QObject* menu);
    std::unique_ptr<CMenuWindowState> NewState(QWidget* menu) const;
    void OpenState(QWidget* menu);
    void CloseState(QObject* menu);
    void Capture(QWidget* menu, CMenuWindowState& state, bool flushWindowsBelow) const;
    void TakePreShowCapture(QWidget* menu, const QPoint& placed, CMenuWindowState& state);
    bool Paint(QWidget* menu, QPaintEvent* event);

    MenuPlatform m_platform;
    std::vector<std::unique_ptr<CMenuDrawStyle>> m_styles;
    const CMenuDrawStyle* m_selected = nullptr;
    bool m_drawAllMenus = true;
    QHash<const QObject*, Subclass> m_subclasses;
    std::unordered_map<const QObject*, std::unique_ptr<CMenuWindowState>> m_states;
    ScreenCapture m_capture;
};
