// Opens the input as an archive and extracts every entry into a scratch folder, as the
// program does with a skin package.
#include "platform/FileException.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tipin-fuzz-zip-" + std::to_string(getpid()));
    return folder;
}

void ExtractAll(const std::string& archive, const std::string& target) {
    CZipReader reader;
    try {
        reader.Open(archive, 0, 0);
        for (unsigned i = 0; i < reader.GetEntryCount(); ++i) {
            reader.ExtractEntry(static_cast<std::uint16_t>(i), target, true, nullptr, nullptr,
                                nullptr, 65535);
        }
    } catch (const CZipException&) {
    } catch (const CFileException&) {
    }
    try {
        reader.Close(true);
    } catch (const CFileException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& scratch = ScratchFolder();
    const std::filesystem::path archive = scratch / "input.zip";
    const std::filesystem::path target = scratch / "out";
    std::filesystem::create_directories(target);
    {
        std::ofstream out(archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ExtractAll(archive.string(), target.string());
    std::error_code ignored;
    std::filesystem::remove_all(target, ignored);
    return 0;
}
