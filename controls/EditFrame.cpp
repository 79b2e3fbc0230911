#include "controls/EditFrame.h"

#include "platform/QtConvert.h"

#include <QPainter>
#include <QRegion>

CEditFrame::CEditFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CEditFrame::Surround(const QRect& box) {
    const QRect outline = box.adjusted(-1, -1, 1, 1);
    setGeometry(outline);
    const QRect local(QPoint(0, 0), outline.size());
    setMask(QRegion(local) - QRegion(local.adjusted(1, 1, -1, -1)));
}

void CEditFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(ToQColor(m_colour));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
