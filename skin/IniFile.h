#pragma once

#include "platform/ProfileSnapshot.h"

#include <memory>
#include <string>
#include <vector>

// Read-only view of one INI file, read once into memory when the view is made: every later
// read works on that copy, so reading a whole description is linear in the file's size.
// Copies share the one snapshot.
class CIniFile {
public:
    explicit CIniFile(std::string path);

    const std::string& Path() const { return m_path; }
    // The file was refused for being larger than ProfileSnapshot::kMaxFileBytes; it reads empty.
    bool TooLarge() const { return m_snapshot->TooLarge(); }

    // The value of `key` in `section` (at most 2047 characters), or `defaultValue`.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const;

    // Fills `names` with the section's key names in file order, as far as 16384 characters
    // hold them; true when there is at least one.
    bool GetKeyNames(const std::string& section, std::vector<std::string>& names) const;

private:
    std::string m_path;
    std::shared_ptr<const ProfileSnapshot> m_snapshot;
};
