#pragma once

#include "viewer/TiffPageRanges.h"
#include "viewer/TiffProgress.h"
#include "viewer/TiffResults.h"
#include "viewer/TiffWriteHook.h"

#include <string>
#include <vector>

// One file of a concatenation and the pages it gives.
struct TiffCatPart {
    std::string file;
    TiffPageRanges pages = TiffPageRanges::All();
};

// The page operations: each builds its result with TiffAssembler, so pages travel as stored,
// and writes it through SafeFileReplacer, so a file is replaced whole or not at all. A
// failure leaves every file as it was; `badRequest` marks a request that named pages or
// files wrongly.
class TiffPageOperations {
public:
    static constexpr const char* kCancelled = "The work was cancelled; no file was changed";

    static TiffStatus Delete(const std::string& target, const TiffPageRanges& pages,
                             const TiffWriteHook& hook = {}, const TiffProgress& progress = {});
    // The pages are taken out and put back, in the order named, so that the first of them
    // becomes page `position` of the result (1 to pages - moved + 1).
    static TiffStatus Move(const std::string& target, const TiffPageRanges& pages, int position,
                           const TiffWriteHook& hook = {}, const TiffProgress& progress = {});
    // Turns the pages clockwise by `degrees` (90, 180 or 270).
    static TiffStatus Rotate(const std::string& target, const TiffPageRanges& pages, int degrees,
                             const TiffWriteHook& hook = {}, const TiffProgress& progress = {});
    // Writes the pages to `out`, a new file or one replaced whole; never `source` itself.
    static TiffStatus Extract(const std::string& source, const TiffPageRanges& pages,
                              const std::string& out, const TiffWriteHook& hook = {},
                              const TiffProgress& progress = {});
    // One file per page in `folder`, named STEM-NNN.tif; nothing is written when any of the
    // names is taken.
    static TiffStatus Split(const std::string& source, const std::string& folder,
                            const TiffWriteHook& hook = {}, const TiffProgress& progress = {});
    static TiffStatus Cat(const std::string& out, const std::vector<TiffCatPart>& parts,
                          const TiffWriteHook& hook = {}, const TiffProgress& progress = {});
    // The name of page `index` (from 0) of a split of `source` with `pages` pages.
    static std::string SplitName(const std::string& source, std::size_t index, std::size_t pages);
};
