#include "platform/QtConvert.h"
#include "tests/skins/Contrast.h"
#include "tests/skins/GeneratedSkins.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <gtest/gtest.h>

using tipin::test::ContrastRatio;
using tipin::test::GeneratedSkins;
using tipin::test::kMinimumContrast;

namespace {

// The lowest contrast between `text` and any pixel of `image` inside `area`.
double WorstContrast(const QImage& image, const QRect& area, QRgb text) {
    double worst = 21;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            worst = std::min(worst, ContrastRatio(text, image.pixel(x, y)));
        }
    }
    return worst;
}

// The engine sizes label fonts at 96 pixels per inch: points * 96 * 10 / 720 pixels.
QFont LabelFont(int points) {
    static const int id = QFontDatabase::addApplicationFont(
        QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setPixelSize(points * 96 * 10 / 720);
    return font;
}

// The longest text the program writes into a label of that name.
std::string LongestText(const LabelRecord& label) {
    if (label.name == "LABEL_PAGETOTAL") {
        return "-32768";
    }
    if (label.name == "LABEL_TIME") {
        return "99:59:59/02:00:00";
    }
    return label.text;
}

std::vector<LabelRecord> LabelsAndCaption(const GeneratedSkins::Skin& skin) {
    std::vector<LabelRecord> all = skin.description.labels;
    all.push_back(*skin.description.caption);
    return all;
}

TEST(SkinLegibilityTest, LabelsStandOutFromTheBackgroundUnderThem) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        for (const LabelRecord& label : LabelsAndCaption(skin)) {
            const double worst = WorstContrast(skin.background, ToQRect(label.rect),
                                               ToQColor(label.textColour).rgb());
            EXPECT_GE(worst, kMinimumContrast) << label.name;
        }
    }
}

TEST(SkinLegibilityTest, LabelTextsFitTheirRectangles) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        for (const LabelRecord& label : LabelsAndCaption(skin)) {
            const QFontMetrics metrics(LabelFont(label.fontSize));
            const QString text = QString::fromStdString(LongestText(label));
            EXPECT_LE(metrics.horizontalAdvance(text), label.rect.Width()) << label.name;
            EXPECT_LE(metrics.height(), label.rect.Height()) << label.name;
        }
    }
}

TEST(SkinLegibilityTest, TextPaintedIntoBitmapsStandsOut) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const auto& marks = skin.generated.textMarks;
        ASSERT_FALSE(marks.empty());
        for (const TextMark& mark : marks) {
            const QImage bitmap(QString::fromStdString(skin.folder + "/" + mark.bitmap));
            const QImage painted = bitmap.copy(mark.area).convertToFormat(QImage::Format_RGB32);
            const QImage before = mark.backdrop.convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(painted.size(), before.size()) << mark.bitmap;
            // The text is where the finished bitmap differs from what lay there before.
            QRect ink;
            for (int y = 0; y < painted.height(); ++y) {
                for (int x = 0; x < painted.width(); ++x) {
                    if (painted.pixel(x, y) != before.pixel(x, y)) {
                        ink |= QRect(x, y, 1, 1);
                    }
                }
            }
            ASSERT_FALSE(ink.isEmpty()) << mark.bitmap << " shows no text";
            EXPECT_GE(WorstContrast(before, ink, mark.colour.rgb()), kMinimumContrast)
                << mark.bitmap << " at " << mark.area.x();
        }
    }
}

TEST(SkinLegibilityTest, EditAndListColoursAreLegible) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        auto expectLegible = [](COLORREF text, COLORREF back, const std::string& what) {
            EXPECT_GE(ContrastRatio(ToQColor(text).rgb(), ToQColor(back).rgb()), kMinimumContrast)
                << what;
        };
        for (const EditRecord& e : d.edits) {
            expectLegible(e.textColour, e.backgroundColour, e.name);
        }
        for (const ListBoxRecord& l : d.listBoxes) {
            expectLegible(l.colours.normalText, l.colours.normalBackground, l.name);
            expectLegible(l.colours.selectedText, l.colours.selectedBackground,
                          l.name + " selected");
        }
        for (const ComboBoxRecord& c : d.comboBoxes) {
            expectLegible(c.editText, c.editBackground, c.name);
            expectLegible(c.listColours.normalText, c.listColours.normalBackground,
                          c.name + " list");
            expectLegible(c.listColours.selectedText, c.listColours.selectedBackground,
                          c.name + " selected");
        }
    }
}

} // namespace
