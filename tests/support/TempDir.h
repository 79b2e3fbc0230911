#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tipin::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Writes `content` to `name` inside the folder and returns the file's path.
    std::filesystem::path write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path m_path;
};

// The names of the entries of `folder`, sorted.
std::vector<std::string> EntryNames(const std::filesystem::path& folder);

} // namespace tipin::test
