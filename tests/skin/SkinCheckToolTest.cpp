#include "tests/skin/SkinTestSupport.h"
#include "tests/zip/ZipBuilder.h"
#include "tools/tipin-skin/SkinTool.h"

#include <QBuffer>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

std::string Bmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

std::string Bmp(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return Bmp(image);
}

} // namespace

TEST(SkinCheckToolTest, EveryBundledSkinChecksClean) {
    std::ostringstream out;
    std::vector<std::string> packages;
    for (const std::string& name : BundledPackageNames()) {
        packages.push_back(BundledPackage(name).string());
    }
    EXPECT_EQ(CSkinTool(out).Check(packages), CSkinTool::kSuccess);
    EXPECT_EQ(out.str(), "");
}

TEST(SkinCheckToolTest, ReportsEachKindOfFindingWithPackageRecordAndReason) {
    QImage back(kSkinWindowWidth, kSkinWindowHeight, QImage::Format_RGB32);
    back.fill(Qt::darkGreen);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            back.setPixel(x, y, qRgb(255, 0, 255));
        }
    }
    const std::string skin = "[Screen]\nMain=back.bmp\n[TRANSPARENT]\nCOLOR=0xFF00FF\n"
                             "[BUTTONINFO]\n"
                             "1=BUTTON_BROWSE,missing.bmp,100,100,140,120,,F\n"
                             "2=BUTTON_CONVERT,odd.bmp,200,100,240,120,,F\n"
                             "3=BUTTON_PAGE,good.bmp,960,100,1000,120,,F\n"
                             "4=BUTTON_MINIMIZE,good.bmp,10,10,30,30,,F\n"
                             "5=BUTTON_CLOSE,good.bmp,210,110,250,130,,F\n";
    TempDir dir;
    const fs::path package = dir.path() / "Bad.zip";
    std::ofstream(package, std::ios::binary) << ZipBuilder()
                                                    .Add("Skin.ini", skin)
                                                    .Add("back.bmp", Bmp(back))
                                                    .Add("odd.bmp", Bmp(QSize(30, 20), Qt::red))
                                                    .Add("good.bmp", Bmp(QSize(80, 20), Qt::red))
                                                    .Add("../evil.txt", "x")
                                                    .Build();
    std::ostringstream out;
    EXPECT_EQ(CSkinTool(out).Check({package.string()}), CSkinTool::kFailure);
    const std::string report = out.str();
    const std::string p = package.string() + ": ";
    for (const std::string& line :
         {p + "entry ..\\evil.txt: unsafe entry name",
          p + "notifier: missing or unloadable bitmap dlgTaskNotifier.bmp",
          p + "BUTTONINFO 1 (BUTTON_BROWSE): missing or unloadable bitmap missing.bmp",
          p + "BUTTONINFO 2 (BUTTON_CONVERT): strip odd.bmp is 30 pixels wide",
          p + "BUTTONINFO 3 (BUTTON_PAGE): lies outside the window",
          p + "BUTTONINFO 4 (BUTTON_MINIMIZE): lies outside the background's opaque area",
          p + "BUTTONINFO 2 (BUTTON_CONVERT): overlaps BUTTONINFO 5 (BUTTON_CLOSE)",
          p + "BUTTONINFO: no button named BUTTON_BROWSEAPPEND",
          p + "EDITBOXINFO: 0 edit boxes; the program needs four",
          p + "LABELINFO: no label named LABEL_PAGETOTAL",
          p + "CONTROL: no rectangle for the page viewer"}) {
        EXPECT_NE(report.find(line), std::string::npos) << line << "\nin:\n" << report;
    }
    std::ostringstream usage;
    EXPECT_EQ(CSkinTool(usage).Run({"check"}), CSkinTool::kUsage);
}
