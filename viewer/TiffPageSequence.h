#pragma once

#include "viewer/TiffMessageLog.h"
#include "viewer/TiffResults.h"

#include <string>

// Renders pages of one file one after another through one open handle: the file is checked
// once, when it is opened, instead of once for every page, which for page pictures of a long
// file is most of the work.
class TiffPageSequence {
public:
    explicit TiffPageSequence(const std::string& path);
    ~TiffPageSequence();
    TiffPageSequence(const TiffPageSequence&) = delete;
    TiffPageSequence& operator=(const TiffPageSequence&) = delete;

    // As TiffPageRenderer::Render; a file that could not be opened gives its reason each time.
    RenderResult Render(int page, int boxWidth, int boxHeight, bool enlarge);

private:
    TiffMessageLog m_log;
    tiff* m_tif = nullptr;
    int m_pages = 0;
    std::string m_failure;
};
