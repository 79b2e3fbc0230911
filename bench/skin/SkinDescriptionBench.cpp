// Reading a large skin description: 300 records spread over every list section.
#include "skin/SkinDescriptionReader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string Record(const std::string& section, int n) {
    const std::string rect = std::to_string(n) + "," + std::to_string(n) + "," +
                             std::to_string(n + 20) + "," + std::to_string(n + 20);
    if (section == "EDITBOXINFO") {
        return "EDIT_" + std::to_string(n) + "," + rect + ",0xFFFFFF,0x000000,0x808080,TRUE";
    }
    if (section == "LABELINFO") {
        return "LABEL_" + std::to_string(n) + "," + rect +
               ",Some label text,DejaVu Sans,10,0x202020";
    }
    if (section == "SLIDERINFO") {
        return "SLIDER_" + std::to_string(n) + ",c.bmp,t.bmp,a.bmp," + rect + ",H,100,Seek";
    }
    return "BUTTON_" + std::to_string(n) + ",button.bmp," + rect + ",Does something useful,F,F";
}

std::string WriteDescription() {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tipin-bench-" + std::to_string(getpid()) + ".ini"))
                                 .string();
    std::ofstream out(path);
    out << "[Screen]\nMain=back.bmp\n[TRANSPARENT]\nCOLOR=0xFF00FF\n[CONTROL]\nCONTROL=1,2,3,4\n";
    const char* sections[] = {"BUTTONINFO", "SLIDERINFO", "OPTIONINFO",
                              "CHECKINFO",  "LABELINFO",  "EDITBOXINFO"};
    for (const char* section : sections) {
        out << "[" << section << "]\n";
        for (int n = 1; n <= 50; ++n) {
            out << n << "=" << Record(section, n) << "\n";
        }
    }
    return path;
}

void BM_Read300RecordDescription(benchmark::State& state) {
    const std::string path = WriteDescription();
    for (auto _ : state) {
        const SkinDescription d = SkinDescriptionReader(path).ReadAll();
        benchmark::DoNotOptimize(d.buttons.data());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Read300RecordDescription)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
