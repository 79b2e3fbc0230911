#include "skin/FocusChain.h"

#include <QWidget>
#include <algorithm>

std::vector<QWidget*> CFocusChain::Members(const QWidget* window) {
    std::vector<QWidget*> members;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && child->isVisibleTo(window) && child->isEnabled() &&
            child->focusPolicy() != Qt::NoFocus) {
            members.push_back(child);
        }
    }
    SortInReadingOrder(members);
    return members;
}

bool CFocusChain::SameRow(const QWidget* first, const QWidget* other) {
    const QRect a = first->geometry();
    const QRect b = other->geometry();
    const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) + 1;
    return overlap > 0 && 2 * overlap >= std::max(a.height(), b.height());
}

void CFocusChain::SortInReadingOrder(std::vector<QWidget*>& controls) {
    const auto byLeft = [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); };
    std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    for (auto row = controls.begin(); row != controls.end();) {
        const auto end = std::find_if(row + 1, controls.end(), [first = *row](const QWidget* w) {
            return !SameRow(first, w);
        });
        std::stable_sort(row, end, byLeft);
        row = end;
    }
}

QWidget* CFocusChain::Next(const QWidget* window, const QWidget* current, bool forward) {
    const std::vector<QWidget*> members = Members(window);
    if (members.empty()) {
        return nullptr;
    }
    const auto found = std::find(members.begin(), members.end(), current);
    if (found == members.end()) {
        return forward ? members.front() : members.back();
    }
    const auto at = std::distance(members.begin(), found);
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    return members[static_cast<std::size_t>((at + (forward ? 1 : count - 1)) % count)];
}
