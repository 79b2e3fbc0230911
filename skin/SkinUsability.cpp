#include "skin/SkinUsability.h"

#include "platform/ImageOutline.h"
#include "platform/SkinImage.h"
#include "skin/SkinDescriptionReader.h"

#include <filesystem>

std::optional<QString> CSkinUsability::Problem(const SkinDescriptionReader& reader) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(reader.Path(), error)) {
        return QStringLiteral("the package holds no Skin.ini");
    }
    if (reader.TooLarge()) {
        return QStringLiteral("its Skin.ini is larger than 1 MiB");
    }
    const std::string background = reader.Background();
    if (background.empty()) {
        return QStringLiteral("its Skin.ini names no background bitmap");
    }
    const CSkinImage image = CSkinImage::FromFile(background);
    if (image.IsNull()) {
        const QString name =
            QString::fromStdString(std::filesystem::path(background).filename().string());
        return QStringLiteral("its background bitmap \"%1\" cannot be read").arg(name);
    }
    bool tooComplex = false;
    CImageOutline::Of(image.Image(), reader.TransparentColour(kNoColour), -1, nullptr, &tooComplex);
    if (tooComplex) {
        return QStringLiteral("its background's outline would need more than 65536 rectangles");
    }
    return std::nullopt;
}
