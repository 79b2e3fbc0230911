#pragma once

#include "platform/WinTypes.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What one bundled skin consists of, in the terms of its Skin.ini. Bitmap fields are file
// names inside the skin folder; tooltips and texts never hold a comma (the value separator).

struct ButtonModel {
    std::string name;
    std::string bitmap;
    Rect rect;
    std::string tooltip;
};

struct LatchModel {
    std::string name;
    std::string bitmap;
    Rect rect;
    std::string tooltip;
    bool latched = false;
};

struct SliderModel {
    std::string name;
    std::string channelBitmap;
    std::string thumbBitmap;
    std::string thumbActiveBitmap;
    Rect rect;
    std::string tooltip;
};

struct LabelModel {
    std::string name;
    Rect rect;
    std::string text;
    int points = 10;
    QColor colour;
};

struct EditModel {
    std::string name;
    Rect rect;
    QColor background;
    QColor text;
    QColor border;
};

struct ListColourModel {
    QColor background;
    QColor text;
    QColor selectedBackground;
    QColor selectedText;
};

// Track, up, active up, down, active down, thumb, active thumb.
using ScrollBitmapNames = std::array<std::string, 7>;

struct ListBoxModel {
    std::string name;
    Rect rect;
    ListColourModel colours;
    ScrollBitmapNames scrollBitmaps;
};

struct ComboBoxModel {
    std::string name;
    Rect rect;
    std::string bitmap;
    QColor editBackground;
    QColor editText;
    QColor editBorder;
    ListColourModel listColours;
    ScrollBitmapNames scrollBitmaps;
};

struct IconModel {
    std::string bitmap;
    Rect rect;
};

struct SkinModel {
    std::string background;
    std::vector<ButtonModel> taskbarButtons;
    IconModel icon;
    std::vector<ButtonModel> buttons;
    std::vector<SliderModel> sliders;
    std::vector<LatchModel> options;
    std::vector<LatchModel> checks;
    LabelModel caption;
    std::vector<LabelModel> labels;
    std::vector<EditModel> edits;
    std::vector<ListBoxModel> listBoxes;
    std::vector<ComboBoxModel> comboBoxes;
    Rect control;
};

// Text painted into a bitmap: where, in which colour, and what lay there before the text.
struct TextMark {
    std::string bitmap;
    QRect area;
    QColor colour;
    QImage backdrop;
};

// A painted bitmap with the texts painted into it (their `bitmap` still empty).
struct PaintedBitmap {
    QImage image;
    std::vector<TextMark> marks;
};

// A skin ready to be written: its description, its bitmaps by file name, and its texts.
struct GeneratedSkin {
    std::string folder;
    std::string package;
    SkinModel model;
    std::map<std::string, QImage> bitmaps;
    std::vector<TextMark> textMarks;
};
