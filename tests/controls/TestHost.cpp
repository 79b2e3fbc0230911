#include "tests/controls/TestHost.h"

#include <QPainter>
#include <QTest>

namespace tipin::test {

TestHost::TestHost(QSize size) : m_background(size, QImage::Format_RGB32) {
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            m_background.setPixel(x, y, qRgb(x % 256, y % 256, 40 + (x / 256) * 60));
        }
    }
    resize(size);
}

void TestHost::ShowAndWait() {
    show();
    if (!QTest::qWaitForWindowExposed(this)) {
        qFatal("the test window was not exposed");
    }
    activateWindow();
    if (!QTest::qWaitForWindowActive(this)) {
        qFatal("the test window did not become active");
    }
}

QImage TestHost::Shot() {
    return grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestHost::paintEvent(QPaintEvent*) {
    ++paints;
    QPainter painter(this);
    painter.drawImage(0, 0, m_background);
}

void TestHost::Record(const Report& report) {
    reports.push_back(report);
    if (onReport) {
        onReport(report);
    }
}

} // namespace tipin::test
