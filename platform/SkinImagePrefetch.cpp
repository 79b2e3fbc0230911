#include "platform/SkinImagePrefetch.h"

#include "platform/BmpHeader.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>

namespace {

CSkinImagePrefetch* g_current = nullptr;

} // namespace

CSkinImagePrefetch::CSkinImagePrefetch(std::vector<std::string> paths)
    : m_paths(std::move(paths)), m_expected(m_paths.begin(), m_paths.end()) {
    if (g_current == nullptr) {
        g_current = this;
        m_worker = std::thread([this] { Run(); });
    }
}

CSkinImagePrefetch::~CSkinImagePrefetch() {
    if (g_current != this) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_worker.join();
    g_current = nullptr;
}

void CSkinImagePrefetch::Run() {
    std::int64_t decoded = 0;
    const auto withinLimit = [&decoded](std::int64_t pixels) {
        decoded += pixels;
        return decoded <= kMaxPixels;
    };
    for (const std::string& path : m_paths) {
        std::optional<QImage> image = Decode(path, withinLimit);
        const std::lock_guard lock(m_mutex);
        if (m_stop || !image) {
            break;
        }
        m_done.emplace(path, std::move(image));
        m_ready.notify_all();
    }
    const std::lock_guard lock(m_mutex);
    m_finished = true;
    m_ready.notify_all();
}

std::optional<QImage> CSkinImagePrefetch::Wait(const std::string& path) {
    if (m_expected.count(path) == 0) {
        return std::nullopt;
    }
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [&] { return m_finished || m_done.count(path) != 0; });
    const auto found = m_done.find(path);
    if (found == m_done.end()) {
        return std::nullopt;
    }
    std::optional<QImage> image = std::move(found->second);
    m_done.erase(found);
    return image;
}

std::optional<QImage> CSkinImagePrefetch::Take(const std::string& path) {
    return g_current == nullptr ? std::nullopt : g_current->Wait(path);
}

std::optional<QImage> CSkinImagePrefetch::Decode(const std::string& path,
                                                 const std::function<bool(std::int64_t)>& allow) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return QImage();
    }
    char bytes[BmpHeader::kHeaderBytes] = {};
    const qint64 got = file.peek(bytes, sizeof bytes);
    const std::optional<BmpHeader> header =
        BmpHeader::Parse(reinterpret_cast<const unsigned char*>(bytes),
                         std::size_t(std::max<qint64>(got, 0)), std::uint64_t(file.size()));
    if (!header) {
        return QImage();
    }
    if (!allow(header->Pixels())) {
        return std::nullopt;
    }
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}
