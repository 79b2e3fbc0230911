#pragma once

#include "viewer/PageSelection.h"
#include "viewer/ThumbnailCache.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QKeyEvent;
class QMenu;
class QMimeData;
class QScrollBar;

// The column of page pictures beside the page view: it marks the page shown, keeps a
// selection, and turns the user's clicks, keys and drops into requests that the view carries
// out on the file.
class PageStrip : public QWidget {
    Q_OBJECT
public:
    enum class Command { Delete, TurnClockwise, TurnAnticlockwise, Extract, Undo, Redo };
    struct Colours {
        QColor background{0x30, 0x30, 0x36};
        QColor text{0xE0, 0xE0, 0xE0};
        QColor selectedBackground{0x50, 0x70, 0xB0};
        QColor selectedText{0xFF, 0xFF, 0xFF};
    };

    explicit PageStrip(QWidget* parent = nullptr);

    // The file shown: `current` alone is selected, and its pictures are forgotten, or kept
    // under the numbers `renumber` gives them when the file changed in a known way.
    void SetDocument(const QString& path, int count, int current,
                     const std::function<int(int page)>& renumber = {});
    // The page view shows `page` now.
    void SetCurrent(int page);
    void SetColours(const Colours& colours);
    const Colours& CurrentColours() const { return m_colours; }
    void SetUndoable(bool undo, bool redo);

    const PageSelection& Selection() const { return m_selection; }
    PageSelection& Selection() { return m_selection; }
    int Count() const { return m_selection.Count(); }
    int Shown() const { return m_shown; }
    const ThumbnailCache& Thumbnails() const { return m_thumbnails; }
    // The rectangle of page `page`'s cell, in the strip's coordinates.
    QRect CellRect(int page) const;
    // The page under `point`, or 0.
    int PageAt(const QPoint& point) const;
    // The gap nearest `y`: 0 before the first page, Count() after the last.
    int GapAt(int y) const;
    // Pages whose cells are in sight.
    std::pair<int, int> VisiblePages() const;
    void ScrollTo(int page);

    // The command a key stands for, in the strip and in the page view alike.
    static std::optional<Command> CommandForKey(const QKeyEvent& event);
    // The context menu for the selection; its actions send the commands.
    std::unique_ptr<QMenu> ContextMenu();
    // Where the pages a drag or drop is over will land (-1 when none).
    int DropGap() const { return m_dropGap; }
    void RunCommand(Command command) { emit CommandRequested(command); }

signals:
    void PageChosen(int page);
    void CommandRequested(PageStrip::Command command);
    // The selection is to be moved so that its first page becomes page `position`.
    void MoveRequested(int position);
    // The pages of `file` are to be inserted so that its first becomes page `position`.
    void FileDropped(const QString& file, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Space around each page picture, in which a selected page shows its colour.
    static constexpr int kGap = 8;

    QSize ThumbnailBox() const;
    int CellHeight() const;
    int Scroll() const;
    void UpdateScrollRange();
    void RequestVisible();
    void ChoosePage(int page);
    void DrawCell(QPainter& painter, int page) const;
    void DrawDropLine(QPainter& painter) const;
    void FinishDrag(const QPoint& point);
    int MovePosition(int gap) const;
    static std::optional<QString> DroppedTiff(const QMimeData* data);

    PageSelection m_selection;
    ThumbnailCache m_thumbnails;
    QScrollBar* m_bar;
    Colours m_colours;
    int m_shown = 0;
    bool m_undo = false;
    bool m_redo = false;
    std::optional<QPoint> m_pressAt;
    int m_pressedPage = 0;
    bool m_dragging = false;
    int m_dropGap = -1;
};
