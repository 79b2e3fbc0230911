#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Page pictures of one file at one small size, rendered on kWorkers threads of their own so
// that the strip keeps painting. Only the pages asked for are rendered, most wanted first, and the
// cache holds at most kBudgetBytes, dropping the pages farthest from the last ones wanted.
class ThumbnailCache : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kBudgetBytes = 48u << 20;
    static constexpr int kWorkers = 2;

    explicit ThumbnailCache(QObject* parent = nullptr);
    ~ThumbnailCache() override;
    ThumbnailCache(const ThumbnailCache&) = delete;
    ThumbnailCache& operator=(const ThumbnailCache&) = delete;

    // A new file or a new size forgets every picture.
    void SetFile(const std::string& path);
    // The file changed in a known way: each picture kept goes to the page `renumber` gives
    // it, or is forgotten where that is 0.
    void Renumber(const std::function<int(int page)>& renumber);
    void SetBox(const QSize& box);
    // Pages (from 1) to render, most wanted first; pages asked for earlier and not named
    // again are no longer rendered.
    void Want(const std::vector<int>& pages);

    // The picture of `page`, or null while it is not rendered.
    const QImage* Find(int page) const;
    std::size_t CachedBytes() const { return m_bytes; }

signals:
    void Ready(int page);

private:
    void Restart();
    void StartWorkers();
    void Work();
    void Deliver(std::uint64_t generation, int page, const QImage& image);
    void Trim();

    // Owned by the window's thread.
    std::map<int, QImage> m_images;
    std::size_t m_bytes = 0;
    std::vector<int> m_wanted;

    // Shared with the worker under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<int> m_queue;
    std::string m_path;
    QSize m_box;
    std::uint64_t m_generation = 0;
    bool m_stop = false;
    std::vector<std::thread> m_workers;
};
