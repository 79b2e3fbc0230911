#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TiffSourceFile;

// Walks the chain of pages itself (bounds, loops and each page's layout checked) and has
// libtiff read every directory as well, refusing the file when the two disagree or libtiff
// reports an error, so that the engine never accepts what libtiff cannot read. Image data is
// not decoded here: pages are copied byte for byte, so it travels exactly as it was.
class TiffValidator {
public:
    // The number of pages after both checks; throws TiffError with the first complaint.
    static int CountPages(const std::string& path, std::vector<std::string>& warnings);
    // The offsets of the pages' directories, found by our own walk alone.
    static std::vector<std::uint64_t> WalkPages(const TiffSourceFile& file);
    // The same offsets with only the chain checked, for callers that check each page they use.
    static std::vector<std::uint64_t> WalkChain(const TiffSourceFile& file);
    // Has libtiff read every directory of `path`; throws TiffError unless it reads exactly
    // `pages` of them without an error.
    static void CheckWithLibtiff(const std::string& path, std::size_t pages,
                                 std::vector<std::string>& warnings);
    // Has libtiff read the directories at `offsets` of `path`; throws TiffError on its first
    // error.
    static void ReadPagesWithLibtiff(const std::string& path,
                                     const std::vector<std::uint64_t>& offsets,
                                     std::vector<std::string>& warnings);
};
