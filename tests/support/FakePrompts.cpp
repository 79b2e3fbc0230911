#include "tests/support/FakePrompts.h"

namespace tipin::test {

int FakePrompts::MessageBox(const QString& text, unsigned flags, const QString& detail) {
    messages.push_back({text, flags, detail});
    if (onMessage) {
        onMessage(messages.back());
    }
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (flags & kYesNo) ? kIdNo : kIdOk;
}

std::optional<QString> FakePrompts::OpenFile(const QString& title, const QString& filter,
                                             const QString& folder) {
    fileRequests.push_back({title, filter, folder});
    if (files.empty()) {
        return std::nullopt;
    }
    const std::optional<QString> file = files.front();
    files.pop_front();
    return file;
}

std::optional<QString> FakePrompts::SaveFile(const QString& title, const QString& filter,
                                             const QString& folder) {
    return OpenFile(title, filter, folder);
}

std::vector<QString> FakePrompts::Texts() const {
    std::vector<QString> texts;
    for (const Message& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}

} // namespace tipin::test
