#pragma once

#include "viewer/TiffProgress.h"
#include "viewer/TiffResults.h"
#include "viewer/TiffWriteHook.h"

#include <string>

// The TIFF engine: page counts, pictures of pages and page insertion, on libtiff. Every
// operation returns its result with a status instead of throwing or printing.
class TiffDocument {
public:
    static PageCountResult CountPages(const std::string& path);
    // Page `page` (from 1) fitted into `boxWidth` x `boxHeight`, aspect ratio kept; pages
    // smaller than the box are enlarged to fill it unless `enlarge` is false.
    static RenderResult RenderPage(const std::string& path, int page, int boxWidth, int boxHeight,
                                   bool enlarge = true);
    // The pages of `source` inserted so that the first becomes page `position` of `target`.
    static TiffStatus InsertPages(const std::string& target, int position,
                                  const std::string& source, const TiffWriteHook& hook = {},
                                  const TiffProgress& progress = {});
    static InfoResult Describe(const std::string& path);
};
