// The popup's two costs: cutting the outline of its bitmap (at every skin load) and one
// timer tick of the slide (every step delay, often 1 ms).
#include "notifier/BitmapOutline.h"
#include "notifier/NotifierDialog.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr double kMaxSecondsPerOutline = 1e-3;
constexpr double kMaxSecondsPerTick = 1e-3;

// Times the loop by the wall clock and fails the run when an iteration is over `limit`. One
// call before the loop warms the caches; the library's first short runs (a handful of
// iterations, where one page fault counts) are not judged.
template <typename Body> void RunWithin(benchmark::State& state, double limit, Body body) {
    body();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        body();
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    if (state.iterations() >= 10 && spent.count() / double(state.iterations()) > limit) {
        state.SkipWithError("slower than the target");
    }
}

// A notifier bitmap as the skins paint it: a gradient with rounded magenta corners, and
// `holes` magenta dots scattered over it (0 for none).
QImage Bitmap(int width, int height, int radius, int holes) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(40 + y % 200, 60 + x % 150, 120));
        }
    }
    const QRgb key = qRgb(255, 0, 255);
    for (int y = 0; y < radius; ++y) {
        const int dy = radius - y;
        for (int x = 0; x < radius; ++x) {
            const int dx = radius - x;
            if (dx * dx + dy * dy > radius * radius) {
                image.setPixel(x, y, key);
                image.setPixel(width - 1 - x, y, key);
                image.setPixel(x, height - 1 - y, key);
                image.setPixel(width - 1 - x, height - 1 - y, key);
            }
        }
    }
    unsigned seed = 7;
    for (int i = 0; i < holes; ++i) {
        seed = seed * 1103515245U + 12345U;
        image.setPixel(int(seed >> 8) % width, int(seed >> 20) % height, key);
    }
    return image;
}

void BM_Outline300x250(benchmark::State& state) {
    const QImage image = Bitmap(300, 250, 14, 0);
    RunWithin(state, kMaxSecondsPerOutline,
              [&] { benchmark::DoNotOptimize(CBitmapOutline::Of(image, 255, 0, 255)); });
}
BENCHMARK(BM_Outline300x250)->Unit(benchmark::kMicrosecond);

// The same size with 3 % of the pixels cut here and there: many short runs.
void BM_Outline300x250Speckled(benchmark::State& state) {
    const QImage image = Bitmap(300, 250, 14, 300 * 250 * 3 / 100);
    RunWithin(state, kMaxSecondsPerOutline,
              [&] { benchmark::DoNotOptimize(CBitmapOutline::Of(image, 255, 0, 255)); });
}
BENCHMARK(BM_Outline300x250Speckled)->Unit(benchmark::kMicrosecond);

// For comparison: the original's way, one 1x1 XOR per cut pixel (corners only here).
void BM_Outline300x250ByXorPerPixel(benchmark::State& state) {
    const QImage image = Bitmap(300, 250, 14, 0);
    for (auto _ : state) {
        QRegion region(0, 0, 300, 250);
        for (int y = 0; y < 250; ++y) {
            for (int x = 0; x < 300; ++x) {
                if ((image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) {
                    region = region.xored(QRegion(x, y, 1, 1));
                }
            }
        }
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(BM_Outline300x250ByXorPerPixel)->Unit(benchmark::kMicrosecond);

// One tick of the slide-in and one pass of the event loop; the popup's own paints during
// ticks are counted (the target is none).
void BM_SlideTick(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("notifier.bmp");
    Bitmap(300, 250, 14, 0).save(path, "BMP");
    CNotifierDialog popup(nullptr);
    popup.DriveTimersByHand();
    popup.Hide();
    popup.SetSkin(path, 255, 0, 255);
    popup.Show(300, 1000, 300, 1);
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
    }
    int restarts = 0;
    int tickPaints = 0;
    RunWithin(state, kMaxSecondsPerTick, [&] {
        const int before = popup.PaintCount();
        const bool ticked = popup.FireTimer(CNotifierDialog::kShowTimer);
        if (!ticked) {
            // Fully shown: slide in again (this paints, as showing a window does).
            popup.Hide();
            popup.Show(300, 1000, 300, 1);
            ++restarts;
        }
        QCoreApplication::processEvents();
        if (ticked) {
            tickPaints += popup.PaintCount() - before;
        }
    });
    state.counters["paints_per_tick"] = double(tickPaints) / double(state.iterations());
    state.counters["restarts"] = restarts;
}
BENCHMARK(BM_SlideTick)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
