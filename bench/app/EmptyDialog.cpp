// The yardstick for start-up: an empty Qt dialog of the main window's size, shown at once.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog(nullptr, Qt::Window | Qt::FramelessWindowHint);
    dialog.setFixedSize(983, 785);
    dialog.show();
    return app.exec();
}
