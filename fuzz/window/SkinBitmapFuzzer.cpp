// Decodes the input as a skin bitmap, as a skin load does, both on a thread that may not use
// the toolkit's image reader and on one that may. Where the image reader also reads the file,
// the pixels must be the same: the skin kinds are decoded without it.
#include "platform/SkinImage.h"
#include "platform/SkinImageCache.h"

#include <QGuiApplication>
#include <QImageReader>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::string& InputPath() {
    static int argc = 1;
    static char name[] = "fuzz_skin_bitmap";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("tipin-fuzz-bitmap-" + std::to_string(getpid()) + ".bmp"))
                                        .string();
    (void)application;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = InputPath();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    QImage own;
    {
        const CSkinImageCache unattended(false);
        own = CSkinImage::FromFile(path).Image();
    }
    const CSkinImageCache load;
    const QImage decoded = CSkinImage::FromFile(path).Image();
    if (!own.isNull()) {
        QImageReader reader(QString::fromStdString(path), "bmp");
        reader.setDecideFormatFromContent(false);
        const QImage expected = reader.read().convertToFormat(QImage::Format_RGB32);
        if (decoded != own || (!expected.isNull() && expected != own)) {
            std::abort();
        }
    }
    std::filesystem::remove(path);
    return 0;
}
