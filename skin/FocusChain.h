#pragma once

#include <vector>

class QWidget;

// The order in which Tab visits a window's controls: reading order by rectangle, top to
// bottom, then left to right within a row. Taken afresh at every Tab, so controls that were
// hidden, shown, disabled or moved meanwhile are where they are now.
class CFocusChain {
public:
    // The window's own controls that can take the focus now: visible, enabled children with
    // any focus policy but none, in reading order.
    static std::vector<QWidget*> Members(const QWidget* window);
    // Controls share a row when their vertical spans overlap by at least half the taller one.
    static void SortInReadingOrder(std::vector<QWidget*>& controls);
    // The member after (or before) `current`, round the end; the first (or last) when `current`
    // is none of them; null when the window has none.
    static QWidget* Next(const QWidget* window, const QWidget* current, bool forward);

private:
    static bool SameRow(const QWidget* first, const QWidget* other);
};
