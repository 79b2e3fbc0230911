#pragma once

#include "viewer/TiffMessageLog.h"

#include <memory>
#include <string>
#include <tiffio.h>
#include <vector>

// Decodes every strip or tile of libtiff's current directory, one at a time into one
// bounded buffer, so that damage hidden inside the compressed data refuses the page before
// it is copied. Pages whose codec this libtiff lacks travel unchecked, with a warning.
class TiffDataChecker {
public:
    TiffDataChecker(TIFF* tif, const TiffMessageLog& log);

    // Checks the current directory, page `pageNumber`; throws TiffError naming libtiff's
    // complaint. One checker serves every page of a file, reusing its buffer.
    void Check(int pageNumber, std::vector<std::string>& warnings);

private:
    void CheckTiles();
    void CheckStrips();
    void CheckScanlines();
    std::uint8_t* Buffer(tmsize_t size);
    void Refuse() const;

    TIFF* m_tif;
    const TiffMessageLog& m_log;
    int m_pageNumber = 0;
    std::size_t m_capacity = 0;
    // Not zeroed: libtiff overwrites what it decodes, and untouched pages cost nothing.
    std::unique_ptr<std::uint8_t[]> m_buffer;
};
