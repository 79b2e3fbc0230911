#pragma once

#include <cstdint>
#include <memory>
#include <string>

// An owned byte block with a 32-bit length; a length of 0 holds no block.
class CZipByteBuffer {
public:
    CZipByteBuffer() = default;
    CZipByteBuffer(const CZipByteBuffer& other);
    CZipByteBuffer& operator=(const CZipByteBuffer& other);
    CZipByteBuffer(CZipByteBuffer&&) noexcept = default;
    CZipByteBuffer& operator=(CZipByteBuffer&&) noexcept = default;

    // Releases the old block first; the new one is uninitialised.
    void Allocate(std::uint32_t size);
    void Release();
    void Assign(const std::string& bytes);

    std::uint32_t GetSize() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }
    unsigned char* GetData() { return m_data.get(); }
    const unsigned char* GetData() const { return m_data.get(); }
    std::string ToString() const;

private:
    std::unique_ptr<unsigned char[]> m_data;
    std::uint32_t m_size = 0;
};
