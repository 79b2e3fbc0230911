#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>

// While one lives, skin bitmaps are decoded once per path: a skin load names the same strip
// or scroll-bar image for several controls. Images are implicitly shared, so a hit costs no
// copy. Caches may nest (the outermost serves); each thread has its own.
// It also holds the pixel budget of the skin being loaded: the bitmaps it decodes and the
// frames and keyed copies its controls keep. Images made from others (keyed copies,
// stretched frames) are made once per source and recipe, so controls that draw the same
// thing share it.
class CSkinImageCache {
public:
    // What a derived image is made of: the source image's key, the part of it, the size it
    // is stretched to and the colour keyed out.
    struct Recipe {
        qint64 source;
        QRect area;
        QSize size;
        std::uint32_t key;
        auto Tied() const {
            return std::tuple(source, area.x(), area.y(), area.width(), area.height(), size.width(),
                              size.height(), key);
        }
        bool operator<(const Recipe& other) const { return Tied() < other.Tied(); }
    };

    static constexpr std::int64_t kMaxPixels = std::int64_t(64) << 20;

    // What a cache has decoded and spent, to go on with on another thread.
    struct Decoded {
        std::map<std::string, QImage> images;
        std::int64_t spent = 0;
    };

    // `readerAllowed` false: bitmaps only the toolkit's image reader decodes are left alone,
    // as on a thread that runs before the application object exists.
    explicit CSkinImageCache(bool readerAllowed = true);
    // Goes on from what another cache decoded, within the same budget.
    explicit CSkinImageCache(Decoded decoded);
    ~CSkinImageCache();
    CSkinImageCache(const CSkinImageCache&) = delete;
    CSkinImageCache& operator=(const CSkinImageCache&) = delete;

    // The image decoded for `path` while a cache lives; nothing otherwise.
    static std::optional<QImage> Find(const std::string& path);
    static void Store(const std::string& path, const QImage& image);
    // Takes `pixels` from the budget when they fit into what is left; without a living cache
    // there is no budget.
    static bool Spend(std::int64_t pixels);
    // The image `make` gives for `recipe`, made at most once while a cache lives.
    static QImage Derived(const Recipe& recipe, const std::function<QImage()>& make);
    // False while the thread's outermost cache forbids the image reader.
    static bool ReaderAllowed();
    Decoded TakeDecoded();

private:
    std::map<std::string, QImage> m_images;
    std::map<Recipe, QImage> m_derived;
    std::int64_t m_spent = 0;
    bool m_readerAllowed = true;
};
