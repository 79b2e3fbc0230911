#include "viewer/PageEditor.h"

#include "viewer/BusyWork.h"

PageEditor::Outcome PageEditor::Run(QWidget* window, const QString& what, const std::string& target,
                                    const Change& change) {
    TiffVersionHistory& history = History(target);
    Outcome outcome;
    BusyWork work(window, what, true);
    work.Run([&](const TiffProgress& progress) {
        history.BeforeChange();
        outcome.status = change(progress);
        if (outcome.status.ok) {
            history.AfterChange();
        }
    });
    outcome.cancelled = !outcome.status.ok && work.Cancelled();
    return outcome;
}

PageEditor::Outcome PageEditor::Undo(QWidget* window, const std::string& target) {
    Outcome outcome;
    TiffVersionHistory& history = History(target);
    BusyWork(window, QObject::tr("Undoing"), false).Run([&](const TiffProgress&) {
        outcome.status = history.Undo();
    });
    return outcome;
}

PageEditor::Outcome PageEditor::Redo(QWidget* window, const std::string& target) {
    Outcome outcome;
    TiffVersionHistory& history = History(target);
    BusyWork(window, QObject::tr("Redoing"), false).Run([&](const TiffProgress&) {
        outcome.status = history.Redo();
    });
    return outcome;
}

bool PageEditor::CanUndo(const std::string& target) const {
    const TiffVersionHistory* history = Find(target);
    return history != nullptr && history->UndoSteps() > 0;
}

bool PageEditor::CanRedo(const std::string& target) const {
    const TiffVersionHistory* history = Find(target);
    return history != nullptr && history->RedoSteps() > 0;
}

TiffVersionHistory& PageEditor::History(const std::string& target) {
    std::unique_ptr<TiffVersionHistory>& history = m_histories[target];
    if (!history) {
        history = std::make_unique<TiffVersionHistory>(target);
    }
    return *history;
}

const TiffVersionHistory* PageEditor::Find(const std::string& target) const {
    const auto found = m_histories.find(target);
    return found == m_histories.end() ? nullptr : found->second.get();
}
