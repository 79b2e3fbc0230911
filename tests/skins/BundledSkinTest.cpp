#include "platform/QtConvert.h"
#include "skins/SkinGenerator.h"
#include "tests/skins/GeneratedSkins.h"

#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using tipin::test::GeneratedSkins;

namespace {

constexpr COLORREF kMagenta = Rgb(255, 0, 255);

const char* const kRequiredButtons[] = {"BUTTON_BROWSE", "BUTTON_BROWSEAPPEND", "BUTTON_CONVERT",
                                        "BUTTON_PAGE",   "BUTTON_MINIMIZE",     "BUTTON_CLOSE"};

struct Placed {
    std::string name;
    Rect rect;
};

Rect Inflated(const Rect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool Intersect(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Everything that takes the mouse, with the area it covers on the window.
std::vector<Placed> ClickableControls(const SkinDescription& d) {
    std::vector<Placed> all;
    for (const ButtonRecord& b : d.buttons) {
        if (b.name != "BUTTON_PAUSE") { // shares its place with BUTTON_PLAY; one is hidden
            all.push_back({b.name, b.rect});
        }
    }
    for (const auto* latches : {&d.options, &d.checks}) {
        for (const LatchRecord& l : *latches) {
            all.push_back({l.name, l.rect});
        }
    }
    for (const EditRecord& e : d.edits) {
        all.push_back({e.name, Inflated(e.rect, 1)}); // the frame lies outside the box
    }
    for (const ListBoxRecord& l : d.listBoxes) {
        all.push_back({l.name, l.rect});
    }
    for (const ComboBoxRecord& c : d.comboBoxes) {
        // The button part stands one pixel above and below; the edit's frame one aside.
        all.push_back({c.name, Inflated(c.rect, 1)});
    }
    for (const SliderRecord& s : d.sliders) {
        all.push_back({s.name, s.rect});
    }
    return all;
}

std::vector<Placed> AllControls(const SkinDescription& d) {
    std::vector<Placed> all = ClickableControls(d);
    for (const LabelRecord& l : d.labels) {
        all.push_back({l.name, l.rect});
    }
    all.push_back({"CAPTION", d.caption->rect});
    all.push_back({"ICON", d.icon->rect});
    return all;
}

template <typename Record>
bool HasName(const std::vector<Record>& records, const std::string& name) {
    return std::any_of(records.begin(), records.end(),
                       [&](const Record& r) { return r.name == name; });
}

QImage Load(const std::string& path) {
    return QImage(QString::fromStdString(path));
}

// Every (bitmap, rectangle) of a four-frame strip control on the window.
std::vector<std::pair<std::string, Rect>> Strips(const SkinDescription& d) {
    std::vector<std::pair<std::string, Rect>> strips;
    for (const ButtonRecord& b : d.buttons) {
        strips.emplace_back(b.bitmap, b.rect);
    }
    for (const ButtonRecord& b : d.taskbarButtons) {
        strips.emplace_back(b.bitmap, b.rect);
    }
    for (const auto* latches : {&d.options, &d.checks}) {
        for (const LatchRecord& l : *latches) {
            strips.emplace_back(l.bitmap, l.rect);
        }
    }
    return strips;
}

std::vector<std::string> NamedBitmaps(const SkinDescription& d) {
    std::vector<std::string> files{d.background, d.icon->bitmap};
    for (const auto& [file, rect] : Strips(d)) {
        files.push_back(file);
    }
    for (const SliderRecord& s : d.sliders) {
        files.insert(files.end(), {s.channelBitmap, s.thumbBitmap, s.thumbActiveBitmap});
    }
    for (const ListBoxRecord& l : d.listBoxes) {
        files.insert(files.end(), l.scrollBitmaps.begin(), l.scrollBitmaps.end());
    }
    for (const ComboBoxRecord& c : d.comboBoxes) {
        files.push_back(c.bitmap);
        files.insert(files.end(), c.scrollBitmaps.begin(), c.scrollBitmaps.end());
    }
    return files;
}

// Share of pixels that differ clearly (by more than 24 in some channel).
double ClearlyDifferentShare(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24 ||
                std::abs(qBlue(p) - qBlue(q)) > 24) {
                ++differing;
            }
        }
    }
    return double(differing) / (a.width() * a.height());
}

TEST(BundledSkinTest, NamesEverythingTheProgramNeeds) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const char* name : kRequiredButtons) {
            EXPECT_TRUE(HasName(d.buttons, name)) << name;
        }
        ASSERT_EQ(d.edits.size(), 4u);
        EXPECT_EQ(d.edits[0].name, "EDIT_TARGET");
        EXPECT_EQ(d.edits[1].name, "EDIT_POSITION");
        EXPECT_EQ(d.edits[2].name, "EDIT_PAGE");
        EXPECT_EQ(d.edits[3].name, "EDIT_APPEND");
        for (const EditRecord& e : d.edits) {
            EXPECT_TRUE(e.enabled) << e.name;
        }
        EXPECT_TRUE(HasName(d.labels, "LABEL_PAGETOTAL"));
        EXPECT_TRUE(HasName(d.labels, "LABEL_TIME"));
        EXPECT_TRUE(HasName(d.sliders, "SLIDER_PROGRESS"));
        ASSERT_TRUE(d.caption.has_value());
        EXPECT_NE(d.caption->text.find("Tipin"), std::string::npos);
        EXPECT_EQ(d.caption->fontFace, "DejaVu Sans");
        ASSERT_TRUE(d.icon.has_value());
        ASSERT_TRUE(d.screenRect.has_value());
        ASSERT_EQ(d.taskbarButtons.size(), 1u);
        EXPECT_EQ(d.taskbarButtons[0].name, "TASKBUTTON_EXIT");
        EXPECT_EQ(d.transparentColour, kMagenta);
        for (const LabelRecord& l : d.labels) {
            EXPECT_EQ(l.fontFace, "DejaVu Sans") << l.name;
        }
    }
}

TEST(BundledSkinTest, EveryButtonSaysWhatItDoes) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const auto* buttons : {&d.buttons, &d.taskbarButtons}) {
            for (const ButtonRecord& b : *buttons) {
                EXPECT_GE(b.tooltip.size(), 10u) << b.name;
                EXPECT_FALSE(b.latchOnly) << b.name;
            }
        }
        for (const auto* latches : {&d.options, &d.checks}) {
            for (const LatchRecord& l : *latches) {
                EXPECT_GE(l.tooltip.size(), 10u) << l.name;
            }
        }
    }
}

TEST(BundledSkinTest, EveryNamedBitmapLoads) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const std::string& file : NamedBitmaps(d)) {
            ASSERT_FALSE(file.empty());
            EXPECT_FALSE(Load(file).isNull()) << file;
        }
        const QImage notifier = Load(skin.folder + "/" + CSkinGenerator::kNotifierBitmap);
        EXPECT_FALSE(notifier.isNull());
    }
}

TEST(BundledSkinTest, BackgroundFitsTheWindowAndIsShaped) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const QImage& back = skin.background;
        EXPECT_LE(back.width(), 983);
        EXPECT_LE(back.height(), 785);
        EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
        EXPECT_EQ(back.pixel(back.width() - 1, back.height() - 1) & 0xFFFFFF, 0xFF00FFu);
        EXPECT_NE(back.pixel(back.width() / 2, back.height() / 2) & 0xFFFFFF, 0xFF00FFu);
    }
}

TEST(BundledSkinTest, StripsHoldFourFramesOfTheControlsSize) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const auto& [file, rect] : Strips(d)) {
            const QImage strip = Load(file);
            EXPECT_EQ(strip.width() % 4, 0) << file;
            EXPECT_EQ(strip.width() / 4, rect.Width()) << file;
            EXPECT_EQ(strip.height(), rect.Height()) << file;
        }
        for (const ComboBoxRecord& c : d.comboBoxes) {
            const QImage strip = Load(c.bitmap);
            EXPECT_EQ(strip.width() % 4, 0);
            // The button part is two pixels taller than a frame: the engine stretches it.
            EXPECT_GE(c.rect.Height(), strip.height() + 2 + 50);
        }
        for (const SliderRecord& s : d.sliders) {
            const QImage channel = Load(s.channelBitmap);
            const QImage thumb = Load(s.thumbBitmap);
            EXPECT_EQ(std::max(channel.width(), thumb.width()), s.rect.Width());
            EXPECT_EQ(std::max(channel.height(), thumb.height()), s.rect.Height());
            EXPECT_EQ(Load(s.thumbActiveBitmap).size(), thumb.size());
        }
    }
}

TEST(BundledSkinTest, FourFramesAreClearlyDifferent) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const auto& [file, rect] : Strips(d)) {
            const QImage strip = Load(file).convertToFormat(QImage::Format_RGB32);
            const int w = strip.width() / 4;
            for (int a = 0; a < 4; ++a) {
                for (int b = a + 1; b < 4; ++b) {
                    const QImage fa = strip.copy(a * w, 0, w, strip.height());
                    const QImage fb = strip.copy(b * w, 0, w, strip.height());
                    EXPECT_GT(ClearlyDifferentShare(fa, fb), 0.02) << file << " frames " << a << b;
                }
            }
        }
    }
}

TEST(BundledSkinTest, ControlsLieOnTheOpaqueBackground) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        const QImage& back = skin.background;
        std::vector<Placed> all = AllControls(d);
        all.push_back({"CONTROL", *d.screenRect});
        for (const Placed& c : all) {
            ASSERT_TRUE(back.rect().contains(ToQRect(c.rect))) << c.name;
            for (int y = c.rect.top; y < c.rect.bottom; ++y) {
                for (int x = c.rect.left; x < c.rect.right; ++x) {
                    ASSERT_NE(back.pixel(x, y) & 0xFFFFFF, 0xFF00FFu)
                        << c.name << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(BundledSkinTest, ClickableControlsDoNotOverlap) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        const std::vector<Placed> all = ClickableControls(d);
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                EXPECT_FALSE(Intersect(all[i].rect, all[j].rect))
                    << all[i].name << " / " << all[j].name;
            }
        }
    }
}

TEST(BundledSkinTest, PageViewIsClearOfControlsAndLarge) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const Placed& c : AllControls(d)) {
            EXPECT_FALSE(Intersect(c.rect, *d.screenRect)) << c.name;
        }
        EXPECT_GE(d.screenRect->Width() * d.screenRect->Height(), 983 * 785 * 45 / 100);
    }
}

TEST(BundledSkinTest, PlayAndPauseShareOnePlace) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        const auto play =
            std::find_if(d.buttons.begin(), d.buttons.end(),
                         [](const ButtonRecord& b) { return b.name == "BUTTON_PLAY"; });
        const auto pause =
            std::find_if(d.buttons.begin(), d.buttons.end(),
                         [](const ButtonRecord& b) { return b.name == "BUTTON_PAUSE"; });
        ASSERT_EQ(play == d.buttons.end(), pause == d.buttons.end());
        if (play != d.buttons.end()) {
            EXPECT_EQ(play->rect, pause->rect);
        }
    }
}

TEST(BundledSkinTest, ComboStripHasNoBlackBecauseItsButtonKeysOutBlack) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        for (const ComboBoxRecord& c : d.comboBoxes) {
            const QImage strip = Load(c.bitmap).convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < strip.height(); ++y) {
                for (int x = 0; x < strip.width(); ++x) {
                    ASSERT_NE(strip.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
                }
            }
        }
    }
}

TEST(BundledSkinTest, StripsHoldNoTransparentPixels) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        // Strips are painted over the background, so no key colour punches holes into them.
        for (const auto& [file, rect] : Strips(d)) {
            const QImage strip = Load(file).convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < strip.height(); ++y) {
                for (int x = 0; x < strip.width(); ++x) {
                    ASSERT_NE(strip.pixel(x, y) & 0xFFFFFF, 0xFF00FFu) << file;
                }
            }
        }
    }
}

TEST(BundledSkinTest, NotifierKeepsItsPageAreaPlainAndItsCloseButtonAside) {
    for (const auto& skin : GeneratedSkins::Get().Skins()) {
        SCOPED_TRACE(skin.generated.folder);
        const SkinDescription& d = skin.description;
        const QImage notifier = Load(skin.folder + "/" + CSkinGenerator::kNotifierBitmap);
        const QRect page(12, 48, 296, 180);
        ASSERT_TRUE(notifier.rect().contains(page));
        const QRgb plain = notifier.pixel(page.topLeft());
        for (int y = page.top(); y <= page.bottom(); ++y) {
            for (int x = page.left(); x <= page.right(); ++x) {
                ASSERT_EQ(notifier.pixel(x, y), plain) << x << "," << y;
            }
        }
        const Rect exit = d.taskbarButtons[0].rect;
        EXPECT_FALSE(page.intersects(ToQRect(exit)));
        EXPECT_TRUE(notifier.rect().contains(ToQRect(exit)));
        for (int y = exit.top; y < exit.bottom; ++y) {
            for (int x = exit.left; x < exit.right; ++x) {
                ASSERT_NE(notifier.pixel(x, y) & 0xFFFFFF, 0xFF00FFu);
            }
        }
        EXPECT_EQ(notifier.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
    }
}

TEST(BundledSkinsTogether, DeluxeShowsEveryKindOfControl) {
    const SkinDescription& d = GeneratedSkins::Get().ByFolder("Deluxe").description;
    EXPECT_TRUE(HasName(d.buttons, "BUTTON_PLAY"));
    EXPECT_TRUE(HasName(d.buttons, "BUTTON_PAUSE"));
    EXPECT_GE(d.options.size(), 2u);
    EXPECT_GE(d.checks.size(), 1u);
    EXPECT_EQ(d.listBoxes.size(), 1u);
    EXPECT_EQ(d.comboBoxes.size(), 1u);
}

TEST(BundledSkinsTogether, NineDistinctSkinsInAtLeastTwoLayouts) {
    const auto& skins = GeneratedSkins::Get().Skins();
    ASSERT_EQ(skins.size(), 9u);
    std::set<std::string> packages;
    std::set<std::tuple<int, int, int, int>> pageViews;
    for (const auto& skin : skins) {
        packages.insert(skin.generated.package);
        const Rect r = *skin.description.screenRect;
        pageViews.insert({r.left, r.top, r.right, r.bottom});
    }
    EXPECT_EQ(packages,
              (std::set<std::string>{"Purple.skn", "Orange.zip", "Black.zip", "Purple.zip",
                                     "Blue.zip", "Red.zip", "Gray.zip", "Pink.zip", "Deluxe.zip"}));
    EXPECT_GE(pageViews.size(), 2u);
    for (std::size_t i = 0; i < skins.size(); ++i) {
        for (std::size_t j = i + 1; j < skins.size(); ++j) {
            EXPECT_GT(ClearlyDifferentShare(skins[i].background, skins[j].background), 0.3)
                << skins[i].generated.folder << " / " << skins[j].generated.folder;
        }
    }
}

} // namespace
