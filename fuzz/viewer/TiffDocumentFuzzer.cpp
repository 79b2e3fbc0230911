#include "viewer/TiffDocument.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

// Drives count, render, insert (the fuzzed file as source and as target), the page-list
// grammar and turning a page from one input.
namespace {

// A valid two-page target, written by the engine itself from a one-page file.
const char kTinyTiff[] = "II*\0\x08\0\0\0\x08\0"
                         "\x00\x01\x03\0\x01\0\0\0\x02\0\0\0"
                         "\x01\x01\x03\0\x01\0\0\0\x02\0\0\0"
                         "\x02\x01\x03\0\x01\0\0\0\x08\0\0\0"
                         "\x03\x01\x03\0\x01\0\0\0\x01\0\0\0"
                         "\x06\x01\x03\0\x01\0\0\0\x01\0\0\0"
                         "\x11\x01\x04\0\x01\0\0\0\x6E\0\0\0"
                         "\x16\x01\x03\0\x01\0\0\0\x02\0\0\0"
                         "\x17\x01\x04\0\x01\0\0\0\x04\0\0\0"
                         "\0\0\0\0"
                         "\x10\x80\xC0\xFF";

// Larger pages only repeat the same decoding loops more often, at a fraction of the speed.
constexpr std::uint64_t kMaxRenderedArea = 1u << 16;

std::string Folder() {
    static const std::string folder = [] {
        // tmpfs: the engine syncs every result to disk, which a disk folder makes slow.
        char pattern[] = "/dev/shm/tipin-fuzz-XXXXXX";
        return std::string(::mkdtemp(pattern));
    }();
    return folder;
}

void Write(const std::string& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fuzzed = Folder() + "/fuzzed.tif";
    const std::string target = Folder() + "/target.tif";
    Write(fuzzed, data, size);
    Write(target, kTinyTiff, sizeof kTinyTiff - 1);
    TiffDocument::CountPages(fuzzed);
    // Rendering time grows with the page's area by design; huge claimed sizes only slow the run.
    const InfoResult info = TiffDocument::Describe(fuzzed);
    for (std::size_t page = 0; page < info.pages.size() && page < 4; ++page) {
        if (std::uint64_t(info.pages[page].width) * info.pages[page].height <= kMaxRenderedArea) {
            TiffDocument::RenderPage(fuzzed, static_cast<int>(page + 1), 24, 24);
        }
    }
    TiffDocument::InsertPages(target, 1, fuzzed);
    TiffDocument::InsertPages(fuzzed, 1, target);
    try {
        const std::string list(reinterpret_cast<const char*>(data),
                               std::min<std::size_t>(size, 24));
        TiffPageRanges::Parse(list).Resolve(info.pages.size() + 1);
    } catch (const TiffRequestError&) {
    }
    if (!info.pages.empty() &&
        std::uint64_t(info.pages[0].width) * info.pages[0].height <= kMaxRenderedArea) {
        TiffDocument::RotatePages(fuzzed, TiffPageRanges::Parse("1"), 90);
    }
    return 0;
}
