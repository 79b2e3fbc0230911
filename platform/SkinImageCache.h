#pragma once

#include <QImage>
#include <map>
#include <optional>
#include <string>

// While one lives, skin bitmaps are decoded once per path: a skin load names the same strip
// or scroll-bar image for several controls. Images are implicitly shared, so a hit costs no
// copy. Caches may nest (the outermost serves); on the thread that loads skins only.
class CSkinImageCache {
public:
    CSkinImageCache();
    ~CSkinImageCache();
    CSkinImageCache(const CSkinImageCache&) = delete;
    CSkinImageCache& operator=(const CSkinImageCache&) = delete;

    // The image decoded for `path` while a cache lives; nothing otherwise.
    static std::optional<QImage> Find(const std::string& path);
    static void Store(const std::string& path, const QImage& image);

private:
    std::map<std::string, QImage> m_images;
};
