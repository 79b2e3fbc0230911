#include "skin/SkinDescriptionReader.h"

#include "platform/CRuntime.h"
#include "skin/Tokens.h"

#include <algorithm>

namespace {

ListColours ReadListColours(std::string& rest) {
    ListColours colours;
    colours.normalBackground = ReadColour(NextToken(rest));
    colours.normalText = ReadColour(NextToken(rest));
    colours.selectedBackground = ReadColour(NextToken(rest));
    colours.selectedText = ReadColour(NextToken(rest));
    return colours;
}

LabelRecord ParseLabel(int index, std::string rest) {
    LabelRecord r;
    r.index = index;
    r.name = NextToken(rest);
    r.rect = ReadRect(rest);
    r.text = NextToken(rest);
    r.fontFace = NextToken(rest);
    r.fontSize = ReadCoordinate(NextToken(rest));
    r.textColour = ReadColour(NextToken(rest));
    return r;
}

} // namespace

SkinDescriptionReader::SkinDescriptionReader(const std::string& iniPath)
    : m_ini(iniPath), m_folder(SkinFolder(iniPath)) {}

std::string SkinDescriptionReader::SingleValue(const std::string& section,
                                               const std::string& key) const {
    std::string value = m_ini.GetString(section, key, "");
    if (value.size() > kMaxSkinValue) {
        value.resize(kMaxSkinValue);
    }
    return value;
}

std::string SkinDescriptionReader::File(const std::string& token) const {
    return SkinFilePath(m_folder, token);
}

std::string SkinDescriptionReader::Background() const {
    const std::string value = SingleValue("Screen", "Main");
    return value.empty() ? std::string() : File(value);
}

COLORREF SkinDescriptionReader::TransparentColour(COLORREF previous) const {
    const std::string value = SingleValue("TRANSPARENT", "COLOR");
    return value.empty() ? previous : ReadColour(value);
}

std::vector<ButtonRecord> SkinDescriptionReader::Buttons(const std::string& section) const {
    std::vector<ButtonRecord> records;
    ForEachListEntry(m_ini, section, [&](int index, std::string rest) {
        ButtonRecord r;
        r.index = index;
        r.name = NextToken(rest);
        r.bitmap = File(NextToken(rest));
        r.rect = ReadRect(rest);
        r.tooltip = NextToken(rest);
        r.latchOnly = ReadFlag(NextToken(rest));
        records.push_back(std::move(r));
    });
    return records;
}

std::optional<IconRecord> SkinDescriptionReader::Icon() const {
    std::string rest = SingleValue("ICON", "ICON");
    if (rest.empty()) {
        return std::nullopt;
    }
    IconRecord r;
    r.bitmap = File(NextToken(rest));
    r.rect = ReadRect(rest);
    return r;
}

std::vector<SliderRecord> SkinDescriptionReader::Sliders() const {
    std::vector<SliderRecord> records;
    ForEachListEntry(m_ini, "SLIDERINFO", [&](int index, std::string rest) {
        SliderRecord r;
        r.index = index;
        r.name = NextToken(rest);
        r.channelBitmap = File(NextToken(rest));
        r.thumbBitmap = File(NextToken(rest));
        r.thumbActiveBitmap = File(NextToken(rest));
        r.rect = ReadRect(rest);
        r.vertical = ReadVertical(NextToken(rest));
        r.position = std::clamp(Atoi(NextToken(rest)), 0, SliderRecord::kMaxPosition);
        r.tooltip = NextToken(rest);
        records.push_back(std::move(r));
    });
    return records;
}

std::vector<LatchRecord> SkinDescriptionReader::Latches(const std::string& section) const {
    std::vector<LatchRecord> records;
    ForEachListEntry(m_ini, section, [&](int index, std::string rest) {
        LatchRecord r;
        r.index = index;
        r.name = NextToken(rest);
        r.bitmap = File(NextToken(rest));
        r.rect = ReadRect(rest);
        r.tooltip = NextToken(rest);
        r.latchOnly = ReadFlag(NextToken(rest));
        r.latched = ReadFlag(NextToken(rest));
        records.push_back(std::move(r));
    });
    return records;
}

std::optional<LabelRecord> SkinDescriptionReader::Caption() const {
    const std::string value = SingleValue("CAPTION", "CAPTION");
    if (value.empty()) {
        return std::nullopt;
    }
    return ParseLabel(0, value);
}

std::vector<LabelRecord> SkinDescriptionReader::Labels() const {
    std::vector<LabelRecord> records;
    ForEachListEntry(m_ini, "LABELINFO", [&](int index, std::string rest) {
        records.push_back(ParseLabel(index, std::move(rest)));
    });
    return records;
}

std::vector<EditRecord> SkinDescriptionReader::Edits() const {
    std::vector<EditRecord> records;
    ForEachListEntry(m_ini, "EDITBOXINFO", [&](int index, std::string rest) {
        EditRecord r;
        r.index = index;
        r.name = NextToken(rest);
        r.rect = ReadRect(rest);
        r.backgroundColour = ReadColour(NextToken(rest));
        r.textColour = ReadColour(NextToken(rest));
        r.borderColour = ReadColour(NextToken(rest));
        r.enabled = ReadEnabled(NextToken(rest));
        records.push_back(std::move(r));
    });
    return records;
}

std::vector<ListBoxRecord> SkinDescriptionReader::ListBoxes() const {
    std::vector<ListBoxRecord> records;
    ForEachListEntry(m_ini, "LISTBOXINFO", [&](int index, std::string rest) {
        ListBoxRecord r;
        r.index = index;
        r.name = NextToken(rest);
        r.rect = ReadRect(rest);
        r.colours = ReadListColours(rest);
        for (std::string& bitmap : r.scrollBitmaps) {
            bitmap = File(NextToken(rest));
        }
        records.push_back(std::move(r));
    });
    return records;
}

std::vector<ComboBoxRecord> SkinDescriptionReader::ComboBoxes() const {
    std::vector<ComboBoxRecord> records;
    ForEachListEntry(m_ini, "COMBOBOXINFO", [&](int index, std::string rest) {
        ComboBoxRecord r;
        r.index = index;
        r.name = NextToken(rest);
        r.rect = ReadRect(rest);
        r.bitmap = File(NextToken(rest));
        r.editBackground = ReadColour(NextToken(rest));
        r.editText = ReadColour(NextToken(rest));
        r.editBorder = ReadColour(NextToken(rest));
        r.listColours = ReadListColours(rest);
        for (std::string& bitmap : r.scrollBitmaps) {
            bitmap = File(NextToken(rest));
        }
        records.push_back(std::move(r));
    });
    return records;
}

std::optional<Rect> SkinDescriptionReader::ScreenRect() const {
    std::string rest = SingleValue("CONTROL", "CONTROL");
    if (rest.empty()) {
        return std::nullopt;
    }
    return ReadRect(rest);
}

SkinDescription SkinDescriptionReader::ReadAll(COLORREF previousTransparent) const {
    SkinDescription d;
    d.background = Background();
    d.transparentColour = TransparentColour(previousTransparent);
    d.taskbarButtons = Buttons("TASKBARBUTTON");
    d.icon = Icon();
    d.buttons = Buttons("BUTTONINFO");
    d.sliders = Sliders();
    d.options = Latches("OPTIONINFO");
    d.checks = Latches("CHECKINFO");
    d.caption = Caption();
    d.labels = Labels();
    d.edits = Edits();
    d.listBoxes = ListBoxes();
    d.comboBoxes = ComboBoxes();
    d.screenRect = ScreenRect();
    d.ignoredRecords = IgnoredRecords();
    return d;
}

std::vector<std::pair<std::string, std::size_t>> SkinDescriptionReader::IgnoredRecords() const {
    std::vector<std::pair<std::string, std::size_t>> ignored;
    for (const char* section :
         {"TASKBARBUTTON", "BUTTONINFO", "SLIDERINFO", "OPTIONINFO", "CHECKINFO", "LABELINFO",
          "EDITBOXINFO", "LISTBOXINFO", "COMBOBOXINFO"}) {
        if (const std::size_t count = IgnoredListEntries(m_ini, section)) {
            ignored.emplace_back(section, count);
        }
    }
    return ignored;
}

std::set<std::string> SkinDescription::Bitmaps() const {
    std::set<std::string> files{background};
    for (const ButtonRecord& record : buttons) {
        files.insert(record.bitmap);
    }
    for (const ButtonRecord& record : taskbarButtons) {
        files.insert(record.bitmap);
    }
    for (const SliderRecord& record : sliders) {
        files.insert({record.channelBitmap, record.thumbBitmap, record.thumbActiveBitmap});
    }
    for (const std::vector<LatchRecord>* latches : {&options, &checks}) {
        for (const LatchRecord& record : *latches) {
            files.insert(record.bitmap);
        }
    }
    for (const ListBoxRecord& record : listBoxes) {
        files.insert(record.scrollBitmaps.begin(), record.scrollBitmaps.end());
    }
    for (const ComboBoxRecord& record : comboBoxes) {
        files.insert(record.bitmap);
        files.insert(record.scrollBitmaps.begin(), record.scrollBitmaps.end());
    }
    if (icon) {
        files.insert(icon->bitmap);
    }
    files.erase(std::string());
    return files;
}
