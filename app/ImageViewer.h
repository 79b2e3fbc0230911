#pragma once

#include "viewer/ImageViewerControl.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

// The main window's handle on the image viewer: the seven operations, passed on unchanged,
// and the viewer's place in the window. Unattached, every call does nothing.
class CImageViewer {
public:
    // `control` does the work; `window` is its widget (none for a control without one).
    void Attach(ImageViewerControl* control, QWidget* window);
    bool IsAttached() const { return m_control != nullptr; }

    void StartupSetting(std::int32_t value);
    void ReloadFlag(bool reload);
    std::int16_t LoadPage(const QString& path, std::int16_t page);
    std::int16_t GetPageCount();
    void FileName(const QString& path);
    void DisplaySetting(std::int16_t value);
    bool AppendPages(const QString& target, std::int16_t position, const QString& append);
    // Why the last AppendPages failed, in one line.
    QString LastError() const;
    bool AppendCancelled() const;

    // Moves the viewer onto `rect`, on top of its siblings, and shows it.
    void Place(const QRect& rect);
    QWidget* Window() const { return m_window; }

private:
    ImageViewerControl* m_control = nullptr;
    QPointer<QWidget> m_window;
};
