#pragma once

#include <QApplication>
#include <QString>
#include <future>
#include <memory>

class CPreparedSkin;

// The program: runs the main window until it is closed. The application's title, the
// caption of every message, is the executable's file name. Every popup menu of the program
// gets the flat frame and shadow from the moment the application exists.
class CSkinApp : public QApplication {
    Q_OBJECT
public:
    CSkinApp(int& argc, char** argv);

    // Runs the main window on the start-up skin being prepared, opening `target` first when
    // one is given; returns the exit code.
    int InitInstance(const QString& target,
                     std::future<std::unique_ptr<CPreparedSkin>> startupSkin);

private:
    // The font database, read on a worker thread while the skin loads.
    std::future<void> m_fonts;
};
