#include "platform/SkinImageCache.h"

namespace {

thread_local CSkinImageCache* g_current = nullptr;

} // namespace

// An inner cache leaves the outer one in charge, so nested loads share their images.
CSkinImageCache::CSkinImageCache(bool readerAllowed) : m_readerAllowed(readerAllowed) {
    if (g_current == nullptr) {
        g_current = this;
    }
}

CSkinImageCache::CSkinImageCache(Decoded decoded)
    : m_images(std::move(decoded.images)), m_spent(decoded.spent) {
    if (g_current == nullptr) {
        g_current = this;
    }
}

CSkinImageCache::~CSkinImageCache() {
    if (g_current == this) {
        g_current = nullptr;
    }
}

std::optional<QImage> CSkinImageCache::Find(const std::string& path) {
    if (g_current == nullptr) {
        return std::nullopt;
    }
    const auto found = g_current->m_images.find(path);
    if (found == g_current->m_images.end()) {
        return std::nullopt;
    }
    return found->second;
}

void CSkinImageCache::Store(const std::string& path, const QImage& image) {
    if (g_current != nullptr) {
        g_current->m_images[path] = image;
    }
}

bool CSkinImageCache::Spend(std::int64_t pixels) {
    if (g_current == nullptr) {
        return true;
    }
    if (pixels < 0 || pixels > kMaxPixels - g_current->m_spent) {
        return false;
    }
    g_current->m_spent += pixels;
    return true;
}

QImage CSkinImageCache::Derived(const Recipe& recipe, const std::function<QImage()>& make) {
    if (g_current == nullptr) {
        return make();
    }
    const auto found = g_current->m_derived.find(recipe);
    if (found != g_current->m_derived.end()) {
        return found->second;
    }
    return g_current->m_derived.emplace(recipe, make()).first->second;
}

bool CSkinImageCache::ReaderAllowed() {
    return g_current == nullptr || g_current->m_readerAllowed;
}

CSkinImageCache::Decoded CSkinImageCache::TakeDecoded() {
    Decoded decoded{std::move(m_images), m_spent};
    m_images.clear();
    return decoded;
}
