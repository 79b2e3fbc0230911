#pragma once

#include <QFocusFrame>
#include <QImage>
#include <QPointer>

// The ring around the focused control of a skinned window: kWidth pixels wide, kGap pixels
// outside the control (clear of an edit box's own frame), beneath every control so it never
// covers a bitmap. Its colour is chosen against the window's skin background behind it, pixel
// by pixel where no one colour stands out from all of it. As a focus frame it stays out of
// the accessibility tree.
class CFocusRing : public QFocusFrame {
    Q_OBJECT

public:
    static constexpr int kGap = 2;
    static constexpr int kWidth = 2;

    explicit CFocusRing(QWidget* window);

    // The control the ring surrounds; null while it is hidden.
    QWidget* Target() const { return m_target; }
    // The ring as painted, the size of the ring's rectangle.
    const QImage& Picture() const { return m_picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QWidget* focused);
    void Track(QWidget* target);
    void Surround();

    QPointer<QWidget> m_target;
    QImage m_picture;
};
