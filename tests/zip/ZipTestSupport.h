#pragma once

#include "zip/ZipReader.h"

#include <filesystem>
#include <string>

namespace tipin::test {

// What the program's extraction sequence ended with: 0 success, the cause of a
// CZipException, or 100 + the cause of a CFileException.
inline constexpr int kFileCauseBase = 100;

int ExtractPackage(CZipReader& reader, const std::string& archive, const std::string& folder);
int OpenCause(CZipReader& reader, const std::string& archive);
std::string ReadFile(const std::filesystem::path& path);

} // namespace tipin::test
