#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class CZipReader;
class CZipException;

// What extracting one skin package may cost at most. A package is outside input: its central
// directory is checked against these limits before anything is written, and the reader
// refuses an entry whose data inflates past the size the directory declares.
class CPackageLimits {
public:
    static constexpr std::uint64_t kMaxWrittenBytes = 64ULL << 20;
    static constexpr std::size_t kMaxEntries = 4096;
    static constexpr std::size_t kMaxNameBytes = 1024;
    static constexpr std::size_t kMaxFolderLevels = 32;

    // The first limit the open archive's directory crosses, as a reason naming it.
    static std::optional<std::string> Problem(const CZipReader& archive);
    // The reason when a reader failure is itself a crossed limit.
    static std::optional<std::string> ProblemOf(const CZipException& failure);
};
