#pragma once

#include <string>
#include <vector>

// Walks the chain of pages itself (bounds and loops checked), reads every directory with
// libtiff, and refuses the file when the two disagree or libtiff reports an error, so that the
// engine never accepts what libtiff cannot read.
class TiffValidator {
public:
    // The number of pages; throws TiffError with libtiff's first complaint.
    static int CountPages(const std::string& path, std::vector<std::string>& warnings);

private:
    static int CountWithLibtiff(const std::string& path, std::vector<std::string>& warnings);
};
