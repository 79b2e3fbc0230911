#pragma once

#include "skin/IniFile.h"
#include "skin/SkinRecords.h"

// Turns a skin description into records, section by section, in the fixed reading order.
// Never fails: what is missing or malformed reads as empty or 0.
class SkinDescriptionReader {
public:
    // Reads `iniPath`; bitmap names are resolved in its folder.
    explicit SkinDescriptionReader(const std::string& iniPath);

    const std::string& Path() const { return m_ini.Path(); }
    const std::string& Folder() const { return m_folder; }

    std::string Background() const;
    // The transparent colour, or `previous` when the value is empty.
    COLORREF TransparentColour(COLORREF previous) const;
    std::vector<ButtonRecord> Buttons(const std::string& section) const;
    std::optional<IconRecord> Icon() const;
    std::vector<SliderRecord> Sliders() const;
    std::vector<LatchRecord> Latches(const std::string& section) const;
    std::optional<LabelRecord> Caption() const;
    std::vector<LabelRecord> Labels() const;
    std::vector<EditRecord> Edits() const;
    std::vector<ListBoxRecord> ListBoxes() const;
    std::vector<ComboBoxRecord> ComboBoxes() const;
    std::optional<Rect> ScreenRect() const;
    // List sections longer than kMaxListRecords, with the number of keys left unread.
    std::vector<std::pair<std::string, std::size_t>> IgnoredRecords() const;
    // The description was refused for its size and reads as empty.
    bool TooLarge() const { return m_ini.TooLarge(); }

    // Everything at once, in reading order.
    SkinDescription ReadAll(COLORREF previousTransparent = kNoColour) const;

private:
    std::string SingleValue(const std::string& section, const std::string& key) const;
    std::string File(const std::string& token) const;

    CIniFile m_ini;
    std::string m_folder;
};
