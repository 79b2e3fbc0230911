#include "viewer/TiffViewerWidget.h"

#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

class TiffViewerWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTiff(file, {TestPage{.width = 40, .height = 20, .seed = 1},
                         TestPage{.width = 20, .height = 40, .seed = 2},
                         TestPage{.width = 30, .height = 30, .seed = 3}});
        viewer.resize(200, 100);
        viewer.show();
    }
    QString Path(const fs::path& path) const { return QString::fromStdString(path.string()); }

    TempDir dir;
    fs::path file = dir.path() / "three.tif";
    TiffViewerWidget viewer;
};

TEST_F(TiffViewerWidgetTest, EmptyViewShowsTheHintOnlyWithStartupSettingFour) {
    EXPECT_TRUE(viewer.StatusLine().isEmpty());
    viewer.StartupSetting(4);
    EXPECT_FALSE(viewer.StatusLine().isEmpty());
    viewer.StartupSetting(0);
    EXPECT_TRUE(viewer.StatusLine().isEmpty());
}

TEST_F(TiffViewerWidgetTest, LoadPageShowsThePageFittedIntoTheView) {
    EXPECT_EQ(viewer.LoadPage(Path(file), 1), 1);
    EXPECT_EQ(viewer.GetPageCount(), 3);
    EXPECT_EQ(viewer.PageImage().size(), QSize(200, 100));
    EXPECT_EQ(viewer.LoadPage(Path(file), 2), 1);
    EXPECT_EQ(viewer.PageImage().size(), QSize(50, 100));
    EXPECT_TRUE(viewer.StatusLine().isEmpty());
}

TEST_F(TiffViewerWidgetTest, AMissingPageSaysWhyAndKeepsTheCount) {
    viewer.StartupSetting(4);
    EXPECT_EQ(viewer.LoadPage(Path(file), 7), 0);
    EXPECT_EQ(viewer.StatusLine(), "Page 7 does not exist: the file has 3 pages");
    EXPECT_TRUE(viewer.PageImage().isNull());
    EXPECT_EQ(viewer.GetPageCount(), 3);
}

TEST_F(TiffViewerWidgetTest, AFailedLoadLeavesNoPageCount) {
    ASSERT_EQ(viewer.LoadPage(Path(file), 1), 1);
    const fs::path text = dir.write("text.tif", "no picture here");
    EXPECT_EQ(viewer.LoadPage(Path(text), 1), 0);
    EXPECT_EQ(viewer.GetPageCount(), 0);
    EXPECT_TRUE(viewer.StatusLine().startsWith("Not a TIFF file"));
}

TEST_F(TiffViewerWidgetTest, ReloadFlagMakesTheNextLoadReadTheFileAfresh) {
    ASSERT_EQ(viewer.LoadPage(Path(file), 1), 1);
    WriteTiff(file, {TestPage{.width = 10, .height = 10}});
    EXPECT_EQ(viewer.LoadPage(Path(file), 1), 1);
    EXPECT_EQ(viewer.GetPageCount(), 3); // same path and page: the picture on show stays
    viewer.ReloadFlag(true);
    EXPECT_EQ(viewer.LoadPage(Path(file), 1), 1);
    EXPECT_EQ(viewer.GetPageCount(), 1);
    EXPECT_EQ(viewer.PageImage().size(), QSize(100, 100));
}

TEST_F(TiffViewerWidgetTest, DisplaySettingsChooseHowThePageIsFitted) {
    ASSERT_EQ(viewer.LoadPage(Path(file), 1), 1);
    viewer.DisplaySetting(0);
    EXPECT_EQ(viewer.PageImage().size(), QSize(40, 20));
    viewer.DisplaySetting(11);
    EXPECT_EQ(viewer.PageImage().size(), QSize(200, 100));
    viewer.DisplaySetting(99);
    EXPECT_EQ(viewer.DisplayMode(), 11);
    viewer.DisplaySetting(10);
    viewer.resize(100, 100);
    EXPECT_EQ(viewer.PageImage().size(), QSize(100, 50));
}

TEST_F(TiffViewerWidgetTest, AppendPagesWritesTheTargetAndReportsTheOutcome) {
    const fs::path source = dir.path() / "one.tif";
    WriteTiff(source, {TestPage{.width = 50}});
    ASSERT_EQ(viewer.LoadPage(Path(file), 1), 1);
    EXPECT_TRUE(viewer.AppendPages(Path(file), 4, Path(source)));
    EXPECT_EQ(viewer.LoadPage(Path(file), 1), 1); // the file changed under the picture
    EXPECT_EQ(viewer.GetPageCount(), 4);
    EXPECT_FALSE(viewer.AppendPages(Path(file), 9, Path(source)));
    EXPECT_FALSE(viewer.AppendPages(Path(file), 1, Path(dir.path() / "missing.tif")));
    EXPECT_EQ(LibtiffPageCount(file), 4);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TiffViewerWidgetTest, FileNameIsKept) {
    viewer.FileName("/somewhere/a.tif");
    EXPECT_EQ(viewer.FileNameProperty(), "/somewhere/a.tif");
}

TEST_F(TiffViewerWidgetTest, PaintsThePageAndTheStatusLine) {
    viewer.StartupSetting(4);
    const QImage hint = viewer.grab().toImage();
    ASSERT_EQ(viewer.LoadPage(Path(file), 1), 1);
    const QImage page = viewer.grab().toImage();
    EXPECT_NE(hint, page);
    EXPECT_EQ(page.pixelColor(100, 50).rgb(), viewer.PageImage().pixelColor(100, 50).rgb());
}

} // namespace

TEST_F(TiffViewerWidgetTest, ScreenReadersHearThePageAndTheFileName) {
    ASSERT_EQ(viewer.LoadPage(Path(file), 1), 1);
    viewer.FileName(Path(file));
    viewer.ShowPage(3);
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&viewer);
    EXPECT_EQ(view->role(), QAccessible::Graphic);
    EXPECT_EQ(view->text(QAccessible::Name), "Page 3 of 3");
    EXPECT_EQ(view->text(QAccessible::Description), "three.tif");
}
