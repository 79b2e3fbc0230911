// What the frame and the shadow cost at every repaint of a menu: the frame of family B alone,
// and a whole menu drawn with and without the hook.
#include "bench/support/RunWithin.h"
#include "menus/MenuDrawStyle.h"
#include "menus/MenuWindowHook.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr double kMaxSecondsPerFrame = 0.5e-3;

MenuFramePaint Frame(int w, int h, const MenuPlatform& platform) {
    const CMenuDrawStyle style(2, CMenuDrawStyle::Family::B, 1, platform);
    MenuFramePaint frame;
    frame.size = QSize(w, h);
    frame.client = style.ClientRect(frame.size);
    frame.shadowMargin = style.ShadowMargin();
    frame.screenColours = platform.ScreenColours();
    frame.colours = {Rgb(250, 250, 250), Rgb(120, 120, 120), Rgb(240, 240, 240)};
    frame.background = QImage(w + 10, h + 10, QImage::Format_RGB32);
    frame.background.fill(QColor(30, 140, 220));
    return frame;
}

// The frame and the soft shadow of a 240 × 420 menu.
void BM_FrameAndShadow(benchmark::State& state) {
    const MenuFramePaint frame = Frame(240, 420, MenuPlatform{});
    QImage target(frame.size, QImage::Format_RGB32);
    RunWithin(state, kMaxSecondsPerFrame, [&] {
        QPainter painter(&target);
        CMenuDrawStyle::PaintFrame(painter, frame, false);
    });
}
BENCHMARK(BM_FrameAndShadow);

// A 12-item menu drawn whole, without and with the hook (state.range(0)).
void BM_WholeMenu(benchmark::State& state) {
    if (state.range(0) != 0) {
        CMenuWindowHook::Install(MenuPlatform{});
    }
    QMenu menu;
    for (int i = 0; i < 12; ++i) {
        menu.addAction(QString("Item number %1").arg(i));
    }
    menu.move(100, 100);
    menu.resize(menu.sizeHint());
    QImage target(menu.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        menu.render(&target);
    }
    CMenuWindowHook::Uninstall();
}
BENCHMARK(BM_WholeMenu)->Arg(0)->Arg(1);

} // namespace
