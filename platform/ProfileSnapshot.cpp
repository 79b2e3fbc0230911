#include "platform/ProfileSnapshot.h"

#include "platform/Ascii.h"
#include "platform/KeyNameBuffer.h"
#include "platform/Profile.h"
#include "platform/ProfileLine.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

using ProfileLine::kMaxKeptLine;
using ProfileLine::SectionName;
using ProfileLine::Trim;

std::string Lower(std::string_view s) {
    std::string lower(s);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

std::string Unquote(std::string_view value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    if (quoted) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, Profile::kMaxProfileValue));
}

// The whole file, or nothing when it is not a regular file of at most `limit` bytes.
bool ReadWhole(const std::string& path, std::size_t limit, std::string& text, bool& tooLarge) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    struct stat info {};
    const bool regular = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
    tooLarge = regular && static_cast<std::uint64_t>(info.st_size) > limit;
    bool ok = regular && !tooLarge;
    if (ok) {
        // Read as it comes, not into a buffer of the limit: a file may grow after the check.
        text.reserve(static_cast<std::size_t>(info.st_size) + 1);
        char chunk[1 << 16];
        std::size_t got = 0;
        while (text.size() <= limit && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            text.append(chunk, got);
        }
        tooLarge = text.size() > limit;
        ok = !tooLarge;
    }
    std::fclose(file);
    return ok;
}

} // namespace

ProfileSnapshot ProfileSnapshot::FromFile(const std::string& path) {
    std::string text;
    bool tooLarge = false;
    if (!ReadWhole(path, kMaxFileBytes, text, tooLarge)) {
        ProfileSnapshot empty;
        empty.m_tooLarge = tooLarge;
        return empty;
    }
    return FromText(text);
}

ProfileSnapshot ProfileSnapshot::FromText(std::string_view text) {
    ProfileSnapshot snapshot;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t stop = std::min(text.find_first_of("\r\n", pos), text.size());
        snapshot.AddLine(text.substr(pos, std::min(stop - pos, kMaxKeptLine)));
        pos = stop;
        if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
    }
    snapshot.m_current = nullptr;
    return snapshot;
}

void ProfileSnapshot::AddLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.starts_with('[')) {
        m_sections.emplace_back();
        m_current = &m_sections.back();
        m_firstSection.try_emplace(Lower(SectionName(text)), m_sections.size() - 1);
        return;
    }
    if (m_current == nullptr || text.empty() || text.starts_with(';')) {
        return;
    }
    const std::size_t equals = text.find('=');
    const std::string_view key = Trim(text.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trim(text.substr(equals + 1));
    m_current->firstKey.try_emplace(Lower(key), m_current->keys.size());
    m_current->keys.emplace_back(std::string(key), std::string(value));
}

const ProfileSnapshot::Section* ProfileSnapshot::Find(const std::string& section) const {
    const auto found = m_firstSection.find(Lower(section));
    return found == m_firstSection.end() ? nullptr : &m_sections[found->second];
}

std::string ProfileSnapshot::ReadString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) const {
    if (const Section* s = Find(section)) {
        const auto found = s->firstKey.find(Lower(key));
        if (found != s->firstKey.end()) {
            return Unquote(s->keys[found->second].second);
        }
    }
    return defaultValue.substr(0, Profile::kMaxProfileValue);
}

std::vector<std::string> ProfileSnapshot::ReadKeyNames(const std::string& section,
                                                       std::size_t bufferSize) const {
    KeyNameBuffer names(bufferSize);
    const Section* s = Find(section);
    for (std::size_t i = 0; s != nullptr && names.HasRoom() && i < s->keys.size(); ++i) {
        names.Add(s->keys[i].first);
    }
    return names.Take();
}
