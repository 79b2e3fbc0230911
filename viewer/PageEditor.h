#pragma once

#include "viewer/TiffProgress.h"
#include "viewer/TiffResults.h"
#include "viewer/TiffVersionHistory.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QWidget;

// The changes the window makes to files, each run as long work (busy dialog, progress,
// cancel) and each kept as an undo step of its file.
class PageEditor {
public:
    struct Outcome {
        TiffStatus status;
        bool cancelled = false;
    };
    using Change = std::function<TiffStatus(const TiffProgress& progress)>;

    // `what` names the work in the busy dialog.
    Outcome Run(QWidget* window, const QString& what, const std::string& target,
                const Change& change);
    Outcome Undo(QWidget* window, const std::string& target);
    Outcome Redo(QWidget* window, const std::string& target);
    bool CanUndo(const std::string& target) const;
    bool CanRedo(const std::string& target) const;

private:
    TiffVersionHistory& History(const std::string& target);
    const TiffVersionHistory* Find(const std::string& target) const;

    std::map<std::string, std::unique_ptr<TiffVersionHistory>> m_histories;
};
