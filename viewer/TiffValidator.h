#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TiffSourceFile;

// Walks the chain of pages itself (bounds and loops checked), reads every directory with
// libtiff, and refuses the file when the two disagree or libtiff reports an error, so that the
// engine never accepts what libtiff cannot read.
class TiffValidator {
public:
    // How deep a file is checked: its directories, or their image data too.
    enum class Depth { Directories, ImageData };

    // The number of pages; throws TiffError with libtiff's first complaint.
    static int CountPages(const std::string& path, std::vector<std::string>& warnings);
    // The offsets of the pages' directories, after checking `file` to `depth`.
    static std::vector<std::uint64_t> CheckedPages(const TiffSourceFile& file, Depth depth,
                                                   std::vector<std::string>& warnings);

private:
    static int CountWithLibtiff(const std::string& path, Depth depth,
                                std::vector<std::string>& warnings);
};
