#include "platform/Prompts.h"

Prompts::~Prompts() = default;

std::optional<QString> Prompts::SaveFile(const QString&, const QString&, const QString&) {
    return std::nullopt;
}
