#include "menus/MenuWindowHook.h"

#include "platform/QtConvert.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

namespace {

CMenuWindowHook* g_hook = nullptr;

// The styles, in their fixed order: id, frame drawing family, border flag.
struct StyleEntry {
    int id;
    CMenuDrawStyle::Family family;
    int borderFlag;
};
constexpr StyleEntry kStyles[] = {
    {6, CMenuDrawStyle::Family::A, 1}, {7, CMenuDrawStyle::Family::A, 0},
    {0, CMenuDrawStyle::Family::A, 1}, {1, CMenuDrawStyle::Family::A, 0},
    {2, CMenuDrawStyle::Family::B, 1}, {3, CMenuDrawStyle::Family::B, 0},
    {8, CMenuDrawStyle::Family::B, 1}, {9, CMenuDrawStyle::Family::B, 0},
    {4, CMenuDrawStyle::Family::A, 1}, {5, CMenuDrawStyle::Family::A, 0},
};
constexpr int kSelectedStyle = 2;

// The capture reaches this far past the window at right and bottom.
constexpr int kCaptureSlack = 10;

} // namespace

CMenuWindowHook* CMenuWindowHook::Install() {
    if (g_hook != nullptr) {
        return g_hook;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        throw std::logic_error("CMenuWindowHook::Install needs a QApplication");
    }
    return Install(MenuPlatform::Detect());
}

CMenuWindowHook* CMenuWindowHook::Install(const MenuPlatform& platform) {
    if (g_hook != nullptr) {
        return g_hook;
    }
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        throw std::logic_error("CMenuWindowHook::Install needs a QApplication");
    }
    g_hook = new CMenuWindowHook(platform, app);
    return g_hook;
}

CMenuWindowHook* CMenuWindowHook::Instance() {
    return g_hook;
}

void CMenuWindowHook::Uninstall() {
    delete g_hook;
}

CMenuWindowHook::CMenuWindowHook(const MenuPlatform& platform, QObject* parent)
    : QObject(parent), m_platform(platform) {
    qRegisterMetaType<QWidget*>();
    for (const StyleEntry& entry : kStyles) {
        m_styles.push_back(
            std::make_unique<CMenuDrawStyle>(entry.id, entry.family, entry.borderFlag, platform));
        if (entry.id == kSelectedStyle) {
            m_selected = m_styles.back().get();
        }
    }
    QCoreApplication::instance()->installEventFilter(this);
    // Menus made before the hook (normally none) are taken now, so that their size already
    // holds the frame when they first open.
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (PopupMenu(widget) != nullptr && widget->testAttribute(Qt::WA_WState_Polished)) {
            TakeMenu(widget);
        }
    }
}

CMenuWindowHook::~CMenuWindowHook() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeEventFilter(this);
    }
    // At process exit the widgets are on their way out; give margins back only to menus of a
    // running application.
    const bool restore = !QCoreApplication::closingDown();
    for (auto it = m_subclasses.constBegin(); it != m_subclasses.constEnd(); ++it) {
        auto* menu = const_cast<QObject*>(it.key());
        disconnect(menu, nullptr, this, nullptr);
        if (restore && it->frameRemoved) {
            m_selected->RestoreFrameStyles(static_cast<QWidget*>(menu), it->savedMargins);
        }
    }
    m_states.clear();
    m_subclasses.clear();
    if (g_hook == this) {
        g_hook = nullptr;
    }
}

bool CMenuWindowHook::IsSubclassed(const QObject* window) const {
    return m_subclasses.contains(window);
}

CMenuWindowState* CMenuWindowHook::StateOf(const QObject* window) const {
    const auto it = m_states.find(window);
    return it == m_states.end() ? nullptr : it->second.get();
}

void CMenuWindowHook::SetScreenCapture(ScreenCapture capture) {
    m_capture = std::move(capture);
}

QWidget* CMenuWindowHook::PopupMenu(QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    auto* menu = qobject_cast<QMenu*>(object);
    if (menu == nullptr || menu->windowType() != Qt::Popup) {
        return nullptr; // not a menu, or a torn-off menu (a tool window)
    }
    return menu;
}

bool CMenuWindowHook::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Polish:
        if (QWidget* menu = PopupMenu(watched)) {
            TakeMenu(menu);
        }
        break;
    case QEvent::Show:
        if (QWidget* menu = PopupMenu(watched)) {
            TakeMenu(menu);
            OpenState(menu);
        }
        break;
    case QEvent::Hide:
        CloseState(watched);
        break;
    case QEvent::Paint:
        if (m_subclasses.contains(watched)) {
            return Paint(static_cast<QWidget*>(watched), static_cast<QPaintEvent*>(event));
        }
        break;
    case QEvent::KeyPress:
        if (CMenuWindowState* state = StateOf(watched)) {
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                state->bits |= CMenuWindowState::kClosedWithEscape;
            }
            state->lastKeyPosition = QCursor::pos();
        }
        break;
    case QEvent::Move:
        if (CMenuWindowState* state = StateOf(watched)) {
            const QPoint now = static_cast<QWidget*>(watched)->geometry().topLeft();
            if (state->position.isNull()) {
                state->position = now;
            } else if (now != state->position) {
                // The screen under the new place cannot be read while the menu covers it:
                // the shadow falls back to the window colour from here on.
                state->position = now;
                state->background = QImage();
            }
        }
        break;
    default:
        break;
    }
    return false;
}

void CMenuWindowHook::TakeMenu(QWidget* menu) {
    if (m_subclasses.contains(menu)) {
        return;
    }
    Subclass subclass;
    subclass.savedMargins = menu->contentsMargins();
    m_subclasses.insert(menu, subclass);
    connect(menu, &QObject::destroyed, this, &CMenuWindowHook::Forget);
    const bool removed = m_selected->RemoveFrameStyles(menu, subclass.savedMargins, m_drawAllMenus);
    m_subclasses[menu].frameRemoved = removed;
}

void CMenuWindowHook::Forget(QObject* menu) {
    CloseState(menu);
    m_subclasses.remove(menu);
}

std::unique_ptr<CMenuWindowState> CMenuWindowHook::NewState(QWidget* menu) const {
    auto state = std::make_unique<CMenuWindowState>();
    const Subclass subclass = m_subclasses.value(menu);
    state->savedMargins = subclass.savedMargins;
    if (subclass.frameRemoved) {
        state->bits |= CMenuWindowState::kFrameStylesRemoved;
    }
    state->drawFlag = m_drawAllMenus;
    return state;
}

void CMenuWindowHook::OpenState(QWidget* menu) {
    if (m_states.count(menu) != 0) {
        return; // a spontaneous show of an open menu
    }
    std::unique_ptr<CMenuWindowState> state = NewState(menu);
    // The Show event comes before the window is mapped: the place can still change, and the
    // screen under it still shows what is beneath the menu.
    const QPoint placed = menu->geometry().topLeft();
    if (state->drawFlag) {
        const QPoint moved = m_selected->AdjustWindowPosition(placed);
        if (moved != placed) {
            menu->move(moved);
        }
    }
    state->position = menu->geometry().topLeft();
    if (state->drawFlag && m_selected->IsActive() && m_selected->ShadowMargin() > 0) {
        Capture(menu, *state, true);
        TakePreShowCapture(menu, placed, *state);
    }
    m_states.emplace(menu, std::move(state));
    emit StateCreated(menu);
}

// After a menu animation the window that played it still covers the menu's place when the
// menu shows, so the screen read now holds the animation's last picture there. The screen
// read when the animation took its picture of the menu (just before) is the right one: it
// goes over the new reading wherever it reaches.
void CMenuWindowHook::TakePreShowCapture(QWidget* menu, const QPoint& placed,
                                         CMenuWindowState& state) {
    const auto it = m_subclasses.find(menu);
    if (it == m_subclasses.end() || it->preShowBackground.isNull()) {
        return;
    }
    const QImage before = it->preShowBackground;
    const QRect area = it->preShowArea;
    const bool recent = it->preShowTaken.isValid() && it->preShowTaken.elapsed() < 1000;
    it->preShowBackground = QImage();
    if (!recent || area.topLeft() != placed || state.background.isNull()) {
        return;
    }
    QPainter painter(&state.background);
    painter.drawImage(area.topLeft() - state.position, before);
}

void CMenuWindowHook::CloseState(QObject* menu) {
    const auto subclass = m_subclasses.find(menu);
    if (subclass != m_subclasses.end()) {
        subclass->preShowBackground = QImage();
    }
    const auto it = m_states.find(menu);
    if (it == m_states.end()) {
        return;
    }
    const unsigned bits = it->second->bits;
    m_states.erase(it);
    emit StateRemoved(menu, bits);
}

void CMenuWindowHook::Capture(QWidget* menu, CMenuWindowState& state,
                              bool flushWindowsBelow) const {
    const QRect area(menu->geometry().topLeft(),
                     menu->size() + QSize(kCaptureSlack, kCaptureSlack));
    if (flushWindowsBelow) {
        // A menu that just closed may still be on the screen where the windows beneath it
        // have not repainted yet (another submenu, the same menu reopened): have this
        // program's windows under the area put their pixels back first.
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows) {
            if (window == menu || !window->isVisible() || window->windowHandle() == nullptr ||
                !window->windowHandle()->isExposed()) {
                continue;
            }
            const QRect local = area.translated(-window->geometry().topLeft()) & window->rect();
            if (!local.isEmpty()) {
                window->repaint(local);
            }
        }
    }
    QImage image = m_capture ? m_capture(area) : CaptureScreen(area);
    if (!image.isNull() && image.format() != QImage::Format_RGB32) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    state.background = image;
}

QImage CMenuWindowHook::CaptureScreen(const QRect& globalArea) {
    QImage image(globalArea.size(), QImage::Format_RGB32);
    image.fill(QGuiApplication::palette().color(QPalette::Active, QPalette::Window));
    QPainter painter(&image);
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        const QRect geometry = screen->geometry();
        const QRect part = globalArea & geometry;
        if (part.isEmpty()) {
            continue;
        }
        const QPixmap pixels = screen->grabWindow(
            0, part.x() - geometry.x(), part.y() - geometry.y(), part.width(), part.height());
        if (pixels.isNull()) {
            continue;
        }
        // On a scaled screen the grab has device pixels; the frame works in logical ones.
        painter.drawImage(QRect(part.topLeft() - globalArea.topLeft(), part.size()),
                          pixels.toImage());
    }
    return image;
}

bool CMenuWindowHook::Paint(QWidget* menu, QPaintEvent* event) {
    CMenuWindowState* state = StateOf(menu);
    std::unique_ptr<CMenuWindowState> transient;
    if (state == nullptr) {
        if (menu->isVisible()) {
            return false; // open since before the hook came: drawn as it is
        }
        // Drawn before it shows (a menu animation grabs it): a state for this drawing only,
        // with the screen under the place it is about to show at.
        transient = NewState(menu);
        if (transient->drawFlag && m_selected->IsActive() && m_selected->ShadowMargin() > 0) {
            Capture(menu, *transient, false);
            Subclass& subclass = m_subclasses[menu];
            subclass.preShowBackground = transient->background;
            subclass.preShowArea = QRect(menu->geometry().topLeft(), transient->background.size());
            subclass.preShowTaken.start();
        }
        state = transient.get();
    }
    if (!state->drawFlag || !m_selected->IsActive()) {
        return false;
    }
    state->framePainted = true;
    {
        QPainter painter(menu);
        m_selected->EraseBackground(menu, painter);
    }
    // The menu paints itself (the saved window procedure), then the frame goes over it.
    static_cast<QObject*>(menu)->event(event);
    QPainter painter(menu);
    m_selected->DrawFrame(menu, state, painter, false);
    return true;
}
