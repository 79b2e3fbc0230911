#pragma once

#include "skin/CutPixelCount.h"
#include "skin/SkinRecords.h"

#include <QImage>
#include <string>
#include <vector>

// Checks an extracted skin for what skin authors get wrong: bitmaps that do not load, strips
// that do not cut into four frames, controls outside the window or its outline, clickable
// controls on top of each other, and names the program needs but the skin lacks.
class CSkinChecker {
public:
    struct Finding {
        std::string record; // e.g. "BUTTONINFO 3 (BUTTON_BROWSE)"
        std::string reason;
    };

    // Findings for the skin in `folder`, which holds its Skin.ini; none when it is clean.
    static std::vector<Finding> CheckFolder(const std::string& folder);
    // True when the entry name would leave the folder it is extracted into.
    static bool IsUnsafeEntryName(const std::string& name);

private:
    struct Control {
        std::string record;
        std::string name;
        Rect rect;
        bool clickable;
    };

    explicit CSkinChecker(const std::string& folder);
    void CheckBackground();
    void CheckBitmap(const std::string& record, const std::string& path, bool strip);
    void CheckPlace(const Control& control);
    void CheckOverlaps();
    void CheckNeededNames();
    void CollectControls();
    void Add(const std::string& record, const std::string& reason);

    std::string m_folder;
    SkinDescription m_skin;
    QImage m_background;
    std::vector<Control> m_controls;
    static constexpr std::size_t kMaxFindings = 1000;

    CCutPixelCount m_cutPixels;
    std::vector<Finding> m_findings;
    std::size_t m_findingsLeftOut = 0;
};
