#pragma once

#include <cstdint>
#include <filesystem>
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

} // namespace tipin::test
