#include "platform/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kNarrowest = 360;
constexpr int kWidest = 720;
// The texts sit right of the icon's column, which the spacer spans as well.
constexpr int kIconColumn = 64;

// Wide enough for a path and a reason on one or two lines, yet within the screen: the box's
// own sizing wraps a one-line reason after a few words.
void Widen(QMessageBox& box, const QString& text, const QString& detail) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    const QFontMetrics metrics(box.font());
    const int longest =
        std::max(metrics.horizontalAdvance(text), metrics.horizontalAdvance(detail));
    const QScreen* screen = box.screen();
    const int room = screen == nullptr ? kWidest : screen->availableGeometry().width() * 9 / 10;
    const int width = std::clamp(longest + kIconColumn, kNarrowest,
                                 std::max(kNarrowest, std::min(kWidest, room)));
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

QtPrompts::QtPrompts(QWidget* parent) : m_parent(parent) {}

int QtPrompts::MessageBox(const QString& text, unsigned flags, const QString& detail) {
    QMessageBox box(m_parent);
    box.setWindowTitle(QApplication::applicationName());
    box.setText(text);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
    }
    if (flags & kIconError) {
        box.setIcon(QMessageBox::Critical);
    } else if (flags & kIconInformation) {
        box.setIcon(QMessageBox::Information);
    }
    const bool yesNo = (flags & kYesNo) != 0;
    box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (yesNo) {
        box.setDefaultButton(QMessageBox::Yes);
    }
    // Last: setting the texts or the icon lays the box out anew.
    Widen(box, text, detail);
    const int answer = box.exec();
    if (!yesNo) {
        return kIdOk;
    }
    return answer == QMessageBox::Yes ? kIdYes : kIdNo;
}

std::optional<QString> QtPrompts::OpenFile(const QString& title, const QString& filter,
                                           const QString& folder) {
    const QString file = QFileDialog::getOpenFileName(m_parent, title, folder, filter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

std::optional<QString> QtPrompts::SaveFile(const QString& title, const QString& filter,
                                           const QString& folder) {
    const QString file = QFileDialog::getSaveFileName(m_parent, title, folder, filter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}
