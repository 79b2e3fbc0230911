#include "controls/ComboList.h"

#include "controls/SkinComboBox.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <algorithm>

CComboList::CComboList(QWidget* parent) : CSkinListBox(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::clicked, this, &CComboList::RowClicked);
}

QStringList CComboList::RowTexts(int, const QString& text) const {
    return {text};
}

// The text of the first selected row, or an empty text when none is.
void CComboList::SetCombo(CSkinComboBox* combo) {
    m_combo = combo;
}

void CComboList::RowClicked() {
    QString text;
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        int first = rows.front().row();
        for (const QModelIndex& row : rows) {
            first = std::min(first, row.row());
        }
        text = ItemText(first, 0);
    }
    if (m_combo) {
        m_combo->SelectString(text);
    }
}

// Clicked rows report through `clicked`; the empty area below them chooses no row.
void CComboList::mouseReleaseEvent(QMouseEvent* event) {
    CSkinListBox::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid()) {
        clearSelection();
        RowClicked();
    }
}
