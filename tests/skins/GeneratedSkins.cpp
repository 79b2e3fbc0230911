#include "tests/skins/GeneratedSkins.h"

#include "skin/SkinDescriptionReader.h"
#include "skins/SkinGenerator.h"

#include <stdexcept>

namespace tipin::test {

GeneratedSkins::GeneratedSkins() {
    const auto first = CSkinGenerator::WriteAll(m_first.path().string());
    CSkinGenerator::WriteAll(m_second.path().string());
    for (const GeneratedSkin& g : first) {
        Skin skin;
        skin.generated = g;
        skin.folder = (m_first.path() / g.folder).string();
        skin.secondFolder = (m_second.path() / g.folder).string();
        skin.description = SkinDescriptionReader(skin.folder + "/Skin.ini").ReadAll();
        skin.background = QImage(QString::fromStdString(skin.description.background));
        m_skins.push_back(std::move(skin));
    }
}

const GeneratedSkins& GeneratedSkins::Get() {
    static const GeneratedSkins skins;
    return skins;
}

const GeneratedSkins::Skin& GeneratedSkins::ByFolder(const std::string& folder) const {
    for (const Skin& skin : m_skins) {
        if (skin.generated.folder == folder) {
            return skin;
        }
    }
    throw std::out_of_range("no generated skin " + folder);
}

} // namespace tipin::test
