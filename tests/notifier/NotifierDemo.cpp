// Not a test: shows the popup of a skin folder over a stand-in main window, as the skin loader
// will (construct, Hide, SetSkin, Show(300, 1000, 300, 1), the TASKBARBUTTON buttons as its
// children), for a look under a real X server.
//
//   notifier_demo SKIN_FOLDER [--shot FILE.png]
//
// With --shot it saves the whole screen once the popup stands, and quits.
#include "controls/SkinButton.h"
#include "notifier/NotifierDialog.h"
#include "skin/SkinDescriptionReader.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: notifier_demo SKIN_FOLDER [--shot FILE.png]\n");
        return 2;
    }
    const QString folder = args[1].endsWith('/') ? args[1] : args[1] + '/';
    const int shotAt = int(args.indexOf("--shot"));
    const QString shot = shotAt > 0 && shotAt + 1 < args.size() ? args[shotAt + 1] : QString();

    QWidget owner;
    owner.setWindowTitle("Tipin (stand-in main window)");
    auto* layout = new QVBoxLayout(&owner);
    layout->addWidget(new QLabel("The main window keeps the keyboard:"));
    auto* edit = new QLineEdit("type here while the popup slides");
    layout->addWidget(edit);
    owner.setGeometry(120, 120, 420, 110);
    owner.show();
    owner.activateWindow();
    edit->setFocus();

    auto* popup = new CNotifierDialog(&owner);
    popup->Hide();
    if (!popup->SetSkin(folder + "dlgTaskNotifier.bmp", 255, 0, 255)) {
        std::fprintf(stderr, "no dlgTaskNotifier.bmp in %s\n", qPrintable(folder));
    }
    const SkinDescriptionReader skin((folder + "Skin.ini").toStdString());
    const COLORREF transparent = skin.TransparentColour(Rgb(255, 0, 255));
    for (const ButtonRecord& record : skin.Buttons("TASKBARBUTTON")) {
        auto* button = new CSkinButton(popup);
        const Rect& r = record.rect;
        button->setGeometry(r.left, r.top, r.Width(), r.Height());
        button->SetTransparentColour(transparent);
        button->LoadSkinBitmap(record.bitmap, r.left, r.top, r.right, r.bottom);
        button->index = record.index;
        button->name = QString::fromStdString(record.name);
        button->SetTooltipText(QString::fromStdString(record.tooltip), true);
    }
    popup->Show(300, 1000, 300, 1);

    if (!shot.isEmpty()) {
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, [poll, popup, shot, &owner] {
            if (popup->State() != CNotifierDialog::kWaiting) {
                return;
            }
            poll->stop();
            QTimer::singleShot(400, [popup, shot, &owner] {
                const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
                std::printf("popup at (%d, %d), %dx%d; active window: %s; screenshot %s\n",
                            popup->x(), popup->y(), popup->width(), popup->height(),
                            QApplication::activeWindow() == &owner ? "the main window" : "another",
                            saved ? qPrintable(shot) : "not saved");
                QApplication::quit();
            });
        });
        poll->start(20);
    }
    return QApplication::exec();
}
