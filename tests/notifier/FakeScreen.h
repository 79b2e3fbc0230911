#pragma once

#include "platform/Screen.h"

namespace tipin::test {

// A screen described by the test; change the fields at will between calls.
class FakeScreen : public Screen {
public:
    FakeScreen(QRect geometry, QRect workArea) : geometry(geometry), workArea(workArea) {}

    QRect Geometry() const override { return geometry; }
    QRect WorkArea() const override { return workArea; }

    QRect geometry;
    QRect workArea;
};

} // namespace tipin::test
