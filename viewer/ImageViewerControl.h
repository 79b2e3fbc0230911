#pragma once

#include <QString>
#include <cstdint>

// The seven operations the main window drives the image viewer through. Calls are
// synchronous; the window never reads a property back.
//
// Values understood by TiffViewerWidget:
// - StartupSetting: 4 = the empty view shows a short hint; 0 (or any other value) = it
//   stays blank.
// - ReloadFlag: true = the next LoadPage reads the file afresh even when the path is the
//   one already loaded; the flag clears itself after that load.
// - LoadPage: page counts from 1. Returns 1 when the page is shown, 0 when it cannot be;
//   the view then says why in one line.
// - GetPageCount: pages of the file last loaded; 0 after a failed load.
// - DisplaySetting: 10 = the whole page fitted into the view; 11 = fitted to the view's
//   width; 0 = actual size, centred and clipped. Pixels that the page's resolution says are
//   not square are shrunk along their denser axis, so the page keeps its proportions on
//   paper. Other values leave the setting as it was.
// - AppendPages: inserts every page of `append` into `target` so that the first becomes
//   page `position` (1 to pages + 1); true when the target was rewritten, false when
//   nothing was written.
class ImageViewerControl {
public:
    static constexpr std::int32_t kStartupBlank = 0;
    static constexpr std::int32_t kStartupHint = 4;
    static constexpr std::int16_t kDisplayActualSize = 0;
    static constexpr std::int16_t kDisplayFitPage = 10;
    static constexpr std::int16_t kDisplayFitWidth = 11;

    virtual ~ImageViewerControl() = default;

    virtual void StartupSetting(std::int32_t value) = 0;
    virtual void ReloadFlag(bool reload) = 0;
    virtual std::int16_t LoadPage(const QString& path, std::int16_t page) = 0;
    virtual std::int16_t GetPageCount() = 0;
    virtual void FileName(const QString& path) = 0;
    virtual void DisplaySetting(std::int16_t value) = 0;
    virtual bool AppendPages(const QString& target, std::int16_t position,
                             const QString& append) = 0;
    // Why the last AppendPages failed, in one line; empty after a success.
    virtual QString LastError() const { return {}; }
    // True when the last AppendPages stopped because the user cancelled it.
    virtual bool AppendCancelled() const { return false; }
};
