// Feeds arbitrary bytes to the INI reader (as a whole skin description) and to the token
// functions (as one value).
#include "platform/CRuntime.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/Tokens.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string& ScratchFile() {
    static const std::string path = "/tmp/tipin-fuzz-skin-" + std::to_string(getpid()) + ".ini";
    return path;
}

void WriteScratch(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

void SplitValue(std::string rest) {
    for (int i = 0; i < 24; ++i) {
        const std::string token = NextToken(rest);
        (void)ReadColour(token);
        (void)Atoi(token);
        (void)StrToIntEx(token);
        (void)ReadFlag(token);
        (void)SkinFilePath("/skin/", token);
    }
    (void)ReadRect(rest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteScratch(data, size);
    const SkinDescription description = SkinDescriptionReader(ScratchFile()).ReadAll();
    (void)description;
    SplitValue(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
