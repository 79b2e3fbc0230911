#pragma once

#include "platform/Prompts.h"

#include <QPointer>
#include <QWidget>

// Message boxes and file dialogs of Qt, modal to `parent`.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr);

    int MessageBox(const QString& text, unsigned flags, const QString& detail = {}) override;
    std::optional<QString> OpenFile(const QString& title, const QString& filter,
                                    const QString& folder) override;
    std::optional<QString> SaveFile(const QString& title, const QString& filter,
                                    const QString& folder) override;

private:
    QPointer<QWidget> m_parent;
};
