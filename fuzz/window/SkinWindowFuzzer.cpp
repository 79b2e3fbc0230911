// Builds the whole skinned window offscreen from the input as a skin package: extraction,
// description, controls and outline, as a change of skin does.
#include "platform/Prompts.h"
#include "skin/SkinDialog.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// Every question is answered No, so a damaged package never asks twice.
class NoPrompts : public Prompts {
public:
    int MessageBox(const QString&, unsigned, const QString&) override { return kIdNo; }
    std::optional<QString> OpenFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

const std::filesystem::path& StartFolder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tipin-fuzz-window-" + std::to_string(getpid()));
    return folder;
}

CSkinDialog& Dialog() {
    static int argc = 1;
    static char name[] = "fuzz_skin_window";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QApplication(argc, argv);
    }();
    static CSkinDialog* dialog = [] {
        std::filesystem::create_directories(StartFolder());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(StartFolder(), ignored);
        });
        auto* d = new CSkinDialog;
        d->SetPrompts(std::make_shared<NoPrompts>());
        d->SetStartDirectory(StartFolder().string());
        d->SetPackageFolders({});
        return d;
    }();
    (void)application;
    return *dialog;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSkinDialog& dialog = Dialog();
    const CSkinDialog::SkinChoice& choice = CSkinDialog::kSkinChoices.front();
    {
        std::ofstream out(StartFolder() / choice.package, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    dialog.OnChangeSkin(choice.id);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
