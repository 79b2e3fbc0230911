#include "skin/IniFile.h"

namespace {
constexpr std::size_t kKeyListSize = 16384;
}

CIniFile::CIniFile(std::string path)
    : m_path(std::move(path)),
      m_snapshot(std::make_shared<const ProfileSnapshot>(ProfileSnapshot::FromFile(m_path))) {}

std::string CIniFile::GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    return m_snapshot->ReadString(section, key, defaultValue);
}

bool CIniFile::GetKeyNames(const std::string& section, std::vector<std::string>& names) const {
    names = m_snapshot->ReadKeyNames(section, kKeyListSize);
    return !names.empty();
}
