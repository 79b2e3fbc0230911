#include "skin/IniFile.h"

#include "platform/Profile.h"

namespace {
constexpr std::size_t kKeyListSize = 16384;
}

CIniFile::CIniFile(std::string path) : m_path(std::move(path)) {}

std::string CIniFile::GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    return Profile::ReadString(m_path, section, key, defaultValue);
}

bool CIniFile::GetKeyNames(const std::string& section, std::vector<std::string>& names) const {
    names = Profile::ReadKeyNames(m_path, section, kKeyListSize);
    return !names.empty();
}
