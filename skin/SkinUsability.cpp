#include "skin/SkinUsability.h"

#include "platform/SkinImage.h"
#include "skin/SkinDescriptionReader.h"

#include <filesystem>

std::optional<QString> CSkinUsability::Problem(const std::string& iniPath) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(iniPath, error)) {
        return QStringLiteral("the package holds no Skin.ini");
    }
    const std::string background = SkinDescriptionReader(iniPath).Background();
    if (background.empty()) {
        return QStringLiteral("its Skin.ini names no background bitmap");
    }
    if (CSkinImage::FromFile(background).IsNull()) {
        const QString name =
            QString::fromStdString(std::filesystem::path(background).filename().string());
        return QStringLiteral("its background bitmap \"%1\" cannot be read").arg(name);
    }
    return std::nullopt;
}
