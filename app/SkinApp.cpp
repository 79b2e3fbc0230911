#include "app/SkinApp.h"

#include "app/MainDialog.h"
#include "menus/MenuWindowHook.h"

#include <QDir>
#include <QFileInfo>

CSkinApp::CSkinApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    setApplicationVersion(QStringLiteral(TIPIN_VERSION));
    // Lets docks and task bars match the window to the installed desktop entry.
    setDesktopFileName(QStringLiteral("io.github.tipin.Tipin"));
    CMenuWindowHook::Install();
}

int CSkinApp::InitInstance(const QString& target) {
    CMainDialog dialog;
    dialog.SetStartDirectory(QDir::currentPath().toStdString());
    dialog.OnInitDialog();
    if (!target.isEmpty()) {
        dialog.OpenTarget(QFileInfo(target).absoluteFilePath());
    }
    // Not a modal run of its own: a skin change hides the window for a moment, which would
    // end such a run.
    setQuitOnLastWindowClosed(false);
    connect(&dialog, &QDialog::finished, this, &QApplication::quit);
    dialog.show();
    exec();
    return 0;
}
