#pragma once

#include <QColor>
#include <QString>
#include <string>

// How a skin arranges the window: the page view beside a control panel, under a band of
// controls, or under the band beside a column of showcase controls.
enum class LayoutKind { SidePanel, TopBand, Showcase };

// The window's outline: rounded corners, a raised title tab, or cut corners.
enum class OutlineKind { Rounded, Tabbed, Chamfered };

// Decoration painted over the window body, outside the panels.
enum class PatternKind { None, Stripes, Dots, Waves, Grid };

// Everything that tells one bundled skin from another.
struct SkinTheme {
    std::string folder;
    std::string package;
    QString title;

    LayoutKind layout = LayoutKind::SidePanel;
    bool panelOnLeft = false;
    OutlineKind outline = OutlineKind::Rounded;
    int cornerRadius = 18;
    PatternKind pattern = PatternKind::None;

    QColor bodyTop, bodyBottom, patternColour, outlineColour;
    QColor titleTop, titleBottom, titleText;
    QColor panel, panelBorder, labelText, valueText;
    QColor viewerBack, viewerBorder;
    QColor face, faceText, accent, accentText;
    QColor editBack, editText, editBorder;
    QColor listBack, listText, selectedBack, selectedText;
};
