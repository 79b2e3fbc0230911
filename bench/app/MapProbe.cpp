// Times a program from its start to the mapping of its first top-level window of a given size.
// Usage: bench_map_probe WIDTH HEIGHT PROGRAM [ARGUMENT...]
// Prints the milliseconds, then ends the program. The probe waits on X events instead of
// polling, so it takes no processor time from the program it measures; it watches the root
// window before the program starts, so no window can be missed.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;
using Size = std::pair<int, int>;

constexpr auto kGiveUpAfter = std::chrono::seconds(30);

struct ConnectionCloser {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

// Structure changes of the root's children, in place once the server has answered.
void WatchTopLevels(xcb_connection_t* connection) {
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

pid_t Start(char** command) {
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // its own group: a wrapper (strace, perf) ends with what it runs
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    setpgid(child, child); // as the child does: whichever runs first
    return child;
}

void End(pid_t child) {
    kill(-child, SIGTERM);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

bool Exited(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WNOHANG) == child;
}

// Sizes by window, from their creation and every change; true when a window of `wanted` is
// mapped.
class MapWatch {
public:
    explicit MapWatch(Size wanted) : m_wanted(wanted) {}

    bool Take(const xcb_generic_event_t& event) {
        switch (event.response_type & 0x7F) {
        case XCB_CREATE_NOTIFY: {
            const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
            m_sizes[created.window] = {created.width, created.height};
            return false;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto& changed = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
            m_sizes[changed.window] = {changed.width, changed.height};
            return false;
        }
        case XCB_MAP_NOTIFY: {
            const auto& mapped = reinterpret_cast<const xcb_map_notify_event_t&>(event);
            const auto found = m_sizes.find(mapped.window);
            return found != m_sizes.end() && found->second == m_wanted;
        }
        default:
            return false;
        }
    }

private:
    Size m_wanted;
    std::map<xcb_window_t, Size> m_sizes;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: bench_map_probe WIDTH HEIGHT PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    const Connection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get())) {
        std::fputs("bench_map_probe: no X display\n", stderr);
        return 1;
    }
    WatchTopLevels(connection.get());
    MapWatch watch({std::atoi(argv[1]), std::atoi(argv[2])});
    const Clock::time_point start = Clock::now();
    const pid_t child = Start(argv + 3);
    pollfd display{xcb_get_file_descriptor(connection.get()), POLLIN, 0};
    while (Clock::now() - start < kGiveUpAfter) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection.get())) {
            const bool mapped = watch.Take(*event);
            std::free(event);
            if (mapped) {
                const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
                std::printf("%.1f\n", elapsed.count());
                std::fflush(stdout);
                End(child);
                return 0;
            }
        }
        if (Exited(child) || xcb_connection_has_error(connection.get())) {
            std::fputs("bench_map_probe: the program ended before its window was mapped\n", stderr);
            return 1;
        }
        poll(&display, 1, 100);
    }
    std::fputs("bench_map_probe: no window of that size was mapped in time\n", stderr);
    End(child);
    return 1;
}
