#pragma once

#include <QString>
#include <optional>

// The program's messages and its file chooser. An interface, so that tests answer from a
// script and never block. Captions are the application's title.
class Prompts {
public:
    // Message box flags, combinable.
    static constexpr unsigned kOk = 0x00;
    static constexpr unsigned kYesNo = 0x04;
    static constexpr unsigned kIconError = 0x10;
    static constexpr unsigned kIconInformation = 0x40;
    // Answers.
    static constexpr int kIdOk = 1;
    static constexpr int kIdYes = 6;
    static constexpr int kIdNo = 7;

    virtual ~Prompts();

    // Shows `text` with the buttons and icon of `flags`; `detail`, when given, is shown as
    // the box's detail text. Returns the answer.
    virtual int MessageBox(const QString& text, unsigned flags, const QString& detail = {}) = 0;
    // An open-file chooser starting in `folder`; nothing when the user cancels.
    virtual std::optional<QString> OpenFile(const QString& title, const QString& filter,
                                            const QString& folder) = 0;
    // A chooser for a file to write, starting in `folder`; nothing when the user cancels.
    // Programs that never write a chosen file answer with a cancel.
    virtual std::optional<QString> SaveFile(const QString& title, const QString& filter,
                                            const QString& folder);
};
