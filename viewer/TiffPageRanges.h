#pragma once

#include "viewer/TiffError.h"

#include <cstddef>
#include <string>
#include <vector>

// A request that names pages or positions the file does not have, or is written wrongly; the
// tools report it as a usage error.
class TiffRequestError : public TiffError {
public:
    using TiffError::TiffError;
};

// Pages named the way people write them: "2", "4-7", "9-3" (descending), "z" for the last
// page, also in a run ("5-z"), and comma-separated lists of these. Pages count from 1 and are
// taken in the order written.
class TiffPageRanges {
public:
    // Every page, first to last.
    static TiffPageRanges All();
    // Throws TiffRequestError naming what is wrong.
    static TiffPageRanges Parse(const std::string& text);

    // The pages (from 0) in a file of `pageCount` pages; a page past the end throws
    // TiffRequestError, and so does a list longer than kMaxPages.
    std::vector<std::size_t> Resolve(std::size_t pageCount) const;
    static constexpr std::size_t kMaxPages = 65536;

private:
    static constexpr long kLast = -1;
    struct Run {
        long first;
        long last;
    };

    static long ParsePage(const std::string& text, const std::string& item);
    static std::size_t Page(long page, std::size_t pageCount);

    std::vector<Run> m_runs;
};
