#include "tests/skin/SkinTestSupport.h"

#include "zip/ZipEntryInfo.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

#include <stdexcept>

namespace fs = std::filesystem;

namespace tipin::test {

std::vector<std::string> BundledPackageNames() {
    return {"Purple.skn", "Orange.zip", "Black.zip", "Purple.zip", "Blue.zip",
            "Red.zip",    "Gray.zip",   "Pink.zip",  "Deluxe.zip"};
}

fs::path BundledPackage(const std::string& name) {
    const fs::path path = fs::path(TIPIN_RUN_DIR) / name;
    if (!fs::exists(path)) {
        throw std::runtime_error("bundled package missing: " + path.string());
    }
    return path;
}

void ExtractAll(const fs::path& package, const fs::path& folder) {
    CZipReader zip;
    zip.Open(package.string());
    for (std::uint16_t i = 0; i < zip.GetEntryCount(); ++i) {
        if (!zip.ExtractEntry(i, folder.string())) {
            throw std::runtime_error("cannot extract entry of " + package.string());
        }
    }
    zip.Close();
}

QImage TestSkin::Bitmap(const std::string& name, QSize size, QColor colour) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    Bitmap(name, image);
    return image;
}

void TestSkin::Bitmap(const std::string& name, const QImage& image) const {
    const fs::path path = m_dir.path() / name;
    if (!image.save(QString::fromStdString(path.string()), "BMP")) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

QString TestSkin::IniPath() const {
    return QString::fromStdString((m_dir.path() / "Skin.ini").string());
}

void RecordingDialog::Load(const std::string& folder) {
    skinFolder = folder;
    SetSkinFile(QString::fromStdString(folder + "Skin.ini"));
    LoadSkin();
}

} // namespace tipin::test
