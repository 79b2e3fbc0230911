#include "app/SkinApp.h"

#include "app/MainDialog.h"
#include "menus/MenuWindowHook.h"
#include "skin/PreparedSkin.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

CSkinApp::CSkinApp(int& argc, char** argv) : QApplication(argc, argv) {
    // Reading the system's font configuration takes milliseconds the window's first text box
    // would wait for; the database is thread-safe and shared by every thread.
    m_fonts = std::async(std::launch::async, [] { QFontDatabase::families(); });
    setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    setApplicationVersion(QStringLiteral(TIPIN_VERSION));
    // Lets docks and task bars match the window to the installed desktop entry.
    setDesktopFileName(QStringLiteral("io.github.tipin.Tipin"));
    CMenuWindowHook::Install();
}

int CSkinApp::InitInstance(const QString& target,
                           std::future<std::unique_ptr<CPreparedSkin>> startupSkin) {
    CMainDialog dialog;
    dialog.SetStartDirectory(QDir::currentPath().toStdString());
    dialog.SetPreparedStartupSkin(std::move(startupSkin));
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
