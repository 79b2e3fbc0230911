// The strip under real pointer and key events from the X server.
#include "tests/support/Corpus.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffPageOperations.h"
#include "viewer/TiffViewerWidget.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

void Xdotool(const QStringList& arguments) {
    QProcess process;
    process.start("xdotool", arguments);
    ASSERT_TRUE(process.waitForFinished(10000));
    QTest::qWait(300);
}

QStringList At(const QPoint& point) {
    return {"mousemove", QString::number(point.x()), QString::number(point.y())};
}

} // namespace

// Six pages joined from corpus files: five G4 scan pages and the first A4 G4 page of another.
TEST(PageStripX11Test, ClicksKeysAndADragChangeTheFileAndUndoPutsItBack) {
    const TempDir dir;
    const fs::path file = dir.path() / "six.tif";
    const fs::path scans = CorpusDir() / "tiff/twelvemonkeys/fivepages-scan-causingerrors.tif";
    const fs::path a4 = CorpusDir() / "tiff/pillow/g4-multi.tiff";
    ASSERT_TRUE(TiffPageOperations::Cat(
                    file.string(), {{scans.string()}, {a4.string(), TiffPageRanges::Parse("1")}})
                    .ok);
    const fs::path original = dir.path() / "original.tif";
    fs::copy_file(file, original);
    FakePrompts prompts;
    TiffViewerWidget viewer;
    viewer.SetPrompts([&prompts] { return &prompts; });
    viewer.resize(500, 900); // all six pages in sight
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    viewer.LoadPage(QString::fromStdString(file.string()), 1);
    PageStrip& strip = *viewer.Strip();
    const auto cell = [&strip](int page) {
        return strip.mapToGlobal(strip.CellRect(page).center());
    };

    Xdotool(At(cell(2)) + QStringList{"click", "1"});
    EXPECT_EQ(viewer.CurrentPage(), 2);
    Xdotool({"key", "Delete"});
    EXPECT_EQ(LibtiffPageCount(file), 5);
    Xdotool({"key", "ctrl+z"});
    EXPECT_EQ(ReadBytes(file), ReadBytes(original));

    Xdotool(At(cell(6)) + QStringList{"click", "1"});
    const QPoint top = strip.mapToGlobal(QPoint(strip.CellRect(1).center().x(), 3));
    Xdotool(At(cell(6)) + QStringList{"mousedown", "1"});
    for (int step = 1; step <= 8; ++step) {
        const QPoint at = cell(6) + (top - cell(6)) * step / 8;
        Xdotool(At(at));
    }
    EXPECT_EQ(strip.DropGap(), 0);
    Xdotool({"mouseup", "1"});
    ASSERT_EQ(LibtiffPageCount(file), 6);
    EXPECT_EQ(DecodeRgba(file, 0), DecodeRgba(original, 5));
    for (int page = 1; page < 6; ++page) {
        EXPECT_EQ(DecodeRgba(file, page), DecodeRgba(original, page - 1)) << page;
    }

    Xdotool(At(cell(2)) + QStringList{"click", "1"});
    Xdotool({"keydown", "shift"});
    Xdotool(At(cell(3)) + QStringList{"click", "1"});
    Xdotool({"keyup", "shift"});
    EXPECT_EQ(strip.Selection().Ranges(), "2-3");
    const fs::path out = dir.path() / "two.tif";
    prompts.files.push_back(QString::fromStdString(out.string()));
    viewer.RunCommand(PageStrip::Command::Extract);
    ASSERT_EQ(LibtiffPageCount(out), 2);
    EXPECT_EQ(RawStriles(out, 0), RawStriles(file, 1));
    EXPECT_EQ(RawStriles(out, 1), RawStriles(file, 2));
}
