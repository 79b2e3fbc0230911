#pragma once

#include "skin/SkinRecords.h"
#include "skins/SkinModel.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <string>
#include <vector>

namespace tipin::test {

// The nine skins, generated once for the whole test program and written twice, each time
// into its own folder, then read back with the project's description reader.
class GeneratedSkins {
public:
    struct Skin {
        GeneratedSkin generated;
        std::string folder;       // first writing
        std::string secondFolder; // second writing
        SkinDescription description;
        QImage background;
    };

    static const GeneratedSkins& Get();
    const std::vector<Skin>& Skins() const { return m_skins; }
    const Skin& ByFolder(const std::string& folder) const;

private:
    GeneratedSkins();

    TempDir m_first;
    TempDir m_second;
    std::vector<Skin> m_skins;
};

} // namespace tipin::test
