#pragma once

#include "platform/Prompts.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace tipin::test {

// Records every message and answers from a script: message answers in order (then OK for
// plain boxes and No for questions), chosen files in order (then a cancel).
class FakePrompts : public Prompts {
public:
    struct Message {
        QString text;
        unsigned flags;
        QString detail;
    };
    struct FileRequest {
        QString title;
        QString filter;
        QString folder;
    };

    int MessageBox(const QString& text, unsigned flags, const QString& detail = {}) override;
    std::optional<QString> OpenFile(const QString& title, const QString& filter,
                                    const QString& folder) override;
    // Answers from `files` too, recording the request in `fileRequests`.
    std::optional<QString> SaveFile(const QString& title, const QString& filter,
                                    const QString& folder) override;

    std::vector<QString> Texts() const;

    std::deque<int> answers;
    std::deque<std::optional<QString>> files;
    std::vector<Message> messages;
    std::vector<FileRequest> fileRequests;
    // Called with each message as it is shown.
    std::function<void(const Message&)> onMessage;
};

} // namespace tipin::test
