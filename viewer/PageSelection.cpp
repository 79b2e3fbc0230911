#include "viewer/PageSelection.h"

#include <algorithm>

void PageSelection::Reset(int count, int current) {
    m_selected.assign(std::size_t(std::max(0, count)), false);
    m_current = m_anchor = Clamp(current);
    if (m_current > 0) {
        m_selected[std::size_t(m_current - 1)] = true;
    }
}

int PageSelection::Clamp(int page) const {
    return Count() == 0 ? 0 : std::clamp(page, 1, Count());
}

void PageSelection::SelectRun(int from, int to) {
    std::fill(m_selected.begin(), m_selected.end(), false);
    for (int page = std::min(from, to); page <= std::max(from, to); ++page) {
        m_selected[std::size_t(page - 1)] = true;
    }
}

void PageSelection::Click(int page, bool extend, bool toggle) {
    if (page < 1 || page > Count()) {
        return;
    }
    m_current = page;
    if (toggle) {
        m_selected[std::size_t(page - 1)] = !m_selected[std::size_t(page - 1)];
        m_anchor = page;
    } else if (extend) {
        SelectRun(m_anchor, page);
    } else {
        SelectRun(page, page);
        m_anchor = page;
    }
}

void PageSelection::SelectAll() {
    std::fill(m_selected.begin(), m_selected.end(), true);
}

void PageSelection::Select(const std::vector<int>& pages) {
    std::fill(m_selected.begin(), m_selected.end(), false);
    for (const int page : pages) {
        if (page >= 1 && page <= Count()) {
            m_selected[std::size_t(page - 1)] = true;
        }
    }
    if (!pages.empty()) {
        m_current = m_anchor = Clamp(pages.front());
    }
}

void PageSelection::MoveTo(int page, bool extend) {
    if (Count() == 0) {
        return;
    }
    m_current = Clamp(page);
    if (!extend) {
        m_anchor = m_current;
    }
    SelectRun(m_anchor, m_current);
}

bool PageSelection::IsSelected(int page) const {
    return page >= 1 && page <= Count() && m_selected[std::size_t(page - 1)];
}

std::vector<int> PageSelection::Pages() const {
    std::vector<int> pages;
    for (int page = 1; page <= Count(); ++page) {
        if (m_selected[std::size_t(page - 1)]) {
            pages.push_back(page);
        }
    }
    return pages;
}

std::string PageSelection::Ranges() const {
    std::string text;
    const std::vector<int> pages = Pages();
    for (std::size_t i = 0; i < pages.size();) {
        std::size_t end = i;
        while (end + 1 < pages.size() && pages[end + 1] == pages[end] + 1) {
            ++end;
        }
        text += (text.empty() ? "" : ",") + std::to_string(pages[i]);
        if (end > i) {
            text += "-" + std::to_string(pages[end]);
        }
        i = end + 1;
    }
    return text;
}
