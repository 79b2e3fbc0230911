#include "platform/Profile.h"

#include "platform/Ascii.h"
#include "platform/ProfileReader.h"

#include <algorithm>

namespace {

std::string Unquote(std::string value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    if (quoted) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string CutToLimit(std::string value) {
    if (value.size() > Profile::kMaxProfileValue) {
        value.resize(Profile::kMaxProfileValue);
    }
    return value;
}

} // namespace

namespace Profile {

std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
    ProfileReader reader(path, section);
    std::string name;
    std::string value;
    while (reader.NextKey(name, value)) {
        if (EqualsIgnoreCase(name, key)) {
            return CutToLimit(Unquote(value));
        }
    }
    return CutToLimit(defaultValue);
}

std::vector<std::string> ReadKeyNames(const std::string& path, const std::string& section,
                                      std::size_t bufferSize) {
    // As if the names were copied into a buffer of bufferSize characters, each ended by a
    // zero and the list by one more; what does not fit is cut.
    std::size_t room = bufferSize < 2 ? 0 : bufferSize - 2;
    ProfileReader reader(path, section);
    std::vector<std::string> names;
    std::string name;
    std::string value;
    while (room > 0 && reader.NextKey(name, value)) {
        if (name.empty()) {
            continue;
        }
        const std::size_t kept = std::min(name.size(), room);
        names.push_back(name.substr(0, kept));
        room -= kept;
        room -= room > 0 ? 1 : 0;
    }
    return names;
}

} // namespace Profile
