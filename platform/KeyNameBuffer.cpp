#include "platform/KeyNameBuffer.h"

#include <algorithm>

KeyNameBuffer::KeyNameBuffer(std::size_t bufferSize)
    : m_room(bufferSize < 2 ? 0 : bufferSize - 2) {}

void KeyNameBuffer::Add(const std::string& name) {
    if (name.empty() || m_room == 0) {
        return;
    }
    const std::size_t kept = std::min(name.size(), m_room);
    m_names.push_back(name.substr(0, kept));
    m_room -= kept;
    m_room -= m_room > 0 ? 1 : 0;
}
