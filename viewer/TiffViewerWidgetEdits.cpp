// The page view's strip: where it sits, and the changes made to the file through it.
#include "platform/Prompts.h"
#include "viewer/AccessiblePageStrip.h"
#include "viewer/BusyWork.h"
#include "viewer/TiffDocument.h"
#include "viewer/TiffPageOperations.h"
#include "viewer/TiffPageRanges.h"
#include "viewer/TiffViewerWidget.h"

#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <algorithm>
#include <map>
#include <numeric>

namespace {

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString Pages(int count) {
    return count == 1 ? QObject::tr("1 page") : QObject::tr("%1 pages").arg(count);
}

} // namespace

bool TiffViewerWidget::StripShown() const {
    return m_stripWanted && width() >= kStripHidesBelow;
}

QRect TiffViewerWidget::PageArea() const {
    const int strip = StripShown() ? m_strip->width() : 0;
    return {strip, 0, width() - strip, height()};
}

void TiffViewerWidget::PlaceStrip() {
    m_strip->setGeometry(0, 0, std::max(kStripMin, width() / 5), height());
    m_strip->setVisible(StripShown());
}

void TiffViewerWidget::ToggleStrip() {
    m_stripWanted = !m_stripWanted;
    PlaceStrip();
    if (!m_page.isNull() && m_display != kDisplayActualSize) {
        RenderCurrentPage();
    }
    update();
}

// Tab comes to the strip first and then to the page, as they read from left to right;
// Shift+Tab goes back the same way.
void TiffViewerWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason && StripShown()) {
        m_strip->setFocus(Qt::TabFocusReason);
    }
}

bool TiffViewerWidget::focusNextPrevChild(bool next) {
    if (m_strip->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
        return next || QWidget::focusNextPrevChild(false);
    }
    if (hasFocus() && !next && StripShown()) {
        m_strip->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TiffViewerWidget::UpdateStrip(bool fresh) {
    if (fresh) {
        m_strip->SetDocument(m_loadedPath, m_pageCount, m_loadedPage, m_renumber);
        m_renumber = {};
    } else {
        m_strip->SetCurrent(m_loadedPage);
    }
    const std::string path = Local(m_loadedPath);
    m_strip->SetUndoable(m_editor.CanUndo(path), m_editor.CanRedo(path));
}

void TiffViewerWidget::RunCommand(PageStrip::Command command) {
    if (m_loadedPath.isEmpty() || m_pageCount == 0) {
        return;
    }
    switch (command) {
    case PageStrip::Command::Delete:
        DeletePages();
        break;
    case PageStrip::Command::TurnClockwise:
        TurnPages(90);
        break;
    case PageStrip::Command::TurnAnticlockwise:
        TurnPages(270);
        break;
    case PageStrip::Command::Extract:
        ExtractPages();
        break;
    case PageStrip::Command::Undo:
    case PageStrip::Command::Redo:
        StepBack(command == PageStrip::Command::Redo);
        break;
    }
}

void TiffViewerWidget::DeletePages() {
    const std::vector<int> pages = m_strip->Selection().Pages();
    if (pages.empty()) {
        return;
    }
    const TiffPageRanges ranges = TiffPageRanges::Parse(m_strip->Selection().Ranges());
    const std::string target = Local(m_loadedPath);
    const auto outcome = m_editor.Run(window(), tr("Deleting pages"), target, [&](auto& progress) {
        return TiffPageOperations::Delete(target, ranges, {}, progress);
    });
    const auto renumber = [pages](int page) {
        const auto before = std::lower_bound(pages.begin(), pages.end(), page);
        const bool gone = before != pages.end() && *before == page;
        return gone ? 0 : page - int(before - pages.begin());
    };
    Finish(outcome, tr("%1 deleted").arg(Pages(int(pages.size()))), pages.front(), {}, renumber);
}

void TiffViewerWidget::MoveSelection(int position) {
    const std::vector<int> pages = m_strip->Selection().Pages();
    if (pages.empty() || m_loadedPath.isEmpty()) {
        return;
    }
    const TiffPageRanges ranges = TiffPageRanges::Parse(m_strip->Selection().Ranges());
    const std::string target = Local(m_loadedPath);
    const auto outcome = m_editor.Run(window(), tr("Moving pages"), target, [&](auto& progress) {
        return TiffPageOperations::Move(target, ranges, position, {}, progress);
    });
    std::vector<int> moved(pages.size());
    std::iota(moved.begin(), moved.end(), position);
    // The new order: the pages left, with the moved ones put in at `position`.
    std::vector<int> order;
    for (int page = 1; page <= m_pageCount; ++page) {
        if (!std::binary_search(pages.begin(), pages.end(), page)) {
            order.push_back(page);
        }
    }
    const auto at =
        std::clamp(std::ptrdiff_t(position - 1), std::ptrdiff_t(0), std::ptrdiff_t(order.size()));
    order.insert(order.begin() + at, pages.begin(), pages.end());
    std::map<int, int> places;
    for (std::size_t i = 0; i < order.size(); ++i) {
        places[order[i]] = int(i) + 1;
    }
    const auto renumber = [places](int page) {
        const auto found = places.find(page);
        return found == places.end() ? 0 : found->second;
    };
    Finish(outcome, tr("%1 moved").arg(Pages(int(pages.size()))), position, moved, renumber);
}

void TiffViewerWidget::TurnPages(int degrees) {
    const std::vector<int> pages = m_strip->Selection().Pages();
    if (pages.empty()) {
        return;
    }
    const TiffPageRanges ranges = TiffPageRanges::Parse(m_strip->Selection().Ranges());
    const std::string target = Local(m_loadedPath);
    const auto outcome = m_editor.Run(window(), tr("Turning pages"), target, [&](auto& progress) {
        return TiffPageOperations::Rotate(target, ranges, degrees, {}, progress);
    });
    const QString way = degrees == 90 ? tr("clockwise") : tr("anticlockwise");
    const auto renumber = [pages](int page) {
        return std::binary_search(pages.begin(), pages.end(), page) ? 0 : page;
    };
    Finish(outcome, tr("%1 turned %2").arg(Pages(int(pages.size())), way), m_loadedPage, pages,
           renumber);
}

void TiffViewerWidget::InsertFile(const QString& file, int position) {
    if (m_loadedPath.isEmpty()) {
        return;
    }
    const std::string target = Local(m_loadedPath);
    const int before = m_pageCount;
    const auto outcome = m_editor.Run(window(), tr("Inserting pages"), target, [&](auto& progress) {
        return TiffDocument::InsertPages(target, position, Local(file), {}, progress);
    });
    Finish(outcome, {}, position);
    if (outcome.status.ok) {
        m_announcement = tr("%1 inserted; %2").arg(Pages(m_pageCount - before), Pages(m_pageCount));
        m_cornerNote = m_announcement;
        CAccessiblePageStrip::Announce(m_strip, m_announcement);
    }
}

void TiffViewerWidget::ExtractPages() {
    const std::vector<int> pages = m_strip->Selection().Pages();
    Prompts* prompts = m_prompts ? m_prompts() : nullptr;
    if (pages.empty() || prompts == nullptr) {
        return;
    }
    const QFileInfo source(m_loadedPath);
    const std::optional<QString> out = prompts->SaveFile(
        tr("Extract pages to"), tr("TIFF files (*.tif *.tiff)"), source.absolutePath());
    if (!out) {
        return;
    }
    const TiffPageRanges ranges = TiffPageRanges::Parse(m_strip->Selection().Ranges());
    TiffStatus status;
    BusyWork work(window(), tr("Extracting pages"), true);
    work.Run([&](const TiffProgress& progress) {
        status =
            TiffPageOperations::Extract(Local(m_loadedPath), ranges, Local(*out), {}, progress);
    });
    if (!status.ok) {
        if (!work.Cancelled()) {
            Refuse(QString::fromStdString(status.message));
        }
        return;
    }
    m_announcement =
        tr("%1 extracted to %2").arg(Pages(int(pages.size())), QFileInfo(*out).fileName());
    m_cornerNote = m_announcement;
    update();
    CAccessiblePageStrip::Announce(m_strip, m_announcement);
}

void TiffViewerWidget::StepBack(bool redo) {
    const std::string target = Local(m_loadedPath);
    const auto outcome = redo ? m_editor.Redo(window(), target) : m_editor.Undo(window(), target);
    Finish(outcome, redo ? tr("Redone") : tr("Undone"), m_loadedPage);
}

// The file is read afresh and the window told, as after an insert; the line said to screen
// readers tells what happened and how many pages there are now.
void TiffViewerWidget::Finish(const PageEditor::Outcome& outcome, const QString& done, int page,
                              const std::vector<int>& reselect,
                              const std::function<int(int page)>& renumber) {
    if (!outcome.status.ok) {
        if (outcome.cancelled) {
            m_cornerNote = tr("Cancelled");
            update();
        } else {
            Refuse(QString::fromStdString(outcome.status.message));
        }
        return;
    }
    const int count = TiffDocument::CountPages(Local(m_loadedPath)).pageCount;
    m_reload = true;
    m_renumber = renumber;
    LoadPage(m_loadedPath, static_cast<std::int16_t>(std::clamp(page, 1, std::max(1, count))));
    if (!reselect.empty()) {
        m_strip->Selection().Select(reselect);
        m_strip->update();
    }
    m_announcement = done.isEmpty() ? QString() : tr("%1; %2").arg(done, Pages(m_pageCount));
    m_cornerNote = m_announcement;
    update();
    CAccessiblePageStrip::Announce(m_strip, m_announcement);
    emit DocumentChanged(m_loadedPage);
}

void TiffViewerWidget::Refuse(const QString& reason) {
    if (Prompts* prompts = m_prompts ? m_prompts() : nullptr) {
        prompts->MessageBox(reason, Prompts::kIconError);
    } else {
        m_cornerNote = reason;
        update();
    }
}
