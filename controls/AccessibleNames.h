#pragma once

#include <QString>

class CSkinButton;

// What a screen reader calls a skinned control, from what the skin already holds: its tooltip,
// or else its record name made readable.
class CAccessibleNames {
public:
    // "BUTTON_BROWSE" reads "Browse": the kind before the first underscore is dropped.
    static QString Readable(const QString& recordName);
    // The tooltip, unless another button of the same window shares it; then the readable
    // record name, which tells them apart.
    static QString ButtonName(const CSkinButton& button);
    // The tooltip when it is not already the name.
    static QString ButtonDescription(const CSkinButton& button);

private:
    static bool TooltipShared(const CSkinButton& button);
};
