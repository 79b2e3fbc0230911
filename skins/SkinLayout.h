#pragma once

#include "skins/SkinModel.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <map>
#include <string>
#include <vector>

enum class Glyph { None, Minimize, Close, Play, Pause };

// How a button strip looks: a caption or a symbol, and whether it is the main action.
struct ButtonFace {
    QString caption;
    Glyph glyph = Glyph::None;
    bool primary = false;
};

enum class LatchKind { Check, Option };

struct LatchFace {
    QString caption;
    LatchKind kind = LatchKind::Check;
};

// Where everything of one skin goes, and what its bitmaps show.
struct SkinLayout {
    static constexpr int kWindowWidth = 983;
    static constexpr int kWindowHeight = 785;

    QSize size{kWindowWidth, kWindowHeight};
    QRect titleBar;
    QRect viewerFrame;
    std::vector<QRect> panels;
    // Where a panel has room left, a quiet emblem fills it.
    std::vector<QRect> emblems;
    SkinModel model;
    std::map<std::string, ButtonFace> buttonFaces; // by bitmap name
    std::map<std::string, LatchFace> latchFaces;   // by bitmap name

    QSize notifierSize{320, 240};
    // The notifier popup shows its page here; the bitmap keeps this area plain.
    QRect notifierPage{12, 48, 296, 180};
};
