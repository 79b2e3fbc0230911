#pragma once

#include <string>

// Writes a new version of a file beside it and puts it in place only when it is complete:
// a temporary file in the same folder, flushed to disk, then renamed over the original with
// the original's permission bits. Until Commit succeeds the original is untouched, and a
// replacer that is destroyed without Commit removes its temporary file.
class SafeFileReplacer {
public:
    explicit SafeFileReplacer(const std::string& target);
    ~SafeFileReplacer();
    SafeFileReplacer(const SafeFileReplacer&) = delete;
    SafeFileReplacer& operator=(const SafeFileReplacer&) = delete;

    int Descriptor() const { return m_fd; }
    const std::string& TemporaryPath() const { return m_temporary; }
    // Empties the temporary file for a fresh start.
    void Truncate();
    void Commit();

private:
    void Discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_committed = false;
};
