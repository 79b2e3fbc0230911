#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

// While one lives, skin bitmaps are decoded once per path: a skin load names the same strip
// or scroll-bar image for several controls. Images are implicitly shared, so a hit costs no
// copy. Caches may nest (the outermost serves); on the thread that loads skins only.
// It also holds the pixel budget of the skin being loaded: the bitmaps it decodes and the
// frames and keyed copies its controls keep.
class CSkinImageCache {
public:
    static constexpr std::int64_t kMaxPixels = std::int64_t(64) << 20;

    CSkinImageCache();
    ~CSkinImageCache();
    CSkinImageCache(const CSkinImageCache&) = delete;
    CSkinImageCache& operator=(const CSkinImageCache&) = delete;

    // The image decoded for `path` while a cache lives; nothing otherwise.
    static std::optional<QImage> Find(const std::string& path);
    static void Store(const std::string& path, const QImage& image);
    // Takes `pixels` from the budget when they fit into what is left; without a living cache
    // there is no budget.
    static bool Spend(std::int64_t pixels);

private:
    std::map<std::string, QImage> m_images;
    std::int64_t m_spent = 0;
};
