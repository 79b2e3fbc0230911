#pragma once

#include <QImage>

class QWidget;

// What a skinned control needs from the window it lives in: the reports by index, and the
// skin background at the window's client coordinates, from which controls copy their
// backdrop. A control whose parent does not implement it reports nothing.
class CSkinHost {
public:
    virtual ~CSkinHost() = default;

    virtual void OnButtonClicked(int index) = 0;
    virtual void OnOptionClicked(int index) = 0;
    virtual void OnCheckClicked(int index) = 0;
    virtual void OnSliderMoved(int index, int position) = 0;
    // An empty image when the window has no background.
    virtual const QImage& BackgroundDC() const = 0;

    // The host of `control`: its parent window when that is one, else null.
    static CSkinHost* Of(const QWidget* control);
    // The part of the host's background that lies under `control`; empty without a host.
    static QImage BackdropUnder(const QWidget* control);
};
