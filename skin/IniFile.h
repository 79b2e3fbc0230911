#pragma once

#include <string>
#include <vector>

// Read-only view of one INI file. Holds only the path: every read opens the file anew, so a
// reader can be copied freely and never goes stale.
class CIniFile {
public:
    explicit CIniFile(std::string path);

    const std::string& Path() const { return m_path; }

    // The value of `key` in `section` (at most 2047 characters), or `defaultValue`.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const;

    // Fills `names` with the section's key names in file order, as far as 16384 characters
    // hold them; true when there is at least one.
    bool GetKeyNames(const std::string& section, std::vector<std::string>& names) const;

private:
    std::string m_path;
};
