#include "platform/Profile.h"

#include "platform/Ascii.h"
#include "platform/KeyNameBuffer.h"
#include "platform/ProfileReader.h"

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
    KeyNameBuffer names(bufferSize);
    ProfileReader reader(path, section);
    std::string name;
    std::string value;
    while (names.HasRoom() && reader.NextKey(name, value)) {
        names.Add(name);
    }
    return names.Take();
}

} // namespace Profile
