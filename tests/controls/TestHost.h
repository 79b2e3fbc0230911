#pragma once

#include "controls/SkinHost.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

namespace tipin::test {

// A window standing in for the skinned dialog: it paints a background that differs at every
// pixel and records the reports it gets.
class TestHost : public QWidget, public CSkinHost {
public:
    struct Report {
        enum Kind { kButton, kOption, kCheck, kSlider } kind;
        int index;
        int position;
        friend bool operator==(const Report&, const Report&) = default;
    };

    explicit TestHost(QSize size = QSize(320, 240));

    void OnButtonClicked(int index) override { Record({Report::kButton, index, 0}); }
    void OnOptionClicked(int index) override { Record({Report::kOption, index, 0}); }
    void OnCheckClicked(int index) override { Record({Report::kCheck, index, 0}); }
    void OnSliderMoved(int index, int position) override {
        Record({Report::kSlider, index, position});
    }
    const QImage& BackgroundDC() const override { return m_background; }

    // The host's own background colour at a point of its client area.
    QColor BackgroundAt(QPoint point) const { return m_background.pixelColor(point); }
    // Shows the window and waits until it is on the screen and has the keyboard.
    void ShowAndWait();
    // What the window shows now, in its client coordinates.
    QImage Shot();

    std::vector<Report> reports;
    int paints = 0;
    std::function<void(const Report&)> onReport;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Record(const Report& report);

    QImage m_background;
};

} // namespace tipin::test
