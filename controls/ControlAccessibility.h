#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

// Registers the accessible interfaces of the skinned controls with Qt's accessibility factory.
class CControlAccessibility {
public:
    // Once per process; later calls do nothing.
    static void Install();

private:
    static QAccessibleInterface* Make(const QString& className, QObject* object);
};
