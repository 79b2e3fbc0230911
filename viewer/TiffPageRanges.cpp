#include "viewer/TiffPageRanges.h"

#include <charconv>

namespace {

// Far beyond any page count, small enough never to overflow.
constexpr long kMaxPageNumber = 99999999;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

TiffPageRanges TiffPageRanges::All() {
    TiffPageRanges all;
    all.m_runs.push_back({1, kLast});
    return all;
}

long TiffPageRanges::ParsePage(const std::string& text, const std::string& item) {
    if (text == "z") {
        return kLast;
    }
    long page = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    if (text.empty() || text[0] < '0' || text[0] > '9' || error == std::errc::invalid_argument ||
        end != text.data() + text.size()) {
        throw TiffRequestError("not a page or a run of pages: " + Quoted(item));
    }
    if (error == std::errc::result_out_of_range || page > kMaxPageNumber) {
        throw TiffRequestError("no file has page " + text);
    }
    if (page == 0) {
        throw TiffRequestError("there is no page 0: pages count from 1");
    }
    return page;
}

TiffPageRanges TiffPageRanges::Parse(const std::string& text) {
    if (text.empty()) {
        throw TiffRequestError("no pages given");
    }
    TiffPageRanges ranges;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        if (item.empty()) {
            throw TiffRequestError("an empty item in the page list " + Quoted(text));
        }
        const std::size_t dash = item.find('-');
        if (dash == std::string::npos) {
            const long page = ParsePage(item, item);
            ranges.m_runs.push_back({page, page});
        } else {
            ranges.m_runs.push_back(
                {ParsePage(item.substr(0, dash), item), ParsePage(item.substr(dash + 1), item)});
        }
        if (comma == std::string::npos) {
            return ranges;
        }
        start = comma + 1;
    }
}

std::size_t TiffPageRanges::Page(long page, std::size_t pageCount) {
    if (page == kLast) {
        return pageCount - 1;
    }
    if (static_cast<std::size_t>(page) > pageCount) {
        throw TiffRequestError("page " + std::to_string(page) + " is past the end: the file has " +
                               std::to_string(pageCount) + " pages");
    }
    return static_cast<std::size_t>(page - 1);
}

std::vector<std::size_t> TiffPageRanges::Resolve(std::size_t pageCount) const {
    if (pageCount == 0) {
        throw TiffRequestError("the file has no pages");
    }
    std::vector<std::size_t> pages;
    for (const Run& run : m_runs) {
        const std::size_t first = Page(run.first, pageCount);
        const std::size_t last = Page(run.last, pageCount);
        const std::size_t length = (first <= last ? last - first : first - last) + 1;
        if (pages.size() + length > kMaxPages) {
            throw TiffRequestError("the list names more than " + std::to_string(kMaxPages) +
                                   " pages");
        }
        for (std::size_t i = 0; i < length; ++i) {
            pages.push_back(first <= last ? first + i : first - i);
        }
    }
    return pages;
}
