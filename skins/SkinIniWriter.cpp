#include "skins/SkinIniWriter.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Joins tokens with commas; every record is written in full so no token repeats.
class RecordLine {
public:
    RecordLine& operator<<(const std::string& token) {
        Separate();
        m_line += token;
        return *this;
    }
    RecordLine& operator<<(const char* token) { return *this << std::string(token); }
    RecordLine& operator<<(int value) { return *this << std::to_string(value); }
    RecordLine& operator<<(const Rect& r) {
        return *this << r.left << r.top << r.right << r.bottom;
    }
    RecordLine& operator<<(const QColor& c) {
        char text[9];
        std::snprintf(text, sizeof text, "0x%02X%02X%02X", c.red(), c.green(), c.blue());
        return *this << std::string(text);
    }
    const std::string& Line() const { return m_line; }

private:
    void Separate() {
        if (m_started) {
            m_line += ',';
        }
        m_started = true;
    }
    std::string m_line;
    bool m_started = false;
};

std::string Flag(bool value) {
    return value ? "TRUE" : "FALSE";
}

RecordLine& operator<<(RecordLine& line, const ListColourModel& c) {
    return line << c.background << c.text << c.selectedBackground << c.selectedText;
}

RecordLine& operator<<(RecordLine& line, const ScrollBitmapNames& names) {
    for (const std::string& name : names) {
        line << name;
    }
    return line;
}

std::string ButtonLine(const ButtonModel& b) {
    RecordLine line;
    return (line << b.name << b.bitmap << b.rect << b.tooltip << Flag(false)).Line();
}

std::string LatchLine(const LatchModel& l) {
    RecordLine line;
    return (line << l.name << l.bitmap << l.rect << l.tooltip << Flag(false) << Flag(l.latched))
        .Line();
}

std::string SliderLine(const SliderModel& s) {
    RecordLine line;
    line << s.name << s.channelBitmap << s.thumbBitmap << s.thumbActiveBitmap << s.rect;
    return (line << "H" << 0 << s.tooltip).Line();
}

std::string LabelLine(const LabelModel& l) {
    RecordLine line;
    line << l.name << l.rect << l.text << CSkinIniWriter::kFontFace << l.points << l.colour;
    return line.Line();
}

std::string EditLine(const EditModel& e) {
    RecordLine line;
    return (line << e.name << e.rect << e.background << e.text << e.border << Flag(true)).Line();
}

std::string ListBoxLine(const ListBoxModel& l) {
    RecordLine line;
    return (line << l.name << l.rect << l.colours << l.scrollBitmaps).Line();
}

std::string ComboLine(const ComboBoxModel& c) {
    RecordLine line;
    line << c.name << c.rect << c.bitmap << c.editBackground << c.editText << c.editBorder;
    return (line << c.listColours << c.scrollBitmaps).Line();
}

template <typename Item, typename Format>
void Section(std::ostringstream& out, const char* name, const std::vector<Item>& items,
             Format format) {
    if (items.empty()) {
        return;
    }
    out << '[' << name << "]\n";
    int key = 1;
    for (const Item& item : items) {
        out << key++ << '=' << format(item) << '\n';
    }
}

} // namespace

std::string CSkinIniWriter::Text(const SkinModel& m) {
    std::ostringstream out;
    out << "[Screen]\nMain=" << m.background << '\n';
    out << "[TRANSPARENT]\nCOLOR=" << kTransparent << '\n';
    Section(out, "TASKBARBUTTON", m.taskbarButtons, ButtonLine);
    RecordLine icon;
    out << "[ICON]\nICON=" << (icon << m.icon.bitmap << m.icon.rect).Line() << '\n';
    Section(out, "BUTTONINFO", m.buttons, ButtonLine);
    Section(out, "SLIDERINFO", m.sliders, SliderLine);
    Section(out, "OPTIONINFO", m.options, LatchLine);
    Section(out, "CHECKINFO", m.checks, LatchLine);
    out << "[CAPTION]\nCAPTION=" << LabelLine(m.caption) << '\n';
    Section(out, "LABELINFO", m.labels, LabelLine);
    Section(out, "EDITBOXINFO", m.edits, EditLine);
    Section(out, "LISTBOXINFO", m.listBoxes, ListBoxLine);
    Section(out, "COMBOBOXINFO", m.comboBoxes, ComboLine);
    RecordLine control;
    out << "[CONTROL]\nCONTROL=" << (control << m.control).Line() << '\n';
    return out.str();
}

void CSkinIniWriter::Write(const SkinModel& model, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << Text(model);
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}
