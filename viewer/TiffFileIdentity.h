#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What tells one version of a file from another without reading it: a file changed in place
// changes its size or modification time, a file replaced changes its inode.
struct TiffFileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // The file `path` leads to, following symbolic links; empty when there is none.
    static std::optional<TiffFileIdentity> OfPath(const std::string& path);
    static TiffFileIdentity OfDescriptor(int fd);

    bool operator==(const TiffFileIdentity&) const = default;
};
