#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/BusyWork.h"
#include "viewer/TiffDocument.h"
#include "viewer/TiffInserter.h"
#include "viewer/TiffViewerWidget.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

class LongWorkTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTiff(target, std::vector<TestPage>(3));
        WriteTiff(source, std::vector<TestPage>(kSourcePages));
        original = ReadBytes(target);
    }
    void TearDown() override { BusyWork::SetShowAfter(BusyWork::kShowAfterMs); }
    void ExpectTargetUntouched() {
        EXPECT_TRUE(ReadBytes(target) == original) << "the target changed";
        EXPECT_EQ(FilesUnder(dir.path()), (std::vector<fs::path>{source, target}));
    }

    static constexpr int kSourcePages = 4000;
    TempDir dir;
    fs::path target = dir.path() / "target.tif";
    fs::path source = dir.path() / "source.tif";
    std::string original;
};

// A widget that counts the presses it gets.
class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

TEST_F(LongWorkTest, TheEngineReportsEveryPageAndACancelWritesNothing) {
    std::vector<std::size_t> seen;
    const TiffStatus status = TiffDocument::InsertPages(
        target.string(), 2, source.string(), {}, [&seen](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, std::size_t(kSourcePages + 3));
            seen.push_back(done);
            return done < 10;
        });
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.message, TiffInserter::kCancelled);
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ExpectTargetUntouched();
}

TEST(BusyWorkTest, SaysHowFarTheWorkIsHoldsBackInputAndStopsWhenCancelled) {
    QWidget window;
    window.resize(300, 200);
    auto* button = new PressCounter;
    button->setParent(&window);
    button->setGeometry(10, 10, 40, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    BusyWork::SetShowAfter(0);

    QString label;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QProgressDialog* busy = BusyWork::Shown();
        if (busy == nullptr || !busy->labelText().contains(" of ")) {
            return;
        }
        label = busy->labelText();
        QTest::mouseClick(button, Qt::LeftButton);
        busy->cancel();
        watch.stop();
    });
    watch.start(1);
    BusyWork work(&window, "Testing", true);
    work.Run([](const TiffProgress& progress) {
        while (progress(5, 10)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    BusyWork::SetShowAfter(BusyWork::kShowAfterMs);
    EXPECT_TRUE(work.Cancelled());
    EXPECT_EQ(label, "Testing: 5 of 10 pages");
    EXPECT_EQ(button->presses, 0) << "no input reaches the window while the work runs";
    EXPECT_EQ(BusyWork::Shown(), nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->presses, 1);
}

TEST_F(LongWorkTest, ACancelledInsertLeavesTheTargetAsItWas) {
    QWidget window;
    auto* viewer = new TiffViewerWidget(&window);
    window.show();
    BusyWork::SetShowAfter(0);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&watch] {
        if (QProgressDialog* busy = BusyWork::Shown()) {
            busy->cancel();
            watch.stop();
        }
    });
    watch.start(0);
    const bool inserted = viewer->AppendPages(QString::fromStdString(target.string()), 1,
                                              QString::fromStdString(source.string()));
    EXPECT_FALSE(inserted);
    EXPECT_EQ(viewer->LastError(), TiffInserter::kCancelled);
    EXPECT_TRUE(viewer->AppendCancelled());
    EXPECT_EQ(viewer->CornerNote(), "Insertion cancelled");
    ExpectTargetUntouched();

    EXPECT_TRUE(viewer->AppendPages(QString::fromStdString(target.string()), 4,
                                    QString::fromStdString(source.string())));
    EXPECT_EQ(LibtiffPageCount(target), kSourcePages + 3);
}

TEST(PageAheadTest, ThePageRenderedAheadIsTheOneAskedForAndAChangedFileIsReadAfresh) {
    TempDir dir;
    const fs::path file = dir.path() / "pages.tif";
    std::vector<TestPage> pages(3);
    for (int i = 0; i < 3; ++i) {
        pages[i].width = 20 + 10 * i;
        pages[i].seed = i;
    }
    WriteTiff(file, pages);
    TiffViewerWidget viewer;
    viewer.resize(200, 200);
    const QString path = QString::fromStdString(file.string());
    viewer.LoadPage(path, 1);
    const auto expected = [&](int page) {
        const RenderResult alone = TiffDocument::RenderPage(file.string(), page, 200, 200);
        return QSize(alone.image.width, alone.image.height);
    };
    for (int page = 2; page <= 3; ++page) {
        ASSERT_TRUE(viewer.ShowPage(page));
        EXPECT_EQ(viewer.PageImage().size(), expected(page)) << page;
    }
    WriteTiff(file, {pages[2], pages[0], pages[1]});
    viewer.ReloadFlag(true);
    viewer.LoadPage(path, 1);
    ASSERT_TRUE(viewer.ShowPage(2));
    EXPECT_EQ(viewer.PageImage().size(), expected(2)) << "not the old file's second page";
}
