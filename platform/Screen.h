#pragma once

#include <QRect>

// The screen a window is shown on, as the popup needs it: its whole geometry and its work
// area (the part that panels and task bars leave free), both in global pixels. An interface
// so that tests can describe any screen.
class Screen {
public:
    virtual ~Screen();

    virtual QRect Geometry() const = 0;
    virtual QRect WorkArea() const = 0;
};
