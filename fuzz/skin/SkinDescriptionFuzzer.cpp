// Feeds arbitrary bytes to the INI reader (as a whole skin description) and to the token
// functions (as one value), and checks that the in-memory reading of an INI file answers as
// reading the file does.
#include "platform/CRuntime.h"
#include "platform/Profile.h"
#include "platform/ProfileSnapshot.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/Tokens.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// Section and key names taken from the input itself, so that they do occur in it.
void CompareWithTheFile(const std::string& text) {
    const ProfileSnapshot snapshot = ProfileSnapshot::FromText(text);
    std::string rest = text.substr(0, 64);
    const std::string section = NextToken(rest);
    const std::string key = NextToken(rest);
    if (snapshot.ReadString(section, key, "-") !=
            Profile::ReadString(ScratchFile(), section, key, "-") ||
        snapshot.ReadKeyNames(section, 64) != Profile::ReadKeyNames(ScratchFile(), section, 64)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteScratch(data, size);
    const SkinDescription description = SkinDescriptionReader(ScratchFile()).ReadAll();
    (void)description;
    const std::string text(reinterpret_cast<const char*>(data), size);
    SplitValue(text);
    if (size <= ProfileSnapshot::kMaxFileBytes) {
        CompareWithTheFile(text);
    }
    return 0;
}
