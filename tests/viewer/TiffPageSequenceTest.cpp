#include "viewer/TiffPageSequence.h"

#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffPageRenderer.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

TEST(TiffPageSequenceTest, PagesInAnyOrderMatchThePageRendererAndFailuresSayWhy) {
    const TempDir dir;
    const fs::path file = dir.path() / "four.tif";
    WriteTiff(file, {TestPage{.width = 40, .height = 20, .seed = 1},
                     TestPage{.width = 20, .height = 40, .compression = 5, .seed = 2},
                     TestPage{.width = 33, .height = 17, .compression = 32773, .seed = 3},
                     TestPage{.width = 8, .height = 8, .compression = 8, .seed = 4}});
    TiffPageSequence pages(file.string());
    for (const int page : {3, 1, 4, 2, 3}) {
        const RenderResult seen = pages.Render(page, 24, 24, true);
        const RenderResult alone = TiffPageRenderer::Render(file.string(), page, 24, 24, true);
        ASSERT_TRUE(seen.status.ok) << seen.status.message;
        EXPECT_EQ(seen.image.pixels, alone.image.pixels) << page;
        EXPECT_EQ(seen.image.width, alone.image.width) << page;
    }
    EXPECT_FALSE(pages.Render(5, 24, 24, true).status.ok);
    EXPECT_FALSE(pages.Render(1, 0, 24, true).status.ok);
    const fs::path text = dir.write("text.tif", "no picture here");
    const RenderResult failed = TiffPageSequence(text.string()).Render(1, 24, 24, true);
    EXPECT_FALSE(failed.status.ok);
    EXPECT_FALSE(failed.status.message.empty());
}
