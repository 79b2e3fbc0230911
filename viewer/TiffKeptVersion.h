#pragma once

#include "viewer/TiffFileIdentity.h"
#include "viewer/TiffWriteHook.h"

#include <cstdint>
#include <string>

// One version of a file, kept as an open descriptor and nothing else. Once the file is
// replaced by a rename, the descriptor is the version's only reference: it has no name, costs
// no copy, and the system frees it when the descriptor closes, even when the process is killed.
class TiffKeptVersion {
public:
    // The file `path` leads to, as it is now; throws TiffError.
    static TiffKeptVersion Open(const std::string& path);
    // The file open as `fd`, through a descriptor of its own; throws TiffError.
    static TiffKeptVersion Duplicate(int fd);
    ~TiffKeptVersion();
    TiffKeptVersion(TiffKeptVersion&& other) noexcept;
    TiffKeptVersion& operator=(TiffKeptVersion&& other) noexcept;
    TiffKeptVersion(const TiffKeptVersion&) = delete;
    TiffKeptVersion& operator=(const TiffKeptVersion&) = delete;

    TiffFileIdentity Identity() const { return TiffFileIdentity::OfDescriptor(m_fd); }
    std::uint64_t Size() const { return Identity().size; }
    // A version that keeps more than `names` names could still be changed through one of
    // them, so it is copied into an anonymous file in `folder`; throws TiffError when that
    // cannot be made.
    void MakePrivate(const std::string& folder, unsigned names);
    // Writes the version's bytes into `fd` from its start; throws TiffError.
    void CopyTo(int fd, const TiffWriteHook& hook = {}) const;

private:
    explicit TiffKeptVersion(int fd) : m_fd(fd) {}

    int m_fd = -1;
};
