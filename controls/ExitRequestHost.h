#pragma once

#include <QString>

// The popup that holds the task-bar exit button: it is told by name, not by index.
class CExitRequestHost {
public:
    virtual ~CExitRequestHost() = default;

    virtual void ExitRequest(const QString& name) = 0;
};
