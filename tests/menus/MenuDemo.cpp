// Not a test: a colourful window whose context menu (and its edit box's) show the frame and
// the shadow, for a look under a real X server:
//
//     menus_demo [--no-hook] [--animate]
//
// then right-click into the window (xdotool mousemove X Y click 3) and take a screenshot.
#include "menus/MenuWindowHook.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QWidget>
#include <cstring>

namespace {

class ColourfulWindow : public QWidget {
public:
    ColourfulWindow() {
        setWindowTitle("Tipin menus");
        auto* edit = new QLineEdit("Right-click me too", this);
        edit->setGeometry(20, 20, 200, 24);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        // Vertical stripes of strong colours with a diagonal gradient over them.
        static const QColor kStripes[] = {Qt::red,  Qt::yellow, Qt::green,
                                          Qt::cyan, Qt::blue,   Qt::magenta};
        const int stripe = 24;
        for (int x = 0, i = 0; x < width(); x += stripe, ++i) {
            painter.fillRect(x, 0, stripe, height(), kStripes[i % 6]);
        }
        QLinearGradient shade(0, 0, width(), height());
        shade.setColorAt(0, QColor(255, 255, 255, 90));
        shade.setColorAt(1, QColor(0, 0, 0, 90));
        painter.fillRect(rect(), shade);
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu menu(this);
        menu.addAction("&Open...");
        menu.addAction("&Save")->setShortcut(QKeySequence("Ctrl+S"));
        QAction* check = menu.addAction("Show &page count");
        check->setCheckable(true);
        check->setChecked(true);
        menu.addSeparator();
        QMenu* skins = menu.addMenu("Change s&kin");
        for (const char* name : {"Purple", "Orange", "Black", "Blue"}) {
            skins->addAction(name);
        }
        QMenu* recent = menu.addMenu("&Recent files");
        for (const char* name : {"scan-2024-01.tif", "contract.tif", "invoice-0042.tif"}) {
            recent->addAction(name);
        }
        menu.addSeparator();
        menu.addAction("E&xit");
        menu.exec(event->globalPos());
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bool hook = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-hook") == 0) {
            hook = false;
        } else if (std::strcmp(argv[i], "--animate") == 0) {
            QApplication::setEffectEnabled(Qt::UI_General, true);
            QApplication::setEffectEnabled(Qt::UI_AnimateMenu, true);
        }
    }
    if (hook) {
        CMenuWindowHook::Install();
    }
    ColourfulWindow window;
    window.setGeometry(100, 100, 640, 420);
    window.show();
    return app.exec();
}
