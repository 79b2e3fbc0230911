#pragma once

#include "app/ImageViewer.h"
#include "skin/SkinDialog.h"

#include <QIcon>
#include <QImage>
#include <QString>
#include <cstdint>
#include <future>
#include <optional>
#include <vector>

class CSkinEdit;
class QMimeData;
class TiffViewerWidget;

// The main window: the skinned window around the image viewer, and the page-insertion
// workflow behind its buttons.
class CMainDialog : public CSkinDialog {
    Q_OBJECT
public:
    static constexpr const char* kNoTarget = "Please input TIF file";
    static constexpr const char* kNoAppend = "Please input Append TIF file";
    static constexpr const char* kInsertFailed = "Delete failed";
    static constexpr const char* kPlayPressed = "Play Button Pressed";
    static constexpr const char* kPausePressed = "Pause Button Pressed";
    // Matches TIFF names in any letter case.
    static constexpr const char* kTiffFilter = "TIFF files (*.[tT][iI][fF] *.[tT][iI][fF][fF])";
    static constexpr std::int16_t kStartupSetting = 4;
    static constexpr std::int16_t kDisplaySetting = 10;
    // The edit boxes by position.
    enum EditBox { kTargetBox = 0, kPositionBox = 1, kPageBox = 2, kAppendBox = 3 };

    // Without a control, the window makes a viewer of its own; `viewerWindow` is the
    // control's widget, when it has one.
    explicit CMainDialog(QWidget* parent = nullptr, ImageViewerControl* control = nullptr,
                         QWidget* viewerWindow = nullptr);

    // Loads the skin, places the viewer and sets the start values.
    void OnInitDialog();
    // Opens `path` as the target, as if it had been chosen; a file that cannot be shown
    // leaves everything but the viewer's message as it was.
    void OpenTarget(const QString& path);

    void LoadSkin() override;
    void ButtonPressed(const QString& name) override;
    void OptionSelected(const QString& name) override;
    void SliderChanged(const QString& name, int position) override;

    CImageViewer& Viewer() { return m_viewer; }
    CSkinEdit* EditBox(int position) const;
    // The local TIFF files dropped: one or two, each an existing file with a TIFF name;
    // nothing when the drop holds anything else.
    static std::optional<QStringList> DroppedTiffs(const QMimeData* data);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Browse();
    void BrowseAppend();
    void Convert();
    void ShowChosenPage();
    void SwapPlayPause(const char* message, bool playing);
    void ShowFirstPage(const QString& path);
    std::optional<QString> ChooseInto(int position, const QString& title);
    // A file chosen (or dropped) for an edit box: the box is enabled and shows it.
    bool PutFile(int position, const QString& path);
    TiffViewerWidget* PageView() const;
    void ColourStrip();
    void ShowChangedTarget(int page);
    std::optional<QString> ChooseTiff(const QString& title);
    QString EditText(int position) const;
    static std::int16_t LowSixteenBits(const QString& text);
    void GiveIcon();

    CImageViewer m_viewer;
    // The icon's sizes, decoded on a worker thread while the skin loads, given to the window
    // once it is on the screen.
    std::future<std::vector<QImage>> m_iconImages;
    QIcon m_hIcon;
    // The folder of the file chosen last; the start directory before any.
    QString m_chooserFolder;
};
