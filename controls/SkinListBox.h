#pragma once

#include "controls/SkinScrollBar.h"
#include "platform/WinTypes.h"

#include <QPointer>
#include <QString>
#include <QTableView>
#include <array>
#include <string>

class CListRows;

// Numbered list of texts in skin colours, with the skin scroll bar beside it instead of its
// own. It scrolls by whole rows, so its scroll position and limit count rows.
class CSkinListBox : public QTableView {
    Q_OBJECT

public:
    static constexpr int kNumberColumnWidth = 35;
    static constexpr int kTextColumnMargin = 40;

    explicit CSkinListBox(QWidget* parent = nullptr);
    ~CSkinListBox() override;

    QString name;
    int index = 0;

    // No repaint: the colours show at the next paint.
    void SetBkColour(COLORREF colour);
    void SetTextColour(COLORREF colour);
    void SetSelectedBkColour(COLORREF colour);
    void SetSelectedTextColour(COLORREF colour);
    // All four at once, with one palette change.
    void SetColours(COLORREF background, COLORREF text, COLORREF selectedBackground,
                    COLORREF selectedText);
    // Track, up, active up, down, active down, thumb, active thumb. Narrows the list by the
    // bar's width and puts the bar right of it.
    void SetScrollBarImages(const std::array<std::string, 7>& files);
    void InsertColumn(Qt::Alignment alignment, int width);

    // Appends a row numbered with its position ("  1.").
    void AddItem(const QString& text);
    // Drops the selected rows and numbers the others again from 1.
    void RemoveSelected();

    int ItemCount() const;
    QString ItemText(int row, int column) const;
    CSkinScrollBar* ScrollBar() const { return m_bar; }
    int ScrollPos() const;
    int ScrollLimit() const;
    // The bar is shown and hidden with the list.
    void setVisible(bool visible) override;

protected:
    // The texts of row `row` made from `text`, column by column.
    virtual QStringList RowTexts(int row, const QString& text) const;
    // The column whose text a row is made from.
    virtual int TextColumn() const { return 1; }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyColours();
    void PlaceScrollBar();

    CListRows* m_rows;
    QPointer<CSkinScrollBar> m_bar;
    COLORREF m_selectedTextColour = 0xFFFFFF;
    COLORREF m_selectedBkColour = 0;
    COLORREF m_textColour = 0;
    COLORREF m_bkColour = 0xFFFFFF;
};
