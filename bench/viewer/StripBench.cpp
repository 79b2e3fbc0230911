// The page strip on 1000 A4 pages scanned at 300 dpi (G4): deleting one page until the strip
// shows the result, and the first 30 page pictures in sight. Peak memory is reported as the
// counter peak_MiB.
#include "bench/viewer/A4Scan.h"
#include "viewer/PageStrip.h"
#include "viewer/TiffPageOperations.h"
#include "viewer/TiffViewerWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <tiffio.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using a4scan::kHeight;
using a4scan::kWidth;
constexpr int kPages = 1000;
constexpr int kFirstPictures = 30;

fs::path Temp(const char* name) {
    const char* folder = std::getenv("TMPDIR");
    return fs::path(folder ? folder : "/tmp") / name;
}

// One page of text-like lines, then the file of kPages copies of it.
void WritePage(const fs::path& path) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    a4scan::SetTags(tif);
    // Lines of word-sized blocks, 60 rows apart, within margins of 200 pixels.
    std::vector<unsigned char> row(kWidth / 8);
    for (int y = 0; y < kHeight; ++y) {
        std::fill(row.begin(), row.end(), 0);
        const int line = y / 60;
        if (y >= 200 && y < kHeight - 200 && y % 60 < 28) {
            for (int x = 200; x < kWidth - 280; x += 90 + line % 50) {
                const int end = x + 40 + (x * line) % 45;
                for (int ink = x; ink < end; ++ink) {
                    row[std::size_t(ink / 8)] |= static_cast<unsigned char>(0x80 >> (ink % 8));
                }
            }
        }
        TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
}

class BigFile {
public:
    BigFile() {
        WritePage(m_page);
        std::vector<TiffCatPart> parts(kPages, TiffCatPart{m_page.string()});
        TiffPageOperations::Cat(m_path.string(), parts);
        fs::copy_file(m_path, m_copy, fs::copy_options::overwrite_existing);
    }
    ~BigFile() {
        fs::remove(m_page);
        fs::remove(m_path);
        fs::remove(m_copy);
    }
    QString Path() const { return QString::fromStdString(m_path.string()); }
    void Restore() const { fs::copy_file(m_copy, m_path, fs::copy_options::overwrite_existing); }

private:
    fs::path m_page = Temp("tipin-strip-page.tif");
    fs::path m_path = Temp("tipin-strip-1000.tif");
    fs::path m_copy = Temp("tipin-strip-1000-copy.tif");
};

const BigFile& Big() {
    static const BigFile file;
    return file;
}

// CPU time of every thread of the process, for figures that do not depend on the load.
double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The viewer's place in the start-up skin's window, made wide enough for a strip.
void DeleteOnePage(benchmark::State& state) {
    TiffViewerWidget viewer;
    double cpuMs = 0;
    viewer.resize(800, 700);
    viewer.show();
    for (auto _ : state) {
        state.PauseTiming();
        Big().Restore();
        viewer.ReloadFlag(true);
        viewer.LoadPage(Big().Path(), 500);
        // The user sees the pictures in sight before deleting.
        const auto [first, last] = viewer.Strip()->VisiblePages();
        while (viewer.Strip()->Thumbnails().Find(first) == nullptr ||
               viewer.Strip()->Thumbnails().Find(last) == nullptr) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        QTest::qWait(300);
        state.ResumeTiming();
        const double cpu = ProcessCpuMs();
        viewer.RunCommand(PageStrip::Command::Delete);
        viewer.Strip()->repaint();
        cpuMs += ProcessCpuMs() - cpu;
    }
    state.counters["all_threads_cpu_ms"] = cpuMs / double(state.iterations());
    if (viewer.PageCount() != kPages - 1) {
        state.SkipWithError("the page was not deleted");
    }
    state.counters["peak_MiB"] = PeakMiB();
}

void FirstThirtyPictures(benchmark::State& state) {
    PageStrip strip;
    strip.resize(TiffViewerWidget::kStripMin, strip.CellRect(kFirstPictures).bottom() + 1);
    double cpuMs = 0;
    for (auto _ : state) {
        const double cpu = ProcessCpuMs();
        strip.SetDocument(Big().Path(), kPages, 1);
        const auto all = [&strip] {
            for (int page = 1; page <= kFirstPictures; ++page) {
                if (strip.Thumbnails().Find(page) == nullptr) {
                    return false;
                }
            }
            return true;
        };
        while (!all()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        cpuMs += ProcessCpuMs() - cpu;
    }
    state.counters["all_threads_cpu_ms"] = cpuMs / double(state.iterations());
    state.counters["peak_MiB"] = PeakMiB();
}

// The whole strip scrolled end to end, one screen a step: the longest paint.
void ScrollEndToEnd(benchmark::State& state) {
    PageStrip strip;
    strip.resize(TiffViewerWidget::kStripMin, 700);
    strip.show();
    strip.SetDocument(Big().Path(), kPages, 1);
    double longest = 0;
    for (auto _ : state) {
        for (int page = 1; page <= kPages; page += 5) {
            strip.ScrollTo(page);
            QElapsedTimer paint;
            paint.start();
            strip.repaint();
            QApplication::processEvents();
            longest = std::max(longest, double(paint.nsecsElapsed()) / 1e6);
        }
    }
    state.counters["longest_ms"] = longest;
    state.counters["peak_MiB"] = PeakMiB();
}

} // namespace

BENCHMARK(DeleteOnePage)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FirstThirtyPictures)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ScrollEndToEnd)->Unit(benchmark::kMillisecond)->Iterations(1);
