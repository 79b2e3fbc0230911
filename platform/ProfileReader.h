#pragma once

#include <cstdio>
#include <string>

// Walks the key lines of one section of an INI file, streaming: memory stays bounded
// however long the file or its lines are.
class ProfileReader {
public:
    ProfileReader(const std::string& path, const std::string& section);
    ~ProfileReader();
    ProfileReader(const ProfileReader&) = delete;
    ProfileReader& operator=(const ProfileReader&) = delete;

    // The next key line of the first section named `section`; false at its end.
    bool NextKey(std::string& key, std::string& value);

private:
    bool NextLine(std::string& line);
    void SkipLineEnd();
    bool FillBuffer();
    bool FindSection();

    std::FILE* m_file = nullptr;
    std::string m_section;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_firstLine = true;
    bool m_inSection = false;
    bool m_done = false;
};
