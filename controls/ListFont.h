#pragma once

#include <QFont>
#include <QString>

// A font described by its cell height and average character width in pixels, as skinned
// lists ask for one.
class CListFont {
public:
    static QFont Make(const QString& face, int cellHeight, int averageWidth);
};
