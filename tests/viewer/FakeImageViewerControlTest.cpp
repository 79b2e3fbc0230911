#include "tests/viewer/FakeImageViewerControl.h"

#include <gtest/gtest.h>

namespace {

TEST(FakeImageViewerControl, RecordsEveryCallInOrderAndAnswersAsScripted) {
    FakeImageViewerControl fake;
    fake.pageCount = -3;
    fake.appendResult = false;
    ImageViewerControl& control = fake;
    control.StartupSetting(4);
    control.ReloadFlag(true);
    EXPECT_EQ(control.LoadPage("/tmp/a.tif", 1), 1);
    EXPECT_EQ(control.GetPageCount(), -3);
    control.FileName("/tmp/a.tif");
    control.DisplaySetting(10);
    EXPECT_FALSE(control.AppendPages("/tmp/a.tif", -2, "/tmp/b.tif"));
    EXPECT_EQ(fake.Described(),
              QStringList({"StartupSetting(4)", "ReloadFlag(TRUE)", "LoadPage(/tmp/a.tif, 1)",
                           "GetPageCount()", "FileName(/tmp/a.tif)", "DisplaySetting(10)",
                           "AppendPages(/tmp/a.tif, -2, /tmp/b.tif)"}));
    EXPECT_EQ(fake.Calls()[2], (ViewerCall{"LoadPage", {"/tmp/a.tif", "1"}}));
    fake.ClearCalls();
    EXPECT_TRUE(fake.Calls().empty());
}

} // namespace
