#include "controls/ListRows.h"

CListRows::CListRows(QObject* parent) : QAbstractTableModel(parent) {}

int CListRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CListRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_alignments.size());
}

QVariant CListRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return Text(index.row(), index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return int(m_alignments[index.column()] | Qt::AlignVCenter);
    }
    return {};
}

void CListRows::AppendColumn(Qt::Alignment alignment) {
    const int column = columnCount();
    beginInsertColumns(QModelIndex(), column, column);
    m_alignments.push_back(alignment);
    endInsertColumns();
}

void CListRows::AppendRow(const QStringList& texts) {
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(texts);
    endInsertRows();
}

void CListRows::ReplaceRows(std::vector<QStringList> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString CListRows::Text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_rows[row].size()) {
        return {};
    }
    return m_rows[row][column];
}
