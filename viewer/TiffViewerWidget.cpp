#include "viewer/TiffViewerWidget.h"

#include "viewer/AccessiblePageView.h"
#include "viewer/BusyWork.h"
#include "viewer/TiffDocument.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

namespace {

// Pages shown at actual size are capped so a huge page cannot take gigabytes.
constexpr int kLargestActualSize = 4096;
const QColor kBackground(0x60, 0x60, 0x68);
const QColor kTextColour(0xF0, 0xF0, 0xF0);
const QColor kNoteBackground(0x20, 0x20, 0x24, 0xB0);
// One notch of a mouse wheel; touch pads send fractions of it.
constexpr int kWheelNotch = 120;
constexpr int kNoteMargin = 8;

// Long loads and inserts show the busy cursor for as long as they run.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QImage ToImage(const RgbaImage& image) {
    // Deep copy: the engine's buffer goes away with its result.
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.stride, QImage::Format_ARGB32_Premultiplied)
        .copy();
}

} // namespace

TiffViewerWidget::TiffViewerWidget(QWidget* parent)
    : QWidget(parent), m_strip(new PageStrip(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    CAccessiblePageView::Install();
    connect(m_strip, &PageStrip::PageChosen, this, &TiffViewerWidget::ShowPage);
    connect(m_strip, &PageStrip::CommandRequested, this, &TiffViewerWidget::RunCommand);
    connect(m_strip, &PageStrip::MoveRequested, this, &TiffViewerWidget::MoveSelection);
    connect(m_strip, &PageStrip::FileDropped, this, &TiffViewerWidget::InsertFile);
    PlaceStrip();
}

void TiffViewerWidget::StartupSetting(std::int32_t value) {
    m_startup = value;
    update();
}

void TiffViewerWidget::ReloadFlag(bool reload) {
    m_reload = reload;
}

std::int16_t TiffViewerWidget::LoadPage(const QString& path, std::int16_t page) {
    const BusyCursor busy;
    const bool samePicture =
        !m_reload && path == m_loadedPath && page == m_loadedPage && !m_page.isNull();
    const bool fresh = m_reload || path != m_loadedPath;
    if (m_reload) {
        m_next.reset(); // the file may have changed since its next page was rendered
    }
    m_reload = false;
    if (samePicture) {
        return 1;
    }
    m_loadedPath = path;
    m_loadedPage = page;
    m_cornerNote.clear();
    PageCountResult count;
    BusyWork(window(), tr("Reading %1").arg(path), false).Run([&](const TiffProgress&) {
        count = TiffDocument::CountPages(Local(path));
    });
    m_pageCount = count.status.ok ? count.pageCount : 0;
    UpdateStrip(fresh);
    m_page = QImage();
    m_error.clear();
    if (!count.status.ok) {
        m_error = QString::fromStdString(count.status.message);
        m_warnings = count.status.warnings;
        update();
        CAccessiblePageView::PageChanged(this);
        return 0;
    }
    RenderCurrentPage();
    return m_page.isNull() ? 0 : 1;
}

std::int16_t TiffViewerWidget::GetPageCount() {
    return static_cast<std::int16_t>(m_pageCount);
}

void TiffViewerWidget::FileName(const QString& path) {
    m_fileName = path;
    CAccessiblePageView::PageChanged(this);
}

void TiffViewerWidget::DisplaySetting(std::int16_t value) {
    if (value != kDisplayActualSize && value != kDisplayFitPage && value != kDisplayFitWidth) {
        return;
    }
    const bool changed = value != m_display;
    m_display = value;
    if (changed && !m_page.isNull()) {
        RenderCurrentPage();
    }
    update();
}

bool TiffViewerWidget::AppendPages(const QString& target, std::int16_t position,
                                   const QString& append) {
    const BusyCursor busy;
    const PageEditor::Outcome outcome =
        m_editor.Run(window(), tr("Inserting pages"), Local(target), [&](const TiffProgress& p) {
            return TiffDocument::InsertPages(Local(target), position, Local(append), {}, p);
        });
    const TiffStatus& status = outcome.status;
    m_appendCancelled = outcome.cancelled;
    m_cornerNote = m_appendCancelled ? tr("Insertion cancelled") : QString();
    update();
    m_warnings = status.warnings;
    m_appendError = status.ok ? QString() : QString::fromStdString(status.message);
    if (status.ok) {
        m_next.reset();
    }
    if (status.ok && target == m_loadedPath) {
        m_reload = true; // the picture on show is of the old file
    }
    return status.ok;
}

QString TiffViewerWidget::StatusLine() const {
    if (!m_error.isEmpty()) {
        return m_error;
    }
    if (m_page.isNull() && m_loadedPath.isEmpty() && m_startup == kStartupHint) {
        return tr("No file loaded: choose a TIF file to show its pages");
    }
    return {};
}

QSize TiffViewerWidget::RenderBox() const {
    const qreal ratio = devicePixelRatioF();
    const int width = std::max(1, int(PageArea().width() * ratio));
    const int height = std::max(1, int(PageArea().height() * ratio));
    switch (m_display) {
    case kDisplayActualSize:
        return {kLargestActualSize, kLargestActualSize};
    case kDisplayFitWidth:
        return {width, kLargestActualSize};
    default:
        return {width, height};
    }
}

void TiffViewerWidget::RenderCurrentPage() {
    const QSize box = RenderBox();
    const std::string path = Local(m_loadedPath);
    const bool enlarge = m_display != kDisplayActualSize;
    const bool ahead = m_next && m_next->path == path && m_next->page == m_loadedPage &&
                       m_next->box == box && m_next->enlarge == enlarge;
    RenderResult shown;
    BusyWork(window(), tr("Showing page %1").arg(m_loadedPage), false)
        .Run([&, page = m_loadedPage](const TiffProgress&) {
            shown = ahead
                        ? m_next->result.get()
                        : TiffDocument::RenderPage(path, page, box.width(), box.height(), enlarge);
        });
    PrefetchNextPage(path, box, enlarge);
    m_warnings = shown.status.warnings;
    if (shown.status.ok) {
        m_page = ToImage(shown.image);
        m_page.setDevicePixelRatio(devicePixelRatioF());
        m_error.clear();
    } else {
        m_page = QImage();
        m_error = QString::fromStdString(shown.status.message);
    }
    update();
    CAccessiblePageView::PageChanged(this);
}

void TiffViewerWidget::PrefetchNextPage(const std::string& path, const QSize& box, bool enlarge) {
    const int next = m_loadedPage + 1;
    if (next > m_pageCount) {
        m_next.reset();
        return;
    }
    m_next =
        Prefetch{path, next, box, enlarge, std::async(std::launch::async, [=] {
                                               return TiffDocument::RenderPage(
                                                   path, next, box.width(), box.height(), enlarge);
                                           }).share()};
}

QRect TiffViewerWidget::PageRect() const {
    const QSizeF size = m_page.deviceIndependentSize();
    const int width = int(size.width());
    const int height = int(size.height());
    const QRect area = PageArea();
    const int left = area.left() + (area.width() - width) / 2;
    // Pages taller than the view start at its top; shorter ones are centred.
    const int top = std::max(0, (area.height() - height) / 2);
    return {left, top, width, height};
}

bool TiffViewerWidget::ShowPage(int page) {
    if (m_loadedPath.isEmpty() || page < 1 || page > m_pageCount || page == m_loadedPage) {
        return false;
    }
    LoadPage(m_loadedPath, static_cast<std::int16_t>(page));
    emit PageLeafed(page);
    return true;
}

QString TiffViewerWidget::PagePosition() const {
    if (m_page.isNull() || m_pageCount < 1) {
        return {};
    }
    return QStringLiteral("%1 / %2").arg(m_loadedPage).arg(m_pageCount);
}

void TiffViewerWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        ShowPage(m_loadedPage + 1);
        break;
    case Qt::Key_PageUp:
        ShowPage(m_loadedPage - 1);
        break;
    case Qt::Key_Home:
        ShowPage(1);
        break;
    case Qt::Key_End:
        ShowPage(m_pageCount);
        break;
    case Qt::Key_F9:
        ToggleStrip();
        break;
    default:
        if (const auto command = PageStrip::CommandForKey(*event);
            command == PageStrip::Command::Undo || command == PageStrip::Command::Redo) {
            RunCommand(*command);
            break;
        }
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// A press on the page is the view's: it takes the focus and never reaches the window, which
// would start moving.
void TiffViewerWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

// Turning the wheel towards the user shows the next page, one page a notch.
void TiffViewerWidget::wheelEvent(QWheelEvent* event) {
    m_wheelTurn += event->angleDelta().y();
    for (; m_wheelTurn <= -kWheelNotch; m_wheelTurn += kWheelNotch) {
        ShowPage(m_loadedPage + 1);
    }
    for (; m_wheelTurn >= kWheelNotch; m_wheelTurn -= kWheelNotch) {
        ShowPage(m_loadedPage - 1);
    }
    event->accept();
}

void TiffViewerWidget::DrawNote(QPainter& painter, const QString& note,
                                Qt::Alignment corner) const {
    if (note.isEmpty()) {
        return;
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const QSize size(metrics.horizontalAdvance(note) + 2 * kNoteMargin,
                     metrics.height() + kNoteMargin);
    const QRect area = PageArea();
    const int left = corner == Qt::AlignLeft ? area.left() + kNoteMargin
                                             : area.right() + 1 - size.width() - kNoteMargin;
    const QRect box(QPoint(left, height() - size.height() - kNoteMargin), size);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNoteBackground);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(kTextColour);
    painter.drawText(box, Qt::AlignCenter, note);
}

void TiffViewerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    if (!m_page.isNull()) {
        painter.drawImage(PageRect(), m_page);
        DrawNote(painter, PagePosition(), Qt::AlignRight);
    } else if (const QString line = StatusLine(); !line.isEmpty()) {
        painter.setPen(kTextColour);
        const QString shown = painter.fontMetrics().elidedText(
            line, Qt::ElideMiddle, std::max(0, PageArea().width() - 16));
        painter.drawText(PageArea(), Qt::AlignCenter, shown);
    }
    DrawNote(painter, m_cornerNote, Qt::AlignLeft);
}

void TiffViewerWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceStrip();
    if (!m_page.isNull() && m_display != kDisplayActualSize && event->oldSize() != event->size()) {
        RenderCurrentPage();
    }
}
