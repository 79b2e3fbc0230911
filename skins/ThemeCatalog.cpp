#include "skins/ThemeCatalog.h"

namespace {

QColor C(const char* hex) {
    return QColor(QString::fromLatin1(hex));
}

SkinTheme Amethyst() {
    SkinTheme t;
    t.folder = "PurpleStart";
    t.package = "Purple.skn";
    t.title = QStringLiteral("Amethyst");
    t.layout = LayoutKind::SidePanel;
    t.outline = OutlineKind::Rounded;
    t.cornerRadius = 22;
    t.pattern = PatternKind::Waves;
    t.bodyTop = C("#3b1f5c"), t.bodyBottom = C("#1e0f33"), t.patternColour = C("#8f63d2");
    t.outlineColour = C("#c9a8ff");
    t.titleTop = C("#6a3fa0"), t.titleBottom = C("#4a2877"), t.titleText = C("#ffffff");
    t.panel = C("#efe7f8"), t.panelBorder = C("#9a7cc4"), t.labelText = C("#2d1547");
    t.valueText = C("#5b2a91");
    t.viewerBack = C("#1a1024"), t.viewerBorder = C("#c9a8ff");
    t.face = C("#7c4dbb"), t.faceText = C("#ffffff"), t.accent = C("#f2c14e");
    t.accentText = C("#2d1547");
    t.editBack = C("#ffffff"), t.editText = C("#24123a"), t.editBorder = C("#7c4dbb");
    t.listBack = C("#f6f0fc"), t.listText = C("#2d1547"), t.selectedBack = C("#7c4dbb");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Orange() {
    SkinTheme t;
    t.folder = "Orange";
    t.package = "Orange.zip";
    t.title = QStringLiteral("Orange");
    t.layout = LayoutKind::TopBand;
    t.outline = OutlineKind::Tabbed;
    t.cornerRadius = 16;
    t.pattern = PatternKind::Dots;
    t.bodyTop = C("#ff9a3c"), t.bodyBottom = C("#e0600f"), t.patternColour = C("#ffd0a0");
    t.outlineColour = C("#a8480c");
    t.titleTop = C("#fff3e6"), t.titleBottom = C("#ffd9b3"), t.titleText = C("#7a2e00");
    t.panel = C("#fff7ee"), t.panelBorder = C("#e08a3c"), t.labelText = C("#5a2500");
    t.valueText = C("#a34000");
    t.viewerBack = C("#3a1d08"), t.viewerBorder = C("#7a3a10");
    t.face = C("#ffffff"), t.faceText = C("#8a3500"), t.accent = C("#8a3500");
    t.accentText = C("#ffffff");
    t.editBack = C("#ffffff"), t.editText = C("#3a1800"), t.editBorder = C("#e07a2c");
    t.listBack = C("#fffaf4"), t.listText = C("#5a2500"), t.selectedBack = C("#e0600f");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Black() {
    SkinTheme t;
    t.folder = "Black";
    t.package = "Black.zip";
    t.title = QStringLiteral("Black");
    t.layout = LayoutKind::SidePanel;
    t.panelOnLeft = true;
    t.outline = OutlineKind::Chamfered;
    t.cornerRadius = 26;
    t.pattern = PatternKind::Grid;
    t.bodyTop = C("#1c1c1f"), t.bodyBottom = C("#0b0b0c"), t.patternColour = C("#2c3b3d");
    t.outlineColour = C("#36d1dc");
    t.titleTop = C("#2a2a2f"), t.titleBottom = C("#161618"), t.titleText = C("#e8e8ea");
    t.panel = C("#222226"), t.panelBorder = C("#3e4a4c"), t.labelText = C("#d0d0d6");
    t.valueText = C("#36d1dc");
    t.viewerBack = C("#050505"), t.viewerBorder = C("#36d1dc");
    t.face = C("#34343b"), t.faceText = C("#f0f0f0"), t.accent = C("#36d1dc");
    t.accentText = C("#0a0a0b");
    t.editBack = C("#111114"), t.editText = C("#e8e8ea"), t.editBorder = C("#36d1dc");
    t.listBack = C("#15151a"), t.listText = C("#e0e0e0"), t.selectedBack = C("#36d1dc");
    t.selectedText = C("#050505");
    return t;
}

SkinTheme Lavender() {
    SkinTheme t;
    t.folder = "Purple";
    t.package = "Purple.zip";
    t.title = QStringLiteral("Purple");
    t.layout = LayoutKind::TopBand;
    t.outline = OutlineKind::Rounded;
    t.cornerRadius = 30;
    t.pattern = PatternKind::Stripes;
    t.bodyTop = C("#d9c8f0"), t.bodyBottom = C("#b69ad9"), t.patternColour = C("#ffffff");
    t.outlineColour = C("#7453a8");
    t.titleTop = C("#7a55b5"), t.titleBottom = C("#5c3d91"), t.titleText = C("#ffffff");
    t.panel = C("#f7f2fd"), t.panelBorder = C("#a98bd6"), t.labelText = C("#3b2263");
    t.valueText = C("#6b3fb0");
    t.viewerBack = C("#3d2d5a"), t.viewerBorder = C("#7453a8");
    t.face = C("#ece2fa"), t.faceText = C("#3b2263"), t.accent = C("#6b3fb0");
    t.accentText = C("#ffffff");
    t.editBack = C("#ffffff"), t.editText = C("#2a1845"), t.editBorder = C("#a98bd6");
    t.listBack = C("#fbf8fe"), t.listText = C("#3b2263"), t.selectedBack = C("#6b3fb0");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Blue() {
    SkinTheme t;
    t.folder = "Blue";
    t.package = "Blue.zip";
    t.title = QStringLiteral("Blue");
    t.layout = LayoutKind::SidePanel;
    t.panelOnLeft = true;
    t.outline = OutlineKind::Tabbed;
    t.cornerRadius = 14;
    t.pattern = PatternKind::Stripes;
    t.bodyTop = C("#1f4e8c"), t.bodyBottom = C("#0f2a52"), t.patternColour = C("#5d8fd6");
    t.outlineColour = C("#7aa7e0");
    t.titleTop = C("#336fc2"), t.titleBottom = C("#224f96"), t.titleText = C("#ffffff");
    t.panel = C("#eaf2fc"), t.panelBorder = C("#7aa7e0"), t.labelText = C("#0f2a52");
    t.valueText = C("#1f5fbf");
    t.viewerBack = C("#0a1a30"), t.viewerBorder = C("#7aa7e0");
    t.face = C("#2f6fca"), t.faceText = C("#ffffff"), t.accent = C("#ffb020");
    t.accentText = C("#0f2a52");
    t.editBack = C("#ffffff"), t.editText = C("#0b1f3d"), t.editBorder = C("#2f6fca");
    t.listBack = C("#f4f8fe"), t.listText = C("#0f2a52"), t.selectedBack = C("#2f6fca");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Red() {
    SkinTheme t;
    t.folder = "Red";
    t.package = "Red.zip";
    t.title = QStringLiteral("Red");
    t.layout = LayoutKind::TopBand;
    t.outline = OutlineKind::Chamfered;
    t.cornerRadius = 22;
    t.pattern = PatternKind::Waves;
    t.bodyTop = C("#8c1520"), t.bodyBottom = C("#4d0a10"), t.patternColour = C("#d8434f");
    t.outlineColour = C("#e04451");
    t.titleTop = C("#c62834"), t.titleBottom = C("#9c1c26"), t.titleText = C("#ffffff");
    t.panel = C("#2b0b0e"), t.panelBorder = C("#7a1a22"), t.labelText = C("#ffd9dc");
    t.valueText = C("#ff9aa2");
    t.viewerBack = C("#1a0507"), t.viewerBorder = C("#e04451");
    t.face = C("#b3222e"), t.faceText = C("#ffffff"), t.accent = C("#ffd24a");
    t.accentText = C("#3d0a0f");
    t.editBack = C("#fff5f5"), t.editText = C("#3d0a0f"), t.editBorder = C("#e04451");
    t.listBack = C("#fff5f5"), t.listText = C("#3d0a0f"), t.selectedBack = C("#b3222e");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Gray() {
    SkinTheme t;
    t.folder = "Gray";
    t.package = "Gray.zip";
    t.title = QStringLiteral("Gray");
    t.layout = LayoutKind::SidePanel;
    t.panelOnLeft = true;
    t.outline = OutlineKind::Rounded;
    t.cornerRadius = 10;
    t.pattern = PatternKind::Grid;
    t.bodyTop = C("#b8bcc2"), t.bodyBottom = C("#8e949c"), t.patternColour = C("#d4d7db");
    t.outlineColour = C("#474d55");
    t.titleTop = C("#5f666f"), t.titleBottom = C("#474d55"), t.titleText = C("#ffffff");
    t.panel = C("#eceef1"), t.panelBorder = C("#a0a6ae"), t.labelText = C("#2b2f35");
    t.valueText = C("#3d4652");
    t.viewerBack = C("#6b7079"), t.viewerBorder = C("#474d55");
    t.face = C("#dfe2e6"), t.faceText = C("#23272d"), t.accent = C("#4a5561");
    t.accentText = C("#ffffff");
    t.editBack = C("#ffffff"), t.editText = C("#1d2025"), t.editBorder = C("#8e949c");
    t.listBack = C("#ffffff"), t.listText = C("#23272d"), t.selectedBack = C("#4a5561");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Pink() {
    SkinTheme t;
    t.folder = "Pink";
    t.package = "Pink.zip";
    t.title = QStringLiteral("Pink");
    t.layout = LayoutKind::SidePanel;
    t.outline = OutlineKind::Rounded;
    t.cornerRadius = 36;
    t.pattern = PatternKind::Dots;
    t.bodyTop = C("#ffc1d9"), t.bodyBottom = C("#f78fb8"), t.patternColour = C("#ffe3ee");
    t.outlineColour = C("#c23a74");
    t.titleTop = C("#b8306a"), t.titleBottom = C("#981f55"), t.titleText = C("#ffffff");
    t.panel = C("#fff0f6"), t.panelBorder = C("#f29cc0"), t.labelText = C("#6b1a3d");
    t.valueText = C("#b0154f");
    t.viewerBack = C("#fff7fa"), t.viewerBorder = C("#e0508c");
    t.face = C("#ffffff"), t.faceText = C("#a0164e"), t.accent = C("#c2185b");
    t.accentText = C("#ffffff");
    t.editBack = C("#ffffff"), t.editText = C("#4a0f29"), t.editBorder = C("#e0508c");
    t.listBack = C("#fff7fa"), t.listText = C("#6b1a3d"), t.selectedBack = C("#c2185b");
    t.selectedText = C("#ffffff");
    return t;
}

SkinTheme Deluxe() {
    SkinTheme t;
    t.folder = "Deluxe";
    t.package = "Deluxe.zip";
    t.title = QStringLiteral("Deluxe");
    t.layout = LayoutKind::Showcase;
    t.outline = OutlineKind::Tabbed;
    t.cornerRadius = 20;
    t.pattern = PatternKind::Waves;
    t.bodyTop = C("#0e2a2f"), t.bodyBottom = C("#06161a"), t.patternColour = C("#c9a24a");
    t.outlineColour = C("#c9a24a");
    t.titleTop = C("#1d4a52"), t.titleBottom = C("#0f3036"), t.titleText = C("#f5d77a");
    t.panel = C("#102f35"), t.panelBorder = C("#c9a24a"), t.labelText = C("#f0e6c8");
    t.valueText = C("#f5d77a");
    t.viewerBack = C("#041013"), t.viewerBorder = C("#c9a24a");
    t.face = C("#1f5660"), t.faceText = C("#fff4d6"), t.accent = C("#c9a24a");
    t.accentText = C("#10262a");
    t.editBack = C("#0a2024"), t.editText = C("#f5ecd0"), t.editBorder = C("#c9a24a");
    t.listBack = C("#0a2024"), t.listText = C("#f0e6c8"), t.selectedBack = C("#c9a24a");
    t.selectedText = C("#10262a");
    return t;
}

} // namespace

std::vector<SkinTheme> CThemeCatalog::All() {
    return {Amethyst(), Orange(), Black(), Lavender(), Blue(), Red(), Gray(), Pink(), Deluxe()};
}
