#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The key names of a section as if they were copied into a buffer of a given number of
// characters, each ended by a zero and the list by one more: what does not fit is cut.
class KeyNameBuffer {
public:
    explicit KeyNameBuffer(std::size_t bufferSize);

    bool HasRoom() const { return m_room > 0; }
    // Keeps as much of `name` as fits; an empty name is skipped.
    void Add(const std::string& name);
    std::vector<std::string> Take() { return std::move(m_names); }

private:
    std::size_t m_room;
    std::vector<std::string> m_names;
};
