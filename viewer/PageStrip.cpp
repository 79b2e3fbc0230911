#include "viewer/PageStrip.h"

#include "viewer/AccessiblePageStrip.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kBarWidth = 10;
// Pages are drawn in a box of A4's proportions.
constexpr int kPaperHeight = 1414;
constexpr int kPaperWidth = 1000;
constexpr int kWheelNotch = 120;

} // namespace

PageStrip::PageStrip(QWidget* parent) : QWidget(parent), m_bar(new QScrollBar(this)) {
    // Before the name is set: that may already make and keep this widget's interface.
    CAccessiblePageStrip::Install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAccessibleName(tr("Pages"));
    connect(m_bar, &QScrollBar::valueChanged, this, [this] {
        RequestVisible();
        update();
    });
    connect(&m_thumbnails, &ThumbnailCache::Ready, this,
            [this](int page) { update(CellRect(page)); });
}

void PageStrip::SetDocument(const QString& path, int count, int current,
                            const std::function<int(int page)>& renumber) {
    m_selection.Reset(count, current);
    m_shown = m_selection.Current();
    if (renumber) {
        m_thumbnails.Renumber(renumber);
    } else {
        m_thumbnails.SetFile(QFile::encodeName(path).toStdString());
    }
    UpdateScrollRange();
    ScrollTo(m_shown);
    RequestVisible();
    update();
}

void PageStrip::SetCurrent(int page) {
    m_shown = page;
    ScrollTo(page);
    update();
}

void PageStrip::SetColours(const Colours& colours) {
    m_colours = colours;
    update();
}

void PageStrip::SetUndoable(bool undo, bool redo) {
    m_undo = undo;
    m_redo = redo;
}

QSize PageStrip::ThumbnailBox() const {
    const int width = std::max(1, this->width() - kBarWidth - 2 * kGap);
    return {width, width * kPaperHeight / kPaperWidth};
}

int PageStrip::CellHeight() const {
    return ThumbnailBox().height() + fontMetrics().height() + 2 * kGap;
}

int PageStrip::Scroll() const {
    return m_bar->value();
}

QRect PageStrip::CellRect(int page) const {
    return {0, (page - 1) * CellHeight() - Scroll(), width() - kBarWidth, CellHeight()};
}

int PageStrip::PageAt(const QPoint& point) const {
    if (point.x() < 0 || point.x() >= width() - kBarWidth) {
        return 0;
    }
    const int page = (point.y() + Scroll()) / CellHeight() + 1;
    return point.y() >= 0 && page <= Count() ? page : 0;
}

int PageStrip::GapAt(int y) const {
    const int cell = CellHeight();
    return std::clamp((y + Scroll() + cell / 2) / cell, 0, Count());
}

std::pair<int, int> PageStrip::VisiblePages() const {
    if (Count() == 0) {
        return {0, -1};
    }
    const int first = std::clamp(Scroll() / CellHeight() + 1, 1, Count());
    const int last = std::clamp((Scroll() + height() - 1) / CellHeight() + 1, 1, Count());
    return {first, last};
}

void PageStrip::ScrollTo(int page) {
    if (page < 1 || page > Count()) {
        return;
    }
    const QRect cell = CellRect(page);
    if (cell.top() < 0) {
        m_bar->setValue(Scroll() + cell.top());
    } else if (cell.bottom() >= height()) {
        m_bar->setValue(Scroll() + cell.bottom() + 1 - height());
    }
}

void PageStrip::UpdateScrollRange() {
    m_bar->setGeometry(width() - kBarWidth, 0, kBarWidth, height());
    m_bar->setRange(0, std::max(0, Count() * CellHeight() - height()));
    m_bar->setPageStep(std::max(1, height()));
    m_bar->setSingleStep(std::max(1, CellHeight() / 4));
}

// The pages in sight first, then one screen on either side, so that a short scroll finds them.
void PageStrip::RequestVisible() {
    const auto [first, last] = VisiblePages();
    std::vector<int> pages;
    for (int page = first; page <= last; ++page) {
        pages.push_back(page);
    }
    const int screen = last - first + 1;
    for (int step = 1; step <= screen; ++step) {
        if (last + step <= Count()) {
            pages.push_back(last + step);
        }
        if (first - step >= 1) {
            pages.push_back(first - step);
        }
    }
    const qreal ratio = devicePixelRatioF();
    m_thumbnails.SetBox(ThumbnailBox() * ratio);
    m_thumbnails.Want(pages);
}

void PageStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateScrollRange();
    RequestVisible();
}

void PageStrip::wheelEvent(QWheelEvent* event) {
    m_bar->setValue(Scroll() - event->angleDelta().y() * CellHeight() / kWheelNotch);
    event->accept();
}

void PageStrip::ChoosePage(int page) {
    ScrollTo(page);
    update();
    if (page != m_shown) {
        emit PageChosen(page);
    }
}

void PageStrip::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
    const int page = PageAt(event->position().toPoint());
    if (page == 0) {
        return;
    }
    const Qt::KeyboardModifiers keys = event->modifiers();
    const bool plain = !(keys & (Qt::ShiftModifier | Qt::ControlModifier));
    if (event->button() == Qt::RightButton) {
        if (!m_selection.IsSelected(page)) {
            m_selection.Click(page, false, false);
        }
        update();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_pressAt = event->position().toPoint();
    m_pressedPage = page;
    // A plain press on a selected page may start a drag of the whole selection.
    if (!(plain && m_selection.IsSelected(page))) {
        m_selection.Click(page, keys & Qt::ShiftModifier, keys & Qt::ControlModifier);
    }
    ChoosePage(page);
}

void PageStrip::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressAt || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (!m_dragging && (point - *m_pressAt).manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    m_dragging = true;
    if (point.y() < 0 || point.y() >= height()) {
        m_bar->setValue(Scroll() + (point.y() < 0 ? -1 : 1) * CellHeight() / 4);
    }
    m_dropGap = GapAt(point.y());
    update();
}

void PageStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressAt) {
        return;
    }
    if (m_dragging) {
        FinishDrag(event->position().toPoint());
    } else if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        m_selection.Click(m_pressedPage, false, false);
    }
    m_pressAt.reset();
    m_dragging = false;
    m_dropGap = -1;
    update();
}

// The page the moved run starts at once the selection is taken out and put into `gap`;
// 0 when the pages would stay where they are.
int PageStrip::MovePosition(int gap) const {
    const std::vector<int> pages = m_selection.Pages();
    if (pages.empty()) {
        return 0;
    }
    const auto before =
        std::count_if(pages.begin(), pages.end(), [gap](int p) { return p <= gap; });
    const int position = gap - int(before) + 1;
    const bool together = pages.back() - pages.front() + 1 == int(pages.size());
    return together && position == pages.front() ? 0 : position;
}

void PageStrip::FinishDrag(const QPoint& point) {
    if (const int position = MovePosition(GapAt(point.y())); position > 0) {
        emit MoveRequested(position);
    }
}

std::optional<PageStrip::Command> PageStrip::CommandForKey(const QKeyEvent& event) {
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    switch (event.key()) {
    case Qt::Key_Delete:
        return Command::Delete;
    case Qt::Key_R:
        return ctrl ? std::optional(shift ? Command::TurnAnticlockwise : Command::TurnClockwise)
                    : std::nullopt;
    case Qt::Key_Z:
        return ctrl ? std::optional(shift ? Command::Redo : Command::Undo) : std::nullopt;
    case Qt::Key_Y:
        return ctrl ? std::optional(Command::Redo) : std::nullopt;
    default:
        return std::nullopt;
    }
}

void PageStrip::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int current = m_selection.Current();
    const int screen = std::max(1, height() / CellHeight());
    std::optional<int> target;
    switch (event->key()) {
    case Qt::Key_Up:
        target = current - 1;
        break;
    case Qt::Key_Down:
        target = current + 1;
        break;
    case Qt::Key_PageUp:
        target = current - screen;
        break;
    case Qt::Key_PageDown:
        target = current + screen;
        break;
    case Qt::Key_Home:
        target = 1;
        break;
    case Qt::Key_End:
        target = Count();
        break;
    default:
        break;
    }
    if (target) {
        m_selection.MoveTo(*target, shift);
        ChoosePage(m_selection.Current());
    } else if (event->matches(QKeySequence::SelectAll)) {
        m_selection.SelectAll();
        update();
    } else if (const std::optional<Command> command = CommandForKey(*event)) {
        emit CommandRequested(*command);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
