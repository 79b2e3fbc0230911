// Building the skinned window: a skin load against decoding its bitmaps alone, the window
// outline, a skin change, and a change from the menu against extracting the same package.
#include "platform/ImageOutline.h"
#include "platform/PrivateFolder.h"
#include "platform/Prompts.h"
#include "platform/SkinImage.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/SkinDialog.h"
#include "tools/tipin-skin/SkinTool.h"

#include <QApplication>
#include <QRandomGenerator>
#include <array>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class SilentPrompts : public Prompts {
public:
    int MessageBox(const QString&, unsigned flags, const QString&) override {
        return (flags & kYesNo) ? kIdNo : kIdOk;
    }
    std::optional<QString> OpenFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

// A bundled package extracted once for the whole run.
const std::string& Extracted(const std::string& package) {
    static std::map<std::string, std::unique_ptr<CPrivateFolder>> folders;
    auto& folder = folders[package];
    if (!folder) {
        folder = std::make_unique<CPrivateFolder>("tipin-bench-");
        std::ostringstream err;
        CSkinTool(err).Extract((fs::path(TIPIN_RUN_DIR) / package).string(), folder->Path());
    }
    return folder->Path();
}

class Window : public CSkinDialog {
public:
    void Load(const std::string& folder) {
        skinFolder = folder;
        SetSkinFile(QString::fromStdString(folder + "Skin.ini"));
        LoadSkin();
    }
};

std::set<std::string> Bitmaps(const std::string& folder) {
    std::set<std::string> files = SkinDescriptionReader(folder + "Skin.ini").ReadAll().Bitmaps();
    files.insert(folder + SkinDescription::kNotifierBitmap);
    return files;
}

void DecodeBitmaps(benchmark::State& state, const std::string& package) {
    const std::set<std::string> files = Bitmaps(Extracted(package));
    for (auto _ : state) {
        for (const std::string& file : files) {
            benchmark::DoNotOptimize(CSkinImage::FromFile(file));
        }
    }
    state.counters["bitmaps"] = double(files.size());
}

void LoadSkin(benchmark::State& state, const std::string& package) {
    Window window;
    const std::string& folder = Extracted(package);
    for (auto _ : state) {
        window.Load(folder);
    }
}

void SkinChange(benchmark::State& state) {
    Window window;
    const std::string& first = Extracted("Purple.skn");
    const std::string& second = Extracted("Deluxe.zip");
    bool flip = false;
    for (auto _ : state) {
        window.Load(flip ? first : second);
        flip = !flip;
    }
}

void Outline(benchmark::State& state) {
    QImage back(kSkinWindowWidth, kSkinWindowHeight, QImage::Format_RGB32);
    QRandomGenerator random(3);
    back.fill(Qt::darkBlue);
    // Transparent blobs, about 30 % of the area, in runs as painted skins have them.
    for (int y = 0; y < back.height(); ++y) {
        for (int x = 0; x < back.width();) {
            const int run = 4 + random.bounded(40);
            const bool cut = random.bounded(100) < 30;
            for (int i = 0; i < run && x < back.width(); ++i, ++x) {
                if (cut)
                    back.setPixel(x, y, qRgb(255, 0, 255));
            }
        }
    }
    // Two equal images in turns: the outline of the last image asked for is kept.
    const std::array<QImage, 2> images{back, back.copy()};
    std::size_t turn = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CImageOutline::Of(images[turn++ % 2], Rgb(255, 0, 255)));
    }
}

// The menu command: extract into a private folder, check, load, remove, show.
void ChangeFromMenu(benchmark::State& state, int id) {
    Window window;
    window.SetPrompts(std::make_shared<SilentPrompts>());
    window.SetStartDirectory(TIPIN_RUN_DIR);
    window.SetPackageFolders({});
    window.LoadStartupSkin();
    window.show();
    for (auto _ : state) {
        window.OnChangeSkin(id);
    }
}

void ExtractPackage(benchmark::State& state, const std::string& package) {
    for (auto _ : state) {
        const CPrivateFolder folder("tipin-bench-");
        std::ostringstream err;
        CSkinTool(err).Extract((fs::path(TIPIN_RUN_DIR) / package).string(), folder.Path());
    }
}

} // namespace

BENCHMARK_CAPTURE(DecodeBitmaps, Deluxe, std::string("Deluxe.zip"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadSkin, Deluxe, std::string("Deluxe.zip"))->Unit(benchmark::kMillisecond);
BENCHMARK(SkinChange)->Unit(benchmark::kMillisecond);
BENCHMARK(Outline)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ChangeFromMenu, Black, 0x8004)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExtractPackage, Black, std::string("Black.zip"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChangeFromMenu, Deluxe, 0x800A)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExtractPackage, Deluxe, std::string("Deluxe.zip"))->Unit(benchmark::kMillisecond);
