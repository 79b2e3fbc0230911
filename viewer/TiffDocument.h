#pragma once

#include "viewer/TiffResults.h"
#include "viewer/TiffWriteHook.h"

#include <string>

// The TIFF engine: page counts, pictures of pages and page insertion, on libtiff. Every
// operation returns its result with a status instead of throwing or printing.
class TiffDocument {
public:
    static PageCountResult CountPages(const std::string& path);
    // Page `page` (from 1) fitted into `boxWidth` x `boxHeight`, aspect ratio kept.
    static RenderResult RenderPage(const std::string& path, int page, int boxWidth, int boxHeight);
    // The pages of `source` inserted so that the first becomes page `position` of `target`.
    static TiffStatus InsertPages(const std::string& target, int position,
                                  const std::string& source, const TiffWriteHook& hook = {});
    static InfoResult Describe(const std::string& path);
};
