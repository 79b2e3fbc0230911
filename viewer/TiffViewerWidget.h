#pragma once

#include "viewer/ImageViewerControl.h"
#include "viewer/PageEditor.h"
#include "viewer/PageStrip.h"
#include "viewer/TiffResults.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <future>
#include <optional>
#include <string>

// The image viewer on the TIFF engine: shows one page of a file, fitted as DisplaySetting
// says, or a one-line reason when it cannot. The strip of pages along its left edge changes
// the file; every change, inserts included, can be undone.
class QPainter;
class Prompts;

class TiffViewerWidget : public QWidget, public ImageViewerControl {
    Q_OBJECT

public:
    explicit TiffViewerWidget(QWidget* parent = nullptr);

    void StartupSetting(std::int32_t value) override;
    void ReloadFlag(bool reload) override;
    std::int16_t LoadPage(const QString& path, std::int16_t page) override;
    std::int16_t GetPageCount() override;
    void FileName(const QString& path) override;
    void DisplaySetting(std::int16_t value) override;
    bool AppendPages(const QString& target, std::int16_t position, const QString& append) override;
    QString LastError() const override { return m_appendError; }
    bool AppendCancelled() const override { return m_appendCancelled; }

    // What the view shows now, for tests and the window: the page picture, or the text line.
    const QImage& PageImage() const { return m_page; }
    QString StatusLine() const;
    const QString& FileNameProperty() const { return m_fileName; }
    std::int16_t DisplayMode() const { return m_display; }
    // The last operation's remarks from libtiff, never shown in the view.
    const std::vector<std::string>& Warnings() const { return m_warnings; }

    // Leafing through the loaded file: Page Down / Page Up / Home / End and the wheel.
    int CurrentPage() const { return m_loadedPage; }
    int PageCount() const { return m_pageCount; }
    // Shows `page` of the loaded file; false, with nothing changed, when it has no such page
    // or shows it already.
    bool ShowPage(int page);
    // The "page / pages" note drawn over the page.
    QString PagePosition() const;
    // The short note in the other corner, such as "Insertion cancelled"; gone with the next
    // page shown.
    const QString& CornerNote() const { return m_cornerNote; }

    // The strip takes a fifth of the width, at least kStripMin, and hides in views narrower
    // than kStripHidesBelow; F9 shows and hides it.
    static constexpr int kStripMin = 96;
    static constexpr int kStripHidesBelow = 360;
    PageStrip* Strip() const { return m_strip; }
    bool StripShown() const;
    void ToggleStrip();
    // Where reasons and the extract chooser go, asked for each time since the window may
    // change them; without it a reason shows as the corner note.
    void SetPrompts(std::function<Prompts*()> prompts) { m_prompts = std::move(prompts); }
    // The changes the strip makes to the file shown.
    void RunCommand(PageStrip::Command command);
    void MoveSelection(int position);
    void InsertFile(const QString& file, int position);
    // The short line that told what the last change did, e.g. "2 pages deleted; 10 pages".
    const QString& Announcement() const { return m_announcement; }

signals:
    // The user leafed to `page`.
    void PageLeafed(int page);
    // The file shown was changed from the strip, and the view shows `page` of it afresh.
    void DocumentChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRect PageArea() const;
    void PlaceStrip();
    void UpdateStrip(bool fresh);
    void DeletePages();
    void TurnPages(int degrees);
    void ExtractPages();
    void StepBack(bool redo);
    // `reselect`: the pages to select once the file is shown afresh; `renumber`: where the
    // pages went, so that their pictures are kept.
    void Finish(const PageEditor::Outcome& outcome, const QString& done, int page,
                const std::vector<int>& reselect = {},
                const std::function<int(int page)>& renumber = {});
    void Refuse(const QString& reason);
    void RenderCurrentPage();
    QSize RenderBox() const;
    QRect PageRect() const;
    void DrawNote(QPainter& painter, const QString& note, Qt::Alignment corner) const;

    std::int32_t m_startup = kStartupBlank;
    std::int16_t m_display = kDisplayFitPage;
    bool m_reload = false;
    QString m_fileName;
    QString m_loadedPath;
    int m_loadedPage = 0;
    int m_pageCount = 0;
    QString m_error;
    QImage m_page;
    std::vector<std::string> m_warnings;
    QString m_appendError;
    bool m_appendCancelled = false;
    QString m_cornerNote;
    int m_wheelTurn = 0;
    PageStrip* m_strip;
    bool m_stripWanted = true;
    PageEditor m_editor;
    std::function<Prompts*()> m_prompts;
    QString m_announcement;
    std::function<int(int page)> m_renumber;

    // The page after the one shown, rendered ahead on another thread for the next Page Down.
    struct Prefetch {
        std::string path;
        int page = 0;
        QSize box;
        bool enlarge = true;
        std::shared_future<RenderResult> result;
    };
    void PrefetchNextPage(const std::string& path, const QSize& box, bool enlarge);
    std::optional<Prefetch> m_next;
};
