#include "skin/Tokens.h"

#include "platform/CRuntime.h"
#include "skin/IniFile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// Tokens pass through a buffer of this many characters, terminator included.
constexpr std::size_t kTokenBuffer = 256;

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void TrimBothEnds(std::string& s) {
    std::size_t begin = 0;
    while (begin < s.size() && IsCSpace(s[begin])) {
        ++begin;
    }
    std::size_t end = s.size();
    while (end > begin && IsCSpace(s[end - 1])) {
        --end;
    }
    s = s.substr(begin, end - begin);
}

bool ClimbsOut(const std::string& relative) {
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t slash = relative.find('/', start);
        const std::size_t end = slash == std::string::npos ? relative.size() : slash;
        if (relative.compare(start, end - start, "..") == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

std::string NextToken(std::string& rest) {
    const std::size_t comma = rest.find(',');
    std::string token = rest.substr(0, comma == std::string::npos ? rest.size() : comma);
    if (token.size() >= kTokenBuffer) {
        token.resize(kTokenBuffer - 1);
    }
    if (comma != std::string::npos) {
        rest.erase(0, comma + 1);
    }
    TrimBothEnds(rest);
    return token;
}

int ReadCoordinate(const std::string& token) {
    return std::clamp(Atoi(token), -kMaxCoordinate, kMaxCoordinate);
}

Rect ReadRect(std::string& rest) {
    Rect r;
    r.left = ReadCoordinate(NextToken(rest));
    r.top = ReadCoordinate(NextToken(rest));
    r.right = ReadCoordinate(NextToken(rest));
    r.bottom = ReadCoordinate(NextToken(rest));
    return r;
}

COLORREF ReadColour(const std::string& token) {
    if (token.empty()) {
        return kNoColour;
    }
    const std::uint32_t v = static_cast<std::uint32_t>(StrToIntEx(token).value_or(0));
    return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
}

bool ReadFlag(const std::string& token) {
    return !token.empty() && token[0] == 'T';
}

bool ReadVertical(const std::string& token) {
    return !token.empty() && token[0] == 'V';
}

bool ReadEnabled(const std::string& token) {
    return token == "TRUE";
}

std::string SkinFolder(const std::string& iniPath) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(iniPath, error);
    if (error) {
        full = std::filesystem::current_path(error) / iniPath;
    }
    std::string folder = full.lexically_normal().parent_path().string();
    while (!folder.empty() && folder.back() == '/') {
        folder.pop_back();
    }
    return folder + '/';
}

std::string SkinFilePath(const std::string& folder, const std::string& token) {
    std::string relative = token;
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    const bool absolute = relative.starts_with('/') || (relative.size() >= 2 && relative[1] == ':');
    if (absolute || ClimbsOut(relative)) {
        return std::string();
    }
    return folder + relative;
}

void ForEachListEntry(const CIniFile& ini, const std::string& section,
                      const std::function<void(int index, std::string value)>& record) {
    std::vector<std::string> keys;
    ini.GetKeyNames(section, keys);
    const int count = static_cast<int>(std::min(keys.size(), kMaxListRecords));
    for (int i = 0; i < count; ++i) {
        std::string value = ini.GetString(section, std::to_string(i + 1), "");
        if (value.empty()) {
            continue;
        }
        if (value.size() > kMaxSkinValue) {
            value.resize(kMaxSkinValue);
        }
        record(i, std::move(value));
    }
}

std::size_t IgnoredListEntries(const CIniFile& ini, const std::string& section) {
    std::vector<std::string> keys;
    ini.GetKeyNames(section, keys);
    return keys.size() - std::min(keys.size(), kMaxListRecords);
}
