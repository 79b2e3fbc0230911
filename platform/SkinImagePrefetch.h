#pragma once

#include <QImage>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

// Skin bitmaps decoded on a worker thread while the window builds its controls: the loading
// thread takes each one when a control asks for it and waits only when the worker has not got
// there yet. The worker decodes at most kMaxPixels; whatever it leaves is decoded by the
// loading thread as before. At most one lives at a time, on the thread that loads skins.
class CSkinImagePrefetch {
public:
    static constexpr std::int64_t kMaxPixels = std::int64_t(16) << 20;

    explicit CSkinImagePrefetch(std::vector<std::string> paths);
    ~CSkinImagePrefetch();
    CSkinImagePrefetch(const CSkinImagePrefetch&) = delete;
    CSkinImagePrefetch& operator=(const CSkinImagePrefetch&) = delete;

    // What the worker made of `path` (a null image when it is no readable BMP within the
    // limits); nothing when `path` is not prefetched.
    static std::optional<QImage> Take(const std::string& path);

    // The BMP at `path` when its header is sound; nothing when `allow` refuses its pixels.
    static std::optional<QImage> Decode(const std::string& path,
                                        const std::function<bool(std::int64_t)>& allow);

private:
    void Run();
    std::optional<QImage> Wait(const std::string& path);

    std::vector<std::string> m_paths;
    std::set<std::string> m_expected;
    std::map<std::string, std::optional<QImage>> m_done;
    bool m_finished = false;
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::thread m_worker;
};
