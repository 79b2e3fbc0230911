#include "viewer/PageStrip.h"

#include "tests/support/FakePrompts.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffViewerWidget.h"

#include <QAccessible>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

std::vector<TestPage> Pages(int count, std::uint16_t compression = 1) {
    std::vector<TestPage> pages;
    for (int i = 0; i < count; ++i) {
        pages.push_back(
            {.width = 30, .height = 40, .compression = compression, .seed = std::uint32_t(i + 1)});
    }
    return pages;
}

// The seeds of the pages of `file`, found by comparing its pages with a page of each seed.
std::vector<int> Order(const fs::path& file, const fs::path& reference) {
    std::vector<int> seeds;
    for (int page = 0; page < LibtiffPageCount(file); ++page) {
        int seed = 0;
        for (int candidate = 0; candidate < LibtiffPageCount(reference); ++candidate) {
            if (DecodeRgba(file, page) == DecodeRgba(reference, candidate)) {
                seed = candidate + 1;
            }
        }
        seeds.push_back(seed);
    }
    return seeds;
}

class PageStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTiff(file, Pages(6));
        fs::copy_file(file, original);
        viewer.SetPrompts([this] { return &prompts; });
        viewer.resize(600, 400);
        viewer.show();
        viewer.LoadPage(QString::fromStdString(file.string()), 1);
    }
    void Select(int page, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mouseClick(viewer.Strip(), Qt::LeftButton, keys,
                          viewer.Strip()->CellRect(page).center());
    }

    TempDir dir;
    fs::path file = dir.path() / "six.tif";
    fs::path original = dir.path() / "original.tif";
    FakePrompts prompts;
    TiffViewerWidget viewer;
};

} // namespace

TEST(PageSelectionTest, ClicksAndKeysSelectAsInFileLists) {
    struct Case {
        std::vector<std::tuple<int, bool, bool>> clicks; // page, Shift, Ctrl
        std::string selected;
    };
    const std::vector<Case> cases = {
        {{{3, false, false}}, "3"},
        {{{2, false, false}, {5, true, false}}, "2-5"},
        {{{5, false, false}, {2, true, false}}, "2-5"},
        {{{2, false, false}, {4, false, true}, {6, false, true}}, "2,4,6"},
        {{{2, false, false}, {4, false, true}, {2, false, true}}, "4"},
        {{{2, false, false}, {4, false, true}, {6, true, false}}, "4-6"},
    };
    for (const Case& c : cases) {
        PageSelection selection;
        selection.Reset(8, 1);
        for (const auto& [page, shift, ctrl] : c.clicks) {
            selection.Click(page, shift, ctrl);
        }
        EXPECT_EQ(selection.Ranges(), c.selected);
    }
    PageSelection keys;
    keys.Reset(8, 3);
    keys.MoveTo(5, true);
    EXPECT_EQ(keys.Ranges(), "3-5");
    keys.MoveTo(99, false);
    EXPECT_EQ(keys.Ranges(), "8");
}

TEST_F(PageStripTest, StripTakesAFifthAtLeast96PxHidesWhenNarrowAndF9Toggles) {
    EXPECT_EQ(viewer.Strip()->width(), 120);
    EXPECT_TRUE(viewer.Strip()->isVisible());
    EXPECT_EQ(viewer.PageImage().deviceIndependentSize().toSize(), QSize(300, 400));
    viewer.resize(400, 400);
    EXPECT_EQ(viewer.Strip()->width(), 96);
    viewer.resize(359, 400);
    EXPECT_FALSE(viewer.Strip()->isVisible());
    viewer.resize(600, 400);
    QTest::keyClick(&viewer, Qt::Key_F9);
    EXPECT_FALSE(viewer.Strip()->isVisible());
    QTest::keyClick(&viewer, Qt::Key_F9);
    EXPECT_TRUE(viewer.Strip()->isVisible());
}

TEST_F(PageStripTest, TabReachesTheStripBeforeThePageAndShiftTabGoesBack) {
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    viewer.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(viewer.Strip()->hasFocus());
    QTest::keyClick(viewer.Strip(), Qt::Key_Tab);
    EXPECT_TRUE(viewer.hasFocus());
    QTest::keyClick(&viewer, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(viewer.Strip()->hasFocus());
}

TEST_F(PageStripTest, VisibleThumbnailsComeFromTheWorkerAndAPageClickedIsShown) {
    PageStrip& strip = *viewer.Strip();
    const auto [first, last] = strip.VisiblePages();
    ASSERT_EQ(first, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return strip.Thumbnails().Find(first) != nullptr &&
               strip.Thumbnails().Find(last) != nullptr;
    }));
    EXPECT_LE(strip.Thumbnails().Find(1)->width(), strip.CellRect(1).width());
    Select(2);
    EXPECT_EQ(viewer.CurrentPage(), 2);
    EXPECT_EQ(strip.Shown(), 2);
    QTest::keyClick(&strip, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(strip.Selection().Ranges(), "2-6");
    EXPECT_EQ(viewer.CurrentPage(), 6);
    QTest::keyClick(&strip, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(strip.Selection().Ranges(), "1-6");
}

TEST_F(PageStripTest, DeleteRemovesTheSelectionAndUndoRedoRestoreTheBytes) {
    Select(2);
    Select(4, Qt::ControlModifier);
    const ThumbnailCache& pictures = viewer.Strip()->Thumbnails();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pictures.Find(3) != nullptr; }));
    const QImage third = *pictures.Find(3);
    QTest::keyClick(viewer.Strip(), Qt::Key_Delete);
    EXPECT_EQ(viewer.PageCount(), 4);
    ASSERT_NE(pictures.Find(2), nullptr) << "the third page's picture is kept as the second's";
    EXPECT_EQ(*pictures.Find(2), third);
    EXPECT_EQ(viewer.Announcement(), "2 pages deleted; 4 pages");
    EXPECT_EQ(Order(file, original), (std::vector<int>{1, 3, 5, 6}));
    const std::string deleted = ReadBytes(file);
    QTest::keyClick(viewer.Strip(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(file), ReadBytes(original));
    EXPECT_EQ(viewer.PageCount(), 6);
    QTest::keyClick(&viewer, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(file), deleted);
}

TEST_F(PageStripTest, DeletingEveryPageIsRefusedWithItsReason) {
    QTest::keyClick(viewer.Strip(), Qt::Key_A, Qt::ControlModifier);
    viewer.RunCommand(PageStrip::Command::Delete);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(prompts.messages[0].text.isEmpty());
    EXPECT_EQ(ReadBytes(file), ReadBytes(original));
}

TEST_F(PageStripTest, DraggingTheSelectionMovesItWhereTheDropLineShows) {
    PageStrip& strip = *viewer.Strip();
    strip.ScrollTo(5);
    Select(5);
    const auto move = [&strip](int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(20, y), strip.mapToGlobal(QPointF(20, y)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&strip, &event);
    };
    QTest::mousePress(&strip, Qt::LeftButton, {}, strip.CellRect(5).center());
    for (int step = 0; step < 40; ++step) {
        move(-5); // above the strip, which scrolls up as a drag goes on
    }
    move(2);
    EXPECT_EQ(strip.DropGap(), 0);
    QTest::mouseRelease(&strip, Qt::LeftButton, {}, QPoint(20, 2));
    EXPECT_EQ(Order(file, original), (std::vector<int>{5, 1, 2, 3, 4, 6}));
    EXPECT_EQ(viewer.CurrentPage(), 1);
}

TEST_F(PageStripTest, TurningAndExtractingWorkOnTheSelection) {
    Select(2);
    Select(3, Qt::ShiftModifier);
    QTest::keyClick(viewer.Strip(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(PageWidth(file, 1), 40u);
    EXPECT_EQ(viewer.Announcement(), "2 pages turned clockwise; 6 pages");
    const fs::path out = dir.path() / "out.tif";
    prompts.files.push_back(QString::fromStdString(out.string()));
    viewer.RunCommand(PageStrip::Command::Extract);
    EXPECT_EQ(LibtiffPageCount(out), 2);
    EXPECT_EQ(DecodeRgba(out, 0), DecodeRgba(file, 1));
}

TEST(PageStripJpegTest, TurningAJpegPageGivesItsReason) {
    const TempDir dir;
    const fs::path file = dir.path() / "jpeg.tif";
    WriteTiff(file, Pages(2, 7));
    FakePrompts prompts;
    TiffViewerWidget viewer;
    viewer.SetPrompts([&prompts] { return &prompts; });
    viewer.resize(600, 400);
    viewer.LoadPage(QString::fromStdString(file.string()), 1);
    const std::string before = ReadBytes(file);
    viewer.RunCommand(PageStrip::Command::TurnClockwise);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains("JPEG"))
        << prompts.messages[0].text.toStdString();
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(PageStripTest, InsertsCountAsStepsAndUndoRefusesAfterAnOutsideChange) {
    const fs::path other = dir.path() / "other.tif";
    WriteTiff(other, Pages(2));
    const QString target = QString::fromStdString(file.string());
    ASSERT_TRUE(viewer.AppendPages(target, 1, QString::fromStdString(other.string())));
    viewer.ReloadFlag(true);
    viewer.LoadPage(target, 1);
    EXPECT_TRUE(viewer.Strip()->ContextMenu()->actions().last()->text() == "Redo");
    viewer.RunCommand(PageStrip::Command::Undo);
    EXPECT_EQ(ReadBytes(file), ReadBytes(original));
    viewer.RunCommand(PageStrip::Command::Redo);
    WriteTiff(file, Pages(3));
    const std::string outside = ReadBytes(file);
    viewer.RunCommand(PageStrip::Command::Undo);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(file), outside);
}

TEST_F(PageStripTest, AFileDroppedBetweenThumbnailsIsInsertedThere) {
    const fs::path other = dir.path() / "other.tif";
    WriteTiff(other, {TestPage{.width = 30, .height = 40, .seed = 99}});
    PageStrip& strip = *viewer.Strip();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(other.string()))});
    const QPoint gap(20, strip.CellRect(2).bottom());
    QDragEnterEvent enter(gap, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&strip, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(gap, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&strip, &drop);
    EXPECT_EQ(viewer.PageCount(), 7);
    EXPECT_EQ(DecodeRgba(file, 2), DecodeRgba(other, 0));
    EXPECT_EQ(viewer.Announcement(), "1 page inserted; 7 pages");
}

TEST_F(PageStripTest, TheStripIsAListOfNamedPagesWithTheirSelectedState) {
    Select(3);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(viewer.Strip());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 6);
    QAccessibleInterface* row = list->child(2);
    EXPECT_EQ(row->role(), QAccessible::ListItem);
    EXPECT_EQ(row->text(QAccessible::Name), "Page 3");
    EXPECT_TRUE(row->state().selected);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_EQ(list->indexOfChild(row), 2);
    viewer.RunCommand(PageStrip::Command::Delete);
    EXPECT_EQ(list->text(QAccessible::Description), "1 page deleted; 5 pages");
}

TEST_F(PageStripTest, TheContextMenuRunsTheCommandsAndAMoveOutOfRangeSaysWhy) {
    Select(6);
    std::unique_ptr<QMenu> menu = viewer.Strip()->ContextMenu();
    QAction* undo = menu->actions()[5];
    EXPECT_EQ(undo->text(), "Undo");
    EXPECT_FALSE(undo->isEnabled());
    menu->actions()[0]->trigger();
    EXPECT_EQ(viewer.PageCount(), 5);
    EXPECT_TRUE(viewer.Strip()->ContextMenu()->actions()[5]->isEnabled());
    viewer.MoveSelection(9);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(viewer.PageCount(), 5);
}

TEST_F(PageStripTest, ExtractWritesNothingWhenTheChooserIsCancelledOrNamesTheFileItself) {
    Select(2);
    viewer.RunCommand(PageStrip::Command::Extract); // no file chosen
    prompts.files.push_back(QString::fromStdString(file.string()));
    viewer.RunCommand(PageStrip::Command::Extract);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(file), ReadBytes(original));
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
}
