// Real `tipin-pages insert`, `delete` and `rotate` runs killed with SIGKILL at many moments:
// the target's folder must then hold the target alone, unchanged or complete.
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifndef TIPIN_PAGES_TOOL
#error "TIPIN_PAGES_TOOL is the path of the built tipin-pages"
#endif

extern char** environ;

namespace fs = std::filesystem;
using namespace tipin::test;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kTargetPages = 1000;

// A command that rewrites the target, and its arguments after the target's path.
struct Command {
    std::string name;
    std::vector<std::string> rest;
};

pid_t StartTool(const Command& command, const fs::path& target, const fs::path& source) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> arguments = {TIPIN_PAGES_TOOL, command.name, target.string()};
    for (const std::string& argument : command.rest) {
        arguments.push_back(argument == "SOURCE" ? source.string() : argument);
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// The bytes the process has written so far (its `wchar`), or -1 when that cannot be read.
std::int64_t Written(pid_t pid) {
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value) {
        if (key == "wchar:") {
            return value;
        }
    }
    return -1;
}

bool TakesAnonymousFiles(const fs::path& folder) {
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
#endif
    (void)folder;
    return false;
}

// When to kill: once the process has written `bytes` (then at once), or after `delay`.
struct Moment {
    std::string name;
    std::int64_t bytes = -1;
    Clock::duration delay{};
};

struct Ending {
    bool killed = false;       // the process was still running when the kill came
    std::int64_t written = -1; // its wchar just before the kill
};

class InterruptedInsertTest : public ::testing::TestWithParam<Command> {
protected:
    void SetUp() override {
        if (!TakesAnonymousFiles(work)) {
            GTEST_SKIP() << "the file system of " << work
                         << " refuses O_TMPFILE; the named fallback may leave a file by design";
        }
        // 1000 pages of 96x96 grey: about 9 MiB, written in 1 MiB blocks.
        std::vector<TestPage> pages;
        for (int i = 0; i < kTargetPages; ++i) {
            pages.push_back(TestPage{.width = 96, .height = 96, .seed = std::uint32_t(i)});
        }
        WriteTiff(inputs / "original.tif", pages);
        WriteTiff(source, {TestPage{.width = 20}, TestPage{.width = 21, .compression = 8}});
        original = ReadBytes(inputs / "original.tif");
        // The complete result, from a run left alone.
        WriteBytes(inputs / "complete.tif", original);
        const auto start = Clock::now();
        const pid_t pid = StartTool(GetParam(), inputs / "complete.tif", source);
        ASSERT_GT(pid, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        duration = Clock::now() - start;
        complete = ReadBytes(inputs / "complete.tif");
        ASSERT_NE(complete, original);
        ASSERT_GT(LibtiffPageCount(inputs / "complete.tif"), 0);
    }

    Ending RunAndKill(const Moment& moment) {
        WriteBytes(target, original);
        const auto start = Clock::now();
        const pid_t pid = StartTool(GetParam(), target, source);
        EXPECT_GT(pid, 0);
        if (pid <= 0) {
            return {};
        }
        Ending ending;
        int status = 0;
        for (;;) {
            const std::int64_t written = Written(pid);
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                return ending; // finished before the moment came
            }
            ending.written = written;
            if (moment.bytes >= 0 ? written >= moment.bytes
                                  : Clock::now() - start >= moment.delay) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        ::kill(pid, SIGKILL);
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        ending.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        return ending;
    }

    TempDir dir;
    fs::path inputs = [this] {
        fs::create_directories(dir.path() / "inputs");
        return dir.path() / "inputs";
    }();
    fs::path work = [this] {
        fs::create_directories(dir.path() / "work");
        return dir.path() / "work";
    }();
    fs::path source = inputs / "source.tif";
    fs::path target = work / "target.tif";
    std::string original;
    std::string complete;
    Clock::duration duration{};
};

TEST_P(InterruptedInsertTest, AKilledRunLeavesTheTargetAloneUnchangedOrComplete) {
    std::vector<Moment> moments;
    const auto size = static_cast<std::int64_t>(complete.size());
    moments.push_back({"at once", -1, Clock::duration::zero()});
    moments.push_back({"first byte written", 1, {}});
    for (const int percent : {10, 25, 40, 55, 70, 85, 95}) {
        moments.push_back({std::to_string(percent) + "% written", size * percent / 100, {}});
    }
    moments.push_back({"everything written", size, {}});
    for (const int percent : {10, 25, 40, 55, 70, 85, 100, 125, 200}) {
        moments.push_back(
            {std::to_string(percent) + "% of a whole run's time", -1, duration * percent / 100});
    }
    int killedWhileWriting = 0;
    int unchanged = 0;
    int completed = 0;
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        const Ending ending = RunAndKill(moment);
        killedWhileWriting += ending.killed && ending.written > 0 ? 1 : 0;
        EXPECT_EQ(EntryNames(work), std::vector<std::string>{"target.tif"});
        const std::string now = ReadBytes(target);
        const bool isOriginal = now == original;
        const bool isComplete = now == complete;
        EXPECT_TRUE(isOriginal || isComplete) << now.size() << " bytes";
        unchanged += isOriginal ? 1 : 0;
        completed += isComplete ? 1 : 0;
        for (const auto& item : fs::directory_iterator(work)) {
            if (item.path() != target) {
                fs::remove(item.path());
            }
        }
    }
    // The moments must really fall inside the writing, not only before or after it.
    EXPECT_GE(killedWhileWriting, 3);
    EXPECT_GE(unchanged, 1);
    RecordProperty("killed_while_writing", killedWhileWriting);
    RecordProperty("unchanged", unchanged);
    RecordProperty("complete", completed);
    std::cout << "[   INFO   ] " << moments.size() << " moments, " << killedWhileWriting
              << " killed while writing, " << unchanged << " unchanged, " << completed
              << " complete, a whole run takes "
              << std::chrono::duration_cast<std::chrono::milliseconds>(duration).count() << " ms\n";
}

// Insert and delete in the target's middle: every page after it moves; rotate re-encodes a
// page there.
INSTANTIATE_TEST_SUITE_P(Commands, InterruptedInsertTest,
                         ::testing::Values(Command{"insert", {"500", "SOURCE"}},
                                           Command{"delete", {"300-700"}},
                                           Command{"rotate", {"500", "90"}}),
                         [](const auto& info) { return info.param.name; });

} // namespace
