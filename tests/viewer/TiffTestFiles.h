#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tipin::test {

// One page for WriteTiff: its pixels follow a pattern that differs with `seed`.
struct TestPage {
    std::uint32_t width = 16;
    std::uint32_t height = 12;
    std::uint16_t samples = 1;
    std::uint16_t bits = 8;
    std::uint16_t compression = 1;
    std::uint32_t tileSize = 0; // 0: strips
    std::uint32_t rowsPerStrip = 4;
    std::uint16_t orientation = 1;
    std::uint32_t seed = 0;
    bool pageNumber = false;
};

struct TestFileFormat {
    bool bigEndian = false;
    bool bigTiff = false;
};

void WriteTiff(const std::filesystem::path& path, const std::vector<TestPage>& pages,
               TestFileFormat format = {});
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Independent readings through libtiff, for comparing results with their originals.
int LibtiffPageCount(const std::filesystem::path& path);
std::uint32_t PageWidth(const std::filesystem::path& path, int pageIndex);
// The page decoded to RGBA, top-left first; `ok` is false when libtiff failed part way.
std::vector<std::uint32_t> DecodeRgba(const std::filesystem::path& path, int pageIndex,
                                      bool* ok = nullptr);
// The page's strips or tiles as stored.
std::vector<std::string> RawStriles(const std::filesystem::path& path, int pageIndex);
// The page's strips or tiles decoded, samples in host byte order.
std::vector<std::string> DecodedStriles(const std::filesystem::path& path, int pageIndex);
std::uint16_t PageCompression(const std::filesystem::path& path, int pageIndex);
bool FileIsBigEndian(const std::filesystem::path& path);
bool FileIsBigTiff(const std::filesystem::path& path);
std::vector<std::filesystem::path> FilesUnder(const std::filesystem::path& folder);

// A page decoded to RGBA as stored, its Orientation not applied, top row first.
struct Raster {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint32_t> pixels;
    bool ok = false;
};
Raster StoredRaster(const std::filesystem::path& path, int pageIndex);

// One directory entry read straight from the file, values in host byte order.
struct TagValue {
    std::uint16_t type = 0;
    std::uint64_t count = 0;
    std::string bytes;
};
std::map<std::uint16_t, TagValue> PageTags(const std::filesystem::path& path, int pageIndex);

// The result's page must be the original's: same pixels, same stored data (decoded when the
// byte orders differ), as the page copier promises.
void ExpectSamePage(const std::filesystem::path& original, int originalIndex,
                    const std::filesystem::path& result, int resultIndex);
// Every tag of the original page is in the result with the same value, and no other tag is,
// except `changed` and the offsets, byte counts, page numbers and directory pointers that a
// copy rewrites (those must be there with the same count).
void ExpectSameTags(const std::filesystem::path& original, int originalIndex,
                    const std::filesystem::path& result, int resultIndex,
                    const std::set<std::uint16_t>& changed = {});

// A write hook that fails, as a full disk does, once `limit` bytes would be passed.
inline auto FullDiskAfter(std::uint64_t limit) {
    return [limit](std::uint64_t written, std::size_t size) { return written + size <= limit; };
}

} // namespace tipin::test
