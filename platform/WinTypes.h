#pragma once

#include <cstdint>

// The value types that skins are written in: colours as 0x00BBGGRR, rectangles as edges.

using COLORREF = std::uint32_t;

// "No colour": an empty colour token, or a skin that names no transparent colour.
inline constexpr COLORREF kNoColour = 0xFFFFFFFF;

constexpr COLORREF Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return COLORREF(red) | COLORREF(green) << 8 | COLORREF(blue) << 16;
}
constexpr std::uint8_t RedOf(COLORREF c) {
    return c & 0xFF;
}
constexpr std::uint8_t GreenOf(COLORREF c) {
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(COLORREF c) {
    return (c >> 16) & 0xFF;
}

// Left, top, right, bottom in pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};
