#include "controls/AccessibleNames.h"

#include "controls/SkinButton.h"

#include <QStringList>

namespace {

QString Tooltip(const CSkinButton& button) {
    return button.TooltipText().value_or(QString()).trimmed();
}

} // namespace

QString CAccessibleNames::Readable(const QString& recordName) {
    QStringList words = recordName.split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (words.size() > 1) {
        words.removeFirst();
    }
    QString text = words.join(QLatin1Char(' ')).toLower();
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

bool CAccessibleNames::TooltipShared(const CSkinButton& button) {
    const QWidget* parent = button.parentWidget();
    if (parent == nullptr) {
        return false;
    }
    const QString tooltip = Tooltip(button);
    const auto siblings = parent->findChildren<const CSkinButton*>(Qt::FindDirectChildrenOnly);
    for (const CSkinButton* other : siblings) {
        if (other != &button && Tooltip(*other) == tooltip) {
            return true;
        }
    }
    return false;
}

QString CAccessibleNames::ButtonName(const CSkinButton& button) {
    const QString tooltip = Tooltip(button);
    const QString readable = Readable(button.name);
    if (tooltip.isEmpty() || (!readable.isEmpty() && TooltipShared(button))) {
        return readable;
    }
    return tooltip;
}

QString CAccessibleNames::ButtonDescription(const CSkinButton& button) {
    const QString tooltip = Tooltip(button);
    return tooltip == ButtonName(button) ? QString() : tooltip;
}
