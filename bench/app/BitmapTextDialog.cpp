// A second yardstick for start-up: what any skinned window with text does before it is
// mapped, in a plain Qt dialog. It decodes a background bitmap with the image reader, keeps
// the window to the bitmap's size, and lays out one line of text in a text box.
// Usage: bench_bitmap_text_dialog BITMAP
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

namespace {

class BitmapDialog : public QDialog {
public:
    explicit BitmapDialog(QImage background)
        : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint),
          m_background(std::move(background)) {
        setFixedSize(m_background.size());
        (new QLineEdit(QStringLiteral("1"), this))->setGeometry(20, 20, 80, 24);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, m_background); }

private:
    QImage m_background;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    BitmapDialog dialog(QImage(QString::fromLocal8Bit(argv[1])));
    dialog.show();
    return app.exec();
}
