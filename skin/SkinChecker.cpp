#include "skin/SkinChecker.h"

#include "platform/ImageOutline.h"
#include "platform/SkinImage.h"
#include "platform/SkinImageCache.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/Tokens.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kStripFrames = 4;

std::string RecordName(const char* section, int index, const std::string& name) {
    return std::string(section) + " " + std::to_string(index + 1) + " (" + name + ")";
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A play and a pause button share their place: only one of them is ever shown.
bool SharePlace(const std::string& a, const std::string& b) {
    return (a == "BUTTON_PLAY" && b == "BUTTON_PAUSE") ||
           (a == "BUTTON_PAUSE" && b == "BUTTON_PLAY");
}

} // namespace

std::vector<CSkinChecker::Finding> CSkinChecker::CheckFolder(const std::string& folder) {
    const CSkinImageCache decodeOnce;
    CSkinChecker checker(folder);
    if (checker.m_findingsLeftOut > 0) {
        checker.m_findings.push_back(
            {"package", std::to_string(checker.m_findingsLeftOut) + " more findings left out"});
    }
    return checker.m_findings;
}

bool CSkinChecker::IsUnsafeEntryName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':')) {
        return true;
    }
    std::string part;
    for (const char c : name + "/") {
        if (c == '/' || c == '\\') {
            if (part == "..") {
                return true;
            }
            part.clear();
        } else {
            part += c;
        }
    }
    return false;
}

CSkinChecker::CSkinChecker(const std::string& folder) : m_folder(folder) {
    const std::string ini = folder + "/Skin.ini";
    if (!std::filesystem::is_regular_file(ini)) {
        Add("Skin.ini", "missing");
        return;
    }
    const SkinDescriptionReader reader(ini);
    if (reader.TooLarge()) {
        Add("Skin.ini", "larger than 1 MiB; the program refuses it");
        return;
    }
    m_skin = reader.ReadAll();
    for (const auto& [section, count] : m_skin.ignoredRecords) {
        Add(section, std::to_string(count) + " records past the first " +
                         std::to_string(kMaxListRecords) + " are ignored");
    }
    CheckBackground();
    CheckBitmap("notifier", folder + "/" + SkinDescription::kNotifierBitmap, false);
    CollectControls();
    for (const Control& control : m_controls) {
        CheckPlace(control);
    }
    CheckOverlaps();
    CheckNeededNames();
}

void CSkinChecker::Add(const std::string& record, const std::string& reason) {
    if (m_findings.size() < kMaxFindings) {
        m_findings.push_back({record, reason});
    } else {
        ++m_findingsLeftOut;
    }
}

void CSkinChecker::CheckBackground() {
    if (m_skin.background.empty()) {
        Add("Screen Main", "no background bitmap named");
        return;
    }
    m_background = CSkinImage::FromFile(m_skin.background).Image();
    m_cutPixels =
        CCutPixelCount(m_background, m_skin.transparentColour, kSkinWindowWidth, kSkinWindowHeight);
    if (m_background.isNull()) {
        Add("Screen Main", "missing or unloadable bitmap " + FileName(m_skin.background));
        return;
    }
    bool tooComplex = false;
    CImageOutline::Of(m_background, m_skin.transparentColour, -1, nullptr, &tooComplex);
    if (tooComplex) {
        Add("Screen Main", "its outline would need more than 65536 rectangles");
    }
}

void CSkinChecker::CheckBitmap(const std::string& record, const std::string& path, bool strip) {
    const CSkinImage image = CSkinImage::FromFile(path);
    if (image.IsNull()) {
        Add(record,
            "missing or unloadable bitmap " + (path.empty() ? "(none named)" : FileName(path)));
    } else if (strip && image.Width() % kStripFrames != 0) {
        Add(record, "strip " + FileName(path) + " is " + std::to_string(image.Width()) +
                        " pixels wide, which does not divide into four frames");
    }
}

void CSkinChecker::CollectControls() {
    for (const ButtonRecord& b : m_skin.taskbarButtons) {
        CheckBitmap(RecordName("TASKBARBUTTON", b.index, b.name), b.bitmap, true);
    }
    for (const ButtonRecord& b : m_skin.buttons) {
        const std::string record = RecordName("BUTTONINFO", b.index, b.name);
        CheckBitmap(record, b.bitmap, true);
        m_controls.push_back({record, b.name, b.rect, true});
    }
    for (const SliderRecord& s : m_skin.sliders) {
        const std::string record = RecordName("SLIDERINFO", s.index, s.name);
        CheckBitmap(record, s.channelBitmap, false);
        CheckBitmap(record, s.thumbBitmap, false);
        m_controls.push_back({record, s.name, s.rect, true});
    }
    const auto latches = [this](const char* section, const std::vector<LatchRecord>& records) {
        for (const LatchRecord& l : records) {
            const std::string record = RecordName(section, l.index, l.name);
            CheckBitmap(record, l.bitmap, true);
            m_controls.push_back({record, l.name, l.rect, true});
        }
    };
    latches("OPTIONINFO", m_skin.options);
    latches("CHECKINFO", m_skin.checks);
    for (const LabelRecord& l : m_skin.labels) {
        m_controls.push_back({RecordName("LABELINFO", l.index, l.name), l.name, l.rect, false});
    }
    for (const EditRecord& e : m_skin.edits) {
        m_controls.push_back({RecordName("EDITBOXINFO", e.index, e.name), e.name, e.rect, true});
    }
    for (const ListBoxRecord& l : m_skin.listBoxes) {
        m_controls.push_back({RecordName("LISTBOXINFO", l.index, l.name), l.name, l.rect, true});
    }
    for (const ComboBoxRecord& c : m_skin.comboBoxes) {
        const std::string record = RecordName("COMBOBOXINFO", c.index, c.name);
        CheckBitmap(record, c.bitmap, true);
        m_controls.push_back({record, c.name, c.rect, true});
    }
    if (m_skin.icon) {
        CheckBitmap("ICON", m_skin.icon->bitmap, false);
    }
    if (m_skin.screenRect) {
        m_controls.push_back({"CONTROL", "CONTROL", *m_skin.screenRect, false});
    }
}

void CSkinChecker::CheckPlace(const Control& control) {
    const Rect& r = control.rect;
    if (r.left < 0 || r.top < 0 || r.right > kSkinWindowWidth || r.bottom > kSkinWindowHeight) {
        Add(control.record, "lies outside the window");
        return;
    }
    if (!m_background.isNull() && !r.IsEmpty() && m_cutPixels.CountIn(r) > 0) {
        Add(control.record, "lies outside the background's opaque area");
    }
}

void CSkinChecker::CheckOverlaps() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        for (std::size_t j = i + 1; j < m_controls.size(); ++j) {
            const Control& a = m_controls[i];
            const Control& b = m_controls[j];
            if (a.clickable && b.clickable && Overlap(a.rect, b.rect) &&
                !SharePlace(a.name, b.name)) {
                Add(a.record, "overlaps " + b.record);
            }
        }
    }
}

void CSkinChecker::CheckNeededNames() {
    const auto has = [this](const std::string& name) {
        return std::any_of(m_skin.buttons.begin(), m_skin.buttons.end(),
                           [&name](const ButtonRecord& b) { return b.name == name; });
    };
    for (const char* name : {"BUTTON_BROWSE", "BUTTON_BROWSEAPPEND", "BUTTON_CONVERT",
                             "BUTTON_PAGE", "BUTTON_MINIMIZE"}) {
        if (!has(name)) {
            Add("BUTTONINFO", std::string("no button named ") + name);
        }
    }
    if (!has("BUTTON_CLOSE") && !has("BUTTON_EXIT")) {
        Add("BUTTONINFO", "no button named BUTTON_CLOSE or BUTTON_EXIT");
    }
    if (m_skin.edits.size() < 4) {
        Add("EDITBOXINFO",
            std::to_string(m_skin.edits.size()) + " edit boxes; the program needs four");
    }
    const bool total =
        std::any_of(m_skin.labels.begin(), m_skin.labels.end(),
                    [](const LabelRecord& l) { return l.name == "LABEL_PAGETOTAL"; });
    if (!total) {
        Add("LABELINFO", "no label named LABEL_PAGETOTAL");
    }
    if (!m_skin.screenRect) {
        Add("CONTROL", "no rectangle for the page viewer");
    }
}
