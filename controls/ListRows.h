#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The rows of a skinned list: texts by row and column, with one alignment per column.
class CListRows : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CListRows(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void AppendColumn(Qt::Alignment alignment);
    // A row may hold more texts than there are columns; the extra ones are kept, not shown.
    void AppendRow(const QStringList& texts);
    void ReplaceRows(std::vector<QStringList> rows);
    QString Text(int row, int column) const;

private:
    std::vector<Qt::Alignment> m_alignments;
    std::vector<QStringList> m_rows;
};
