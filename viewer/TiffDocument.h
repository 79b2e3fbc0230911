#pragma once

#include "viewer/TiffPageOperations.h"
#include "viewer/TiffProgress.h"
#include "viewer/TiffResults.h"
#include "viewer/TiffWriteHook.h"

#include <string>

// The TIFF engine: page counts, pictures of pages and the page operations, on libtiff. Every
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

    // The page operations beyond insertion; see TiffPageOperations.
    static TiffStatus DeletePages(const std::string& target, const TiffPageRanges& pages,
                                  const TiffWriteHook& hook = {},
                                  const TiffProgress& progress = {}) {
        return TiffPageOperations::Delete(target, pages, hook, progress);
    }
    static TiffStatus MovePages(const std::string& target, const TiffPageRanges& pages,
                                int position, const TiffWriteHook& hook = {},
                                const TiffProgress& progress = {}) {
        return TiffPageOperations::Move(target, pages, position, hook, progress);
    }
    static TiffStatus RotatePages(const std::string& target, const TiffPageRanges& pages,
                                  int degrees, const TiffWriteHook& hook = {},
                                  const TiffProgress& progress = {}) {
        return TiffPageOperations::Rotate(target, pages, degrees, hook, progress);
    }
    static TiffStatus ExtractPages(const std::string& source, const TiffPageRanges& pages,
                                   const std::string& out, const TiffWriteHook& hook = {},
                                   const TiffProgress& progress = {}) {
        return TiffPageOperations::Extract(source, pages, out, hook, progress);
    }
    static TiffStatus SplitPages(const std::string& source, const std::string& folder,
                                 const TiffWriteHook& hook = {},
                                 const TiffProgress& progress = {}) {
        return TiffPageOperations::Split(source, folder, hook, progress);
    }
    static TiffStatus CatPages(const std::string& out, const std::vector<TiffCatPart>& parts,
                               const TiffWriteHook& hook = {}, const TiffProgress& progress = {}) {
        return TiffPageOperations::Cat(out, parts, hook, progress);
    }
};
