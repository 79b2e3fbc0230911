#include "app/SkinApp.h"
#include "skin/PreparedSkin.h"
#include "skin/SkinDialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: tipin [FILE]\n"
    "Inserts all pages of one TIFF file into another at a chosen page, shows how many pages\n"
    "the target has, and shows any page. FILE, when given, is opened as the target.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// A shaped window that moves itself and a popup that slides need X11: under Wayland the
// program runs on XWayland when it can.
void ChooseDisplay() {
    if (Set("WAYLAND_DISPLAY") && Set("DISPLAY") && !Set("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headless = platform != nullptr && (std::strcmp(platform, "offscreen") == 0 ||
                                                  std::strcmp(platform, "minimal") == 0);
    return headless || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

// The start-up skin is extracted and decoded while the toolkit starts. The folders are those
// the window will look in: the current one, then those of the program, which the application
// object will also read from /proc/self/exe.
std::future<std::unique_ptr<CPreparedSkin>> PrepareStartupSkin() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path start = std::filesystem::current_path(error);
    return CPreparedSkin::Start(
        CSkinDialog::StartupPackage(start.string(), program.parent_path().string()));
}

} // namespace

int main(int argc, char** argv) {
    QString target;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("tipin %s\n", TIPIN_VERSION);
            return 0;
        }
        if ((argument.size() > 1 && argument[0] == '-') || !target.isEmpty()) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        target = QString::fromLocal8Bit(argv[i]);
    }
    ChooseDisplay();
    if (!HasDisplay()) {
        std::fputs("tipin: no display to show the window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    std::future<std::unique_ptr<CPreparedSkin>> startupSkin = PrepareStartupSkin();
    // Whole scale factors keep skin bitmaps sharp: 1.5 and above round up, 1.25 rounds down.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    CSkinApp app(argc, argv);
    return app.InitInstance(target, std::move(startupSkin));
}
