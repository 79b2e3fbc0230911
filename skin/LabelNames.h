#pragma once

#include <QRect>
#include <vector>

class CLabel;
class CSkinComboBox;
class CSkinEdit;
class CSkinListBox;

// Names the window's text fields and lists on the accessibility bus after the skin label that
// introduces them: the nearest one above in the same column, or to the left in the same row.
// A control without such a label is called by its record name made readable.
class CLabelNames {
public:
    // The label nearest above or left of `control`, among those shown with a text; null
    // when there is none.
    static const CLabel* NearestLabel(const QRect& control, const std::vector<CLabel*>& labels);
    static void Apply(const std::vector<CSkinEdit*>& edits,
                      const std::vector<CSkinComboBox*>& comboBoxes,
                      const std::vector<CSkinListBox*>& listBoxes,
                      const std::vector<CLabel*>& labels);

private:
    // How far `label` lies above or left of `control`; negative when it is neither.
    static int Distance(const QRect& control, const QRect& label);
};
