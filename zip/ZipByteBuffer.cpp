#include "zip/ZipByteBuffer.h"

#include <algorithm>

CZipByteBuffer::CZipByteBuffer(const CZipByteBuffer& other) {
    *this = other;
}

CZipByteBuffer& CZipByteBuffer::operator=(const CZipByteBuffer& other) {
    if (this != &other) {
        Allocate(other.m_size);
        std::copy_n(other.m_data.get(), other.m_size, m_data.get());
    }
    return *this;
}

void CZipByteBuffer::Allocate(std::uint32_t size) {
    Release();
    if (size != 0) {
        m_data = std::make_unique_for_overwrite<unsigned char[]>(size);
        m_size = size;
    }
}

void CZipByteBuffer::Release() {
    m_data.reset();
    m_size = 0;
}

void CZipByteBuffer::Assign(const std::string& bytes) {
    Allocate(static_cast<std::uint32_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), m_data.get());
}

std::string CZipByteBuffer::ToString() const {
    return m_size == 0 ? std::string()
                       : std::string(reinterpret_cast<const char*>(m_data.get()), m_size);
}
