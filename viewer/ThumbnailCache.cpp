#include "viewer/ThumbnailCache.h"

#include "viewer/TiffPageSequence.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

QImage ToImage(const RgbaImage& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.stride, QImage::Format_ARGB32_Premultiplied)
        .copy();
}

std::size_t BytesOf(const QImage& image) {
    return std::size_t(image.sizeInBytes());
}

} // namespace

ThumbnailCache::ThumbnailCache(QObject* parent) : QObject(parent) {}

ThumbnailCache::~ThumbnailCache() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
}

void ThumbnailCache::SetFile(const std::string& path) {
    {
        const std::lock_guard lock(m_mutex);
        m_path = path;
    }
    Restart();
}

void ThumbnailCache::Renumber(const std::function<int(int page)>& renumber) {
    const std::lock_guard lock(m_mutex);
    ++m_generation; // pictures of the old file still being drawn are dropped
    m_queue.clear();
    std::map<int, QImage> kept;
    m_bytes = 0;
    for (auto& [page, image] : m_images) {
        if (const int to = renumber(page); to > 0) {
            m_bytes += BytesOf(image);
            kept.emplace(to, std::move(image));
        }
    }
    m_images = std::move(kept);
}

void ThumbnailCache::SetBox(const QSize& box) {
    {
        const std::lock_guard lock(m_mutex);
        if (box == m_box) {
            return;
        }
        m_box = box;
    }
    Restart();
}

void ThumbnailCache::Restart() {
    const std::lock_guard lock(m_mutex);
    ++m_generation;
    m_queue.clear();
    m_images.clear();
    m_bytes = 0;
}

void ThumbnailCache::Want(const std::vector<int>& pages) {
    m_wanted = pages;
    {
        const std::lock_guard lock(m_mutex);
        m_queue.clear();
        for (const int page : pages) {
            if (m_images.count(page) == 0) {
                m_queue.push_back(page);
            }
        }
    }
    if (!pages.empty()) {
        StartWorkers();
    }
    m_wake.notify_all();
}

// With the first pages asked for: a window that shows no file needs no workers.
void ThumbnailCache::StartWorkers() {
    while (m_workers.size() < std::size_t(kWorkers)) {
        m_workers.emplace_back([this] { Work(); });
    }
}

const QImage* ThumbnailCache::Find(int page) const {
    const auto found = m_images.find(page);
    return found == m_images.end() ? nullptr : &found->second;
}

// Each worker keeps the file open for as long as it is the one asked for.
void ThumbnailCache::Work() {
    std::unique_ptr<TiffPageSequence> file;
    std::string filePath;
    std::uint64_t fileGeneration = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || (!m_queue.empty() && !m_path.empty()); });
        if (m_stop) {
            return;
        }
        const int page = m_queue.front();
        m_queue.pop_front();
        const std::string path = m_path;
        const QSize box = m_box;
        const std::uint64_t generation = m_generation;
        if (!file || filePath != path || fileGeneration != generation) {
            file.reset();
        }
        lock.unlock();
        if (!file) {
            file = std::make_unique<TiffPageSequence>(path);
            filePath = path;
        }
        fileGeneration = generation;
        const RenderResult shown = file->Render(page, box.width(), box.height(), true);
        // A page that cannot be drawn keeps its empty frame.
        QImage image = shown.status.ok ? ToImage(shown.image) : QImage();
        QMetaObject::invokeMethod(
            this, [this, generation, page, image] { Deliver(generation, page, image); },
            Qt::QueuedConnection);
        lock.lock();
    }
}

void ThumbnailCache::Deliver(std::uint64_t generation, int page, const QImage& image) {
    {
        const std::lock_guard lock(m_mutex);
        if (generation != m_generation) {
            return;
        }
    }
    if (image.isNull() || m_images.count(page) != 0) {
        return;
    }
    m_images.emplace(page, image);
    m_bytes += BytesOf(image);
    Trim();
    emit Ready(page);
}

// The pages farthest from the middle of the last request go first.
void ThumbnailCache::Trim() {
    if (m_bytes <= kBudgetBytes || m_wanted.empty()) {
        return;
    }
    const int middle = m_wanted.front();
    while (m_bytes > kBudgetBytes && m_images.size() > 1) {
        auto first = m_images.begin();
        auto last = std::prev(m_images.end());
        auto farthest =
            std::abs(first->first - middle) > std::abs(last->first - middle) ? first : last;
        m_bytes -= BytesOf(farthest->second);
        m_images.erase(farthest);
    }
}
