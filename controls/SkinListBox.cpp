#include "controls/SkinListBox.h"

#include "controls/ListRowDelegate.h"
#include "controls/ListRows.h"
#include "controls/SkinScrollBar.h"
#include "platform/QtConvert.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace {

constexpr int kRowPadding = 2;

} // namespace

CSkinListBox::CSkinListBox(QWidget* parent) : QTableView(parent), m_rows(new CListRows(this)) {
    setModel(m_rows);
    setItemDelegate(new CListRowDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab leaves the list for the next control
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    ApplyColours();
}

CSkinListBox::~CSkinListBox() {
    delete m_bar;
}

void CSkinListBox::SetBkColour(COLORREF colour) {
    m_bkColour = colour;
    ApplyColours();
    if (m_bar) {
        m_bar->SetBkColour(colour);
    }
}

void CSkinListBox::SetTextColour(COLORREF colour) {
    m_textColour = colour;
    ApplyColours();
}

void CSkinListBox::SetSelectedBkColour(COLORREF colour) {
    m_selectedBkColour = colour;
    ApplyColours();
}

void CSkinListBox::SetSelectedTextColour(COLORREF colour) {
    m_selectedTextColour = colour;
    ApplyColours();
}

void CSkinListBox::SetColours(COLORREF background, COLORREF text, COLORREF selectedBackground,
                              COLORREF selectedText) {
    m_textColour = text;
    m_selectedBkColour = selectedBackground;
    m_selectedTextColour = selectedText;
    SetBkColour(background);
}

// Selected rows keep the skin's colours whether or not the list has the focus.
void CSkinListBox::ApplyColours() {
    QPalette colours = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, ToQColor(m_bkColour));
        colours.setColor(group, QPalette::Window, ToQColor(m_bkColour));
        colours.setColor(group, QPalette::Text, ToQColor(m_textColour));
        colours.setColor(group, QPalette::Highlight, ToQColor(m_selectedBkColour));
        colours.setColor(group, QPalette::HighlightedText, ToQColor(m_selectedTextColour));
    }
    setPalette(colours);
}

void CSkinListBox::SetScrollBarImages(const std::array<std::string, 7>& files) {
    if (parentWidget() == nullptr) {
        return;
    }
    delete m_bar;
    m_bar = new CSkinScrollBar(parentWidget());
    m_bar->LoadImages(files[0], files[1], files[2], files[3], files[4], files[5], files[6]);
    m_bar->SetList(this);
    m_bar->SetBkColour(m_bkColour);
    m_bar->setVisible(isVisibleTo(parentWidget()));
    resize(width() - m_bar->GetBarWidth(), height());
    PlaceScrollBar();
}

void CSkinListBox::PlaceScrollBar() {
    if (m_bar) {
        m_bar->setGeometry(x() + width(), y(), m_bar->GetBarWidth(), height());
        m_bar->Sync();
    }
}

void CSkinListBox::InsertColumn(Qt::Alignment alignment, int width) {
    m_rows->AppendColumn(alignment);
    setColumnWidth(m_rows->columnCount() - 1, width);
}

QStringList CSkinListBox::RowTexts(int row, const QString& text) const {
    return {QStringLiteral("%1.").arg(QString::number(row + 1), 3), text};
}

void CSkinListBox::AddItem(const QString& text) {
    m_rows->AppendRow(RowTexts(m_rows->rowCount(), text));
}

void CSkinListBox::RemoveSelected() {
    std::vector<QStringList> kept;
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        if (!selectionModel()->isRowSelected(row, QModelIndex())) {
            kept.push_back(RowTexts(int(kept.size()), m_rows->Text(row, TextColumn())));
        }
    }
    m_rows->ReplaceRows(std::move(kept));
    viewport()->update();
}

int CSkinListBox::ItemCount() const {
    return m_rows->rowCount();
}

QString CSkinListBox::ItemText(int row, int column) const {
    return m_rows->Text(row, column);
}

int CSkinListBox::ScrollPos() const {
    return verticalScrollBar()->value();
}

int CSkinListBox::ScrollLimit() const {
    return verticalScrollBar()->maximum();
}

// Home and End go to the first and last row, as in a list, not along the row.
QModelIndex CSkinListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) {
        modifiers |= Qt::ControlModifier;
    }
    return QTableView::moveCursor(action, modifiers);
}

void CSkinListBox::moveEvent(QMoveEvent* event) {
    QTableView::moveEvent(event);
    PlaceScrollBar();
}

void CSkinListBox::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    PlaceScrollBar();
}

void CSkinListBox::setVisible(bool visible) {
    QTableView::setVisible(visible);
    if (m_bar) {
        m_bar->setVisible(visible);
    }
}

void CSkinListBox::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    }
}
