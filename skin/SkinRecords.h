#pragma once

#include "platform/WinTypes.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The window every skin is drawn for, in pixels.
inline constexpr int kSkinWindowWidth = 983;
inline constexpr int kSkinWindowHeight = 785;

// Plain records of a skin description, one per control kind. Bitmap fields are full paths
// (skin folder + file name); an empty path loads nothing. `index` is the key number - 1.

// BUTTONINFO and TASKBARBUTTON.
struct ButtonRecord {
    int index = 0;
    std::string name;
    std::string bitmap;
    Rect rect;
    std::string tooltip;
    bool latchOnly = false;
};

// SLIDERINFO.
struct SliderRecord {
    static constexpr int kMaxPosition = 7200;

    int index = 0;
    std::string name;
    std::string channelBitmap;
    std::string thumbBitmap;
    std::string thumbActiveBitmap;
    Rect rect;
    bool vertical = false;
    int position = 0; // clamped to 0..kMaxPosition
    std::string tooltip;
};

// EDITBOXINFO.
struct EditRecord {
    int index = 0;
    std::string name;
    Rect rect;
    COLORREF backgroundColour = kNoColour;
    COLORREF textColour = kNoColour;
    COLORREF borderColour = kNoColour;
    bool enabled = false;
};

// LABELINFO and CAPTION.
struct LabelRecord {
    int index = 0;
    std::string name;
    Rect rect;
    std::string text;
    std::string fontFace;
    int fontSize = 0; // points
    COLORREF textColour = kNoColour;
};

// OPTIONINFO and CHECKINFO.
struct LatchRecord {
    int index = 0;
    std::string name;
    std::string bitmap;
    Rect rect;
    std::string tooltip;
    bool latchOnly = false;
    bool latched = false;
};

// The colours of a list: normal rows (and the empty area), and the selected row.
struct ListColours {
    COLORREF normalBackground = kNoColour;
    COLORREF normalText = kNoColour;
    COLORREF selectedBackground = kNoColour;
    COLORREF selectedText = kNoColour;
};

// The seven scroll-bar images of a list, in token order.
using ScrollBarBitmaps = std::array<std::string, 7>;

// LISTBOXINFO.
struct ListBoxRecord {
    int index = 0;
    std::string name;
    Rect rect;
    ListColours colours;
    ScrollBarBitmaps scrollBitmaps;
};

// COMBOBOXINFO.
struct ComboBoxRecord {
    int index = 0;
    std::string name;
    Rect rect;
    std::string bitmap;
    COLORREF editBackground = kNoColour;
    COLORREF editText = kNoColour;
    COLORREF editBorder = kNoColour;
    ListColours listColours;
    ScrollBarBitmaps scrollBitmaps;
};

// ICON.
struct IconRecord {
    std::string bitmap;
    Rect rect;
};

// A whole description, section by section, in reading order. Optional items are absent
// when their value is empty: the window then keeps what it had.
struct SkinDescription {
    // Beside the description, named by none of its records: the notifier is drawn with it.
    static constexpr const char* kNotifierBitmap = "dlgTaskNotifier.bmp";

    std::string background;
    COLORREF transparentColour = kNoColour;
    std::vector<ButtonRecord> taskbarButtons;
    std::optional<IconRecord> icon;
    std::vector<ButtonRecord> buttons;
    std::vector<SliderRecord> sliders;
    std::vector<LatchRecord> options;
    std::vector<LatchRecord> checks;
    std::optional<LabelRecord> caption;
    std::vector<LabelRecord> labels;
    std::vector<EditRecord> edits;
    std::vector<ListBoxRecord> listBoxes;
    std::vector<ComboBoxRecord> comboBoxes;
    std::optional<Rect> screenRect;
    // List sections with more keys than kMaxListRecords: the section and how many were ignored.
    std::vector<std::pair<std::string, std::size_t>> ignoredRecords;

    // Every bitmap file the records name, each once.
    std::set<std::string> Bitmaps() const;
};
