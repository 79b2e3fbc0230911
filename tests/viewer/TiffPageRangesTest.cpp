#include "viewer/TiffPageRanges.h"

#include <gtest/gtest.h>

namespace {

struct RangeCase {
    std::string text;
    std::size_t pageCount;
    std::vector<std::size_t> pages; // from 1; empty when `error` is expected
    std::string error;
};

std::vector<std::size_t> Resolve(const RangeCase& c) {
    std::vector<std::size_t> pages = TiffPageRanges::Parse(c.text).Resolve(c.pageCount);
    for (std::size_t& page : pages) {
        ++page;
    }
    return pages;
}

TEST(TiffPageRanges, ReadsTheSyntaxAndNamesEveryMistake) {
    const std::vector<RangeCase> cases = {
        {"3", 5, {3}, ""},
        {"1,3,2", 5, {1, 3, 2}, ""},
        {"2-4", 5, {2, 3, 4}, ""},
        {"4-2", 5, {4, 3, 2}, ""},
        {"z", 5, {5}, ""},
        {"4-z", 6, {4, 5, 6}, ""},
        {"z-4", 6, {6, 5, 4}, ""},
        {"z-z,1-1", 2, {2, 1}, ""},
        {"2,2", 3, {2, 2}, ""},
        {"007", 9, {7}, ""},
        {"", 5, {}, "no pages given"},
        {"1,,2", 5, {}, "an empty item in the page list \"1,,2\""},
        {"1,", 5, {}, "an empty item in the page list \"1,\""},
        {",1", 5, {}, "an empty item in the page list \",1\""},
        {"0", 5, {}, "there is no page 0: pages count from 1"},
        {"0-2", 5, {}, "there is no page 0: pages count from 1"},
        {"6", 5, {}, "page 6 is past the end: the file has 5 pages"},
        {"2-9", 5, {}, "page 9 is past the end: the file has 5 pages"},
        {"-3", 5, {}, "not a page or a run of pages: \"-3\""},
        {"3-", 5, {}, "not a page or a run of pages: \"3-\""},
        {"1-2-3", 5, {}, "not a page or a run of pages: \"1-2-3\""},
        {"+2", 5, {}, "not a page or a run of pages: \"+2\""},
        {" 2", 5, {}, "not a page or a run of pages: \" 2\""},
        {"Z", 5, {}, "not a page or a run of pages: \"Z\""},
        {"2x", 5, {}, "not a page or a run of pages: \"2x\""},
        {"99999999999999999999", 5, {}, "no file has page 99999999999999999999"},
        {"1-z,1-z", 40000, {}, "the list names more than 65536 pages"},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\" of " + std::to_string(c.pageCount) + " pages");
        try {
            EXPECT_EQ(Resolve(c), c.pages);
            EXPECT_TRUE(c.error.empty());
        } catch (const TiffRequestError& error) {
            EXPECT_EQ(error.what(), c.error);
        }
    }
}

TEST(TiffPageRanges, AllIsEveryPageInOrder) {
    EXPECT_EQ(TiffPageRanges::All().Resolve(3), (std::vector<std::size_t>{0, 1, 2}));
}

} // namespace
