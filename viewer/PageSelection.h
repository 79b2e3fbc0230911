#pragma once

#include <string>
#include <vector>

// Which pages of a strip are selected, and the page the keyboard is on. Pages count from 1.
// A plain click selects one page and anchors there; Shift selects from the anchor to the page
// clicked; Ctrl toggles one page and moves the anchor to it.
class PageSelection {
public:
    // `count` pages, `current` alone selected.
    void Reset(int count, int current);

    void Click(int page, bool extend, bool toggle);
    void SelectAll();
    // Exactly `pages` (those within the file), the keyboard on the first of them.
    void Select(const std::vector<int>& pages);
    // The keyboard moved to `page` (clamped into the file); `extend` keeps the anchor.
    void MoveTo(int page, bool extend);

    int Count() const { return int(m_selected.size()); }
    int Current() const { return m_current; }
    bool IsSelected(int page) const;
    // Selected pages, ascending.
    std::vector<int> Pages() const;
    // The selected pages written as a page list, e.g. "2,4-6".
    std::string Ranges() const;

private:
    void SelectRun(int from, int to);
    int Clamp(int page) const;

    std::vector<bool> m_selected;
    int m_current = 0;
    int m_anchor = 0;
};
