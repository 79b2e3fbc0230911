// The next page shown after Page Down (the reader pausing on each page) on A4 pages scanned at 300
// dpi (2480 x 3508, G4), fitted into the viewer's place in the start-up skin, beside rendering such
// a page alone.
#include "bench/viewer/A4Scan.h"
#include "viewer/TiffDocument.h"
#include "viewer/TiffViewerWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <tiffio.h>
#include <vector>

namespace {

using a4scan::kHeight;
using a4scan::kWidth;
const QSize kViewer(639, 697);

// Two pages of text-like black and white lines, G4 compressed.
std::string WriteScan() {
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                             "/tipin-paging-bench.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    std::vector<unsigned char> row(kWidth / 8);
    for (int page = 0; page < 3; ++page) {
        a4scan::SetTags(tif);
        TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        for (int y = 0; y < kHeight; ++y) {
            for (std::size_t x = 0; x < row.size(); ++x) {
                const bool ink = (y / 40) % 2 == 0 && (y % 40) < 24 && (x * 7 + y) % 11 < 6;
                row[x] = ink ? static_cast<unsigned char>(0x5A ^ page) : 0;
            }
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
        TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    return path;
}

// Written once, removed when the program ends.
class ScanFile {
public:
    ScanFile() : m_path(WriteScan()) {}
    ~ScanFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& Scan() {
    static const ScanFile file;
    return file.Path();
}

void Press(TiffViewerWidget& viewer, Qt::Key which) {
    QKeyEvent key(QEvent::KeyPress, which, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &key);
}

// A reader looks at a page before turning it: the pause is not timed.
void Read() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

void PageDown(benchmark::State& state) {
    TiffViewerWidget viewer;
    viewer.resize(kViewer);
    viewer.LoadPage(QString::fromStdString(Scan()), 1);
    Read();
    for (auto _ : state) {
        Press(viewer, Qt::Key_PageDown);
        state.PauseTiming();
        if (viewer.CurrentPage() == viewer.PageCount()) {
            Press(viewer, Qt::Key_Home);
        }
        Read();
        state.ResumeTiming();
    }
    if (viewer.PageImage().isNull()) {
        state.SkipWithError("no page shown");
    }
}

void RenderAlone(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            TiffDocument::RenderPage(Scan(), 2, kViewer.width(), kViewer.height()));
    }
}

} // namespace

BENCHMARK(PageDown)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(RenderAlone)->Unit(benchmark::kMillisecond);
