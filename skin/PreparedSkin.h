#pragma once

#include "platform/PrivateFolder.h"
#include "platform/SkinImageCache.h"
#include "skin/SkinDescriptionReader.h"

#include <future>
#include <memory>
#include <optional>
#include <string>

// A skin package made ready on a worker thread: extracted into a private folder, its
// description checked and every bitmap it names decoded. The start-up package is prepared
// from the program's first line, so that this work overlaps the toolkit's own start, before
// the application object exists. Nothing is told from there: a package with any problem is
// left for the window to load the ordinary way, which tells the user what went wrong.
class CPreparedSkin {
public:
    // Begins preparing `package`; the future gives nothing when the package has a problem.
    static std::future<std::unique_ptr<CPreparedSkin>> Start(std::string package);

    const std::string& Package() const { return m_package; }
    // Read from the folder; its path is that of the extracted Skin.ini.
    const SkinDescriptionReader& Description() const { return *m_description; }
    // The decoded bitmaps, for the cache of the thread that loads the skin.
    CSkinImageCache::Decoded TakeImages() { return std::move(m_images); }

private:
    explicit CPreparedSkin(std::string package);
    static std::unique_ptr<CPreparedSkin> Prepare(std::string package);
    bool Extract();
    bool Decode();

    std::string m_package;
    CPrivateFolder m_folder;
    std::optional<SkinDescriptionReader> m_description;
    CSkinImageCache::Decoded m_images;
};
