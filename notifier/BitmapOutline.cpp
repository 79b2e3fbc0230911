#include "notifier/BitmapOutline.h"

#include "platform/ImageOutline.h"

namespace {

bool IsByte(int value) {
    return value >= 0 && value <= 0xFF;
}

} // namespace

std::optional<QRegion> CBitmapOutline::Of(const QImage& bitmap, int red, int green, int blue) {
    const int width = UsedWidth(bitmap.width());
    if (bitmap.isNull() || width <= 0 || bitmap.height() <= 0) {
        return std::nullopt;
    }
    const bool cutsAny = IsByte(red) && IsByte(green) && IsByte(blue);
    return CImageOutline::Of(bitmap, cutsAny ? Rgb(red, green, blue) : kNoColour, width);
}
