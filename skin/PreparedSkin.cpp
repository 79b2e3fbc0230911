#include "skin/PreparedSkin.h"

#include "platform/Prompts.h"
#include "platform/SkinImage.h"
#include "skin/PackageExtractor.h"
#include "skin/SkinUsability.h"
#include "zip/ZipReader.h"

namespace {

// Answers every message with its refusal and remembers that one was asked: a package that
// needs the user is left to the window.
class UnattendedPrompts : public Prompts {
public:
    int MessageBox(const QString&, unsigned flags, const QString&) override {
        asked = true;
        return (flags & kYesNo) != 0 ? kIdNo : kIdOk;
    }
    std::optional<QString> OpenFile(const QString&, const QString&, const QString&) override {
        asked = true;
        return std::nullopt;
    }

    bool asked = false;
};

} // namespace

CPreparedSkin::CPreparedSkin(std::string package)
    : m_package(std::move(package)), m_folder("tipin-skin-") {}

std::future<std::unique_ptr<CPreparedSkin>> CPreparedSkin::Start(std::string package) {
    return std::async(std::launch::async, &CPreparedSkin::Prepare, std::move(package));
}

std::unique_ptr<CPreparedSkin> CPreparedSkin::Prepare(std::string package) {
    try {
        std::unique_ptr<CPreparedSkin> prepared(new CPreparedSkin(std::move(package)));
        if (prepared->Extract() && prepared->Decode()) {
            return prepared;
        }
    } catch (const std::exception&) {
    }
    return nullptr;
}

bool CPreparedSkin::Extract() {
    CZipReader archive;
    UnattendedPrompts prompts;
    CPackageExtractor extractor(archive, prompts);
    const bool extracted = extractor.Extract(m_package, m_folder.Path());
    return extracted && !prompts.asked && extractor.LimitProblem().empty();
}

// The image reader is not used here: a bitmap only it decodes is left for the loading thread.
bool CPreparedSkin::Decode() {
    CSkinImageCache cache(false);
    m_description.emplace(m_folder.Path() + "Skin.ini");
    if (CSkinUsability::Problem(*m_description)) {
        return false;
    }
    std::set<std::string> bitmaps = m_description->ReadAll().Bitmaps();
    bitmaps.insert(m_folder.Path() + SkinDescription::kNotifierBitmap);
    for (const std::string& bitmap : bitmaps) {
        CSkinImage::FromFile(bitmap);
    }
    m_images = cache.TakeDecoded();
    return true;
}
