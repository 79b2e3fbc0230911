// The strip's painting, its context menu and the files dropped on it.
#include "viewer/PageStrip.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

namespace {

constexpr int kShownFrame = 2;
constexpr int kDropLine = 4;

} // namespace

void PageStrip::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), m_colours.background);
    const auto [first, last] = VisiblePages();
    for (int page = first; page <= last; ++page) {
        DrawCell(painter, page);
    }
    DrawDropLine(painter);
}

void PageStrip::DrawCell(QPainter& painter, int page) const {
    const QRect cell = CellRect(page);
    const bool selected = m_selection.IsSelected(page);
    if (selected) {
        painter.fillRect(cell.adjusted(1, 1, -1, -1), m_colours.selectedBackground);
    }
    const QSize box = ThumbnailBox();
    const QRect area(cell.left() + kGap, cell.top() + kGap, box.width(), box.height());
    if (const QImage* picture = m_thumbnails.Find(page)) {
        const QSizeF size = picture->size() / devicePixelRatioF();
        const QRect place(area.left() + (area.width() - int(size.width())) / 2,
                          area.top() + (area.height() - int(size.height())) / 2, int(size.width()),
                          int(size.height()));
        // Pages on the move are faded while the drag goes on.
        painter.setOpacity(selected && m_dragging ? 0.4 : 1.0);
        painter.drawImage(place, *picture);
        painter.setOpacity(1.0);
    } else {
        painter.setPen(m_colours.text);
        painter.drawRect(area.adjusted(area.width() / 8, 0, -area.width() / 8 - 1, -1));
    }
    if (page == m_shown) {
        QPen frame(selected ? m_colours.selectedText : m_colours.text, kShownFrame);
        frame.setJoinStyle(Qt::MiterJoin);
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(-kShownFrame, -kShownFrame, kShownFrame, kShownFrame));
    }
    if (hasFocus() && page == m_selection.Current()) {
        QPen focus(selected ? m_colours.selectedText : m_colours.text, 1, Qt::DashLine);
        painter.setPen(focus);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(2, 2, -3, -3));
    }
    painter.setPen(selected ? m_colours.selectedText : m_colours.text);
    const QRect label(cell.left(), area.bottom() + kGap / 2, cell.width(), fontMetrics().height());
    painter.drawText(label, Qt::AlignCenter, QString::number(page));
}

void PageStrip::DrawDropLine(QPainter& painter) const {
    if (m_dropGap < 0) {
        return;
    }
    const int y = m_dropGap == 0 ? 0 : CellRect(m_dropGap).bottom() + 1;
    const int top = std::clamp(y - kDropLine / 2, 0, std::max(0, height() - kDropLine));
    const QRect line(1, top, CellRect(1).width() - 2, kDropLine);
    // A notch at either end marks the line as a place between pages, not a frame.
    const int notch = kDropLine * 2;
    const int middle = top + kDropLine / 2;
    QPainterPath ends;
    ends.addPolygon(
        QPolygonF({QPointF(line.left(), middle - notch), QPointF(line.left() + notch, middle),
                   QPointF(line.left(), middle + notch)}));
    ends.addPolygon(QPolygonF({QPointF(line.right() + 1, middle - notch),
                               QPointF(line.right() + 1 - notch, middle),
                               QPointF(line.right() + 1, middle + notch)}));
    painter.fillRect(line, m_colours.text);
    painter.fillPath(ends, m_colours.text);
}

std::unique_ptr<QMenu> PageStrip::ContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&](const QString& text, const QKeySequence& keys, Command command) {
        QAction* action = menu->addAction(text, this, [this, command] { RunCommand(command); });
        action->setShortcut(keys);
        return action;
    };
    const bool any = !m_selection.Pages().empty();
    add(tr("Delete pages"), QKeySequence(Qt::Key_Delete), Command::Delete)->setEnabled(any);
    add(tr("Turn clockwise"), QKeySequence(Qt::CTRL | Qt::Key_R), Command::TurnClockwise)
        ->setEnabled(any);
    add(tr("Turn anticlockwise"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
        Command::TurnAnticlockwise)
        ->setEnabled(any);
    add(tr("Extract pages..."), {}, Command::Extract)->setEnabled(any);
    menu->addSeparator();
    add(tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), Command::Undo)->setEnabled(m_undo);
    add(tr("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), Command::Redo)->setEnabled(m_redo);
    return menu;
}

void PageStrip::contextMenuEvent(QContextMenuEvent* event) {
    if (Count() == 0) {
        return;
    }
    ContextMenu()->exec(event->globalPos());
}

// One local TIFF file; anything else is the window's to take.
std::optional<QString> PageStrip::DroppedTiff(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().front();
    const QFileInfo file(url.toLocalFile());
    const QString suffix = file.suffix().toLower();
    if (!url.isLocalFile() || !file.isFile() || (suffix != "tif" && suffix != "tiff")) {
        return std::nullopt;
    }
    return file.absoluteFilePath();
}

void PageStrip::dragEnterEvent(QDragEnterEvent* event) {
    if (Count() > 0 && DroppedTiff(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PageStrip::dragMoveEvent(QDragMoveEvent* event) {
    if (Count() == 0 || !DroppedTiff(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_dropGap = GapAt(event->position().toPoint().y());
    update();
}

void PageStrip::dragLeaveEvent(QDragLeaveEvent*) {
    m_dropGap = -1;
    update();
}

void PageStrip::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = DroppedTiff(event->mimeData());
    m_dropGap = -1;
    update();
    if (!file) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit FileDropped(*file, GapAt(event->position().toPoint().y()) + 1);
}
