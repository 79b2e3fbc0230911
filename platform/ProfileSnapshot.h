#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// An INI file read once into memory and indexed, answering as Profile does (same rules for
// sections, keys, quotes, comments, line ends and cuts) without touching the disk again, so
// reading every key of a file costs time linear in its size.
class ProfileSnapshot {
public:
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    // Empty when the file is missing, not a regular file, unreadable or larger than
    // kMaxFileBytes (then TooLarge() tells so).
    static ProfileSnapshot FromFile(const std::string& path);
    static ProfileSnapshot FromText(std::string_view text);

    bool TooLarge() const { return m_tooLarge; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    std::vector<std::string> ReadKeyNames(const std::string& section, std::size_t bufferSize) const;

private:
    struct Section {
        std::vector<std::pair<std::string, std::string>> keys;
        std::unordered_map<std::string, std::size_t> firstKey;
    };

    void AddLine(std::string_view line);
    const Section* Find(const std::string& section) const;

    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_firstSection;
    Section* m_current = nullptr;
    bool m_tooLarge = false;
};
