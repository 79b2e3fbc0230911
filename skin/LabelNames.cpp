#include "skin/LabelNames.h"

#include "controls/AccessibleNames.h"
#include "controls/Label.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"

#include <algorithm>
#include <climits>

namespace {

// A label may reach this far into the control it introduces, as skins are drawn by hand.
constexpr int kSlack = 2;

bool Overlap(int a1, int a2, int b1, int b2) {
    return std::min(a2, b2) > std::max(a1, b1);
}

QString NameFor(const QRect& control, const std::vector<CLabel*>& labels,
                const QString& recordName) {
    const CLabel* label = CLabelNames::NearestLabel(control, labels);
    return label ? label->Text().simplified() : CAccessibleNames::Readable(recordName);
}

} // namespace

int CLabelNames::Distance(const QRect& control, const QRect& label) {
    const int above = control.top() - (label.top() + label.height());
    if (above >= -kSlack && Overlap(control.left(), control.left() + control.width(), label.left(),
                                    label.left() + label.width())) {
        return std::max(0, above);
    }
    const int left = control.left() - (label.left() + label.width());
    if (left >= -kSlack && Overlap(control.top(), control.top() + control.height(), label.top(),
                                   label.top() + label.height())) {
        return std::max(0, left);
    }
    return -1;
}

const CLabel* CLabelNames::NearestLabel(const QRect& control, const std::vector<CLabel*>& labels) {
    const CLabel* nearest = nullptr;
    int best = INT_MAX;
    for (const CLabel* label : labels) {
        if (label->isHidden() || label->Text().trimmed().isEmpty()) {
            continue;
        }
        const int distance = Distance(control, label->geometry());
        if (distance >= 0 && distance < best) {
            best = distance;
            nearest = label;
        }
    }
    return nearest;
}

void CLabelNames::Apply(const std::vector<CSkinEdit*>& edits,
                        const std::vector<CSkinComboBox*>& comboBoxes,
                        const std::vector<CSkinListBox*>& listBoxes,
                        const std::vector<CLabel*>& labels) {
    for (CSkinEdit* edit : edits) {
        edit->setAccessibleName(NameFor(edit->geometry(), labels, edit->name));
    }
    for (CSkinListBox* list : listBoxes) {
        list->setAccessibleName(NameFor(list->geometry(), labels, list->name));
    }
    for (CSkinComboBox* combo : comboBoxes) {
        const QString name = NameFor(combo->geometry(), labels, combo->name);
        combo->setAccessibleName(name);
        for (QWidget* part : std::initializer_list<QWidget*>{combo->EditPart(), combo->ButtonPart(),
                                                             combo->ListPart()}) {
            if (part != nullptr) {
                part->setAccessibleName(name);
            }
        }
    }
}
