#pragma once

#include "viewer/ImageViewerControl.h"
#include "viewer/TiffResults.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <future>
#include <optional>
#include <string>

// The image viewer on the TIFF engine: shows one page of a file, fitted as DisplaySetting
// says, or a one-line reason when it cannot.
class QPainter;

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

signals:
    // The user leafed to `page`.
    void PageLeafed(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
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
