#include "menus/MenuDrawStyle.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr int kW = 40;
constexpr int kH = 30;
constexpr COLORREF kMenuInside = Rgb(1, 2, 3); // what the menu itself painted
constexpr COLORREF kLight = Rgb(250, 240, 230);
constexpr COLORREF kDark = Rgb(10, 20, 30);
constexpr COLORREF kBar = Rgb(100, 150, 200);
constexpr COLORREF kButtonText = Rgb(0, 0, 64);
constexpr COLORREF kButtonShadow = Rgb(128, 64, 0);

COLORREF At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

// A background with a different colour at every pixel: B(x, y).
COLORREF Pattern(int x, int y) {
    return Rgb((x * 5 + 40) % 256, (y * 7 + 60) % 256, 180);
}

QImage PatternImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF c = Pattern(x, y);
            image.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
        }
    }
    return image;
}

MenuFramePaint Frame(const MenuPlatform& platform) {
    const CMenuDrawStyle style(2, CMenuDrawStyle::Family::B, 1, platform);
    MenuFramePaint frame;
    frame.size = QSize(kW, kH);
    frame.client = style.ClientRect(frame.size);
    frame.shadowMargin = style.ShadowMargin();
    frame.highContrast = platform.highContrast;
    frame.screenColours = platform.ScreenColours();
    frame.colours = {kLight, kDark, kBar};
    frame.buttonText = kButtonText;
    frame.buttonShadow = kButtonShadow;
    frame.background = PatternImage(kW + 10, kH + 10);
    frame.fallback = Rgb(9, 9, 9);
    return frame;
}

QImage Paint(const MenuFramePaint& frame, bool linesOnly = false) {
    QImage image(frame.size, QImage::Format_RGB32);
    image.fill(QColor(RedOf(kMenuInside), GreenOf(kMenuInside), BlueOf(kMenuInside)));
    QPainter painter(&image);
    CMenuDrawStyle::PaintFrame(painter, frame, linesOnly);
    return image;
}

TEST(MenuDrawStyle, InsetsAndMarginsWithoutPlatformShadows) {
    const CMenuDrawStyle style(2, CMenuDrawStyle::Family::B, 1, MenuPlatform{});
    EXPECT_TRUE(style.IsActive());
    EXPECT_EQ(style.FirstInset(), QPoint(2, 2));
    EXPECT_EQ(style.SecondInset(), QPoint(5, 6));
    EXPECT_EQ(style.ShadowMargin(), 4);
    EXPECT_EQ(style.AdjustNonClientSize(), QMargins(2, 2, 5, 6));
    EXPECT_EQ(style.ClientRect(QSize(kW, kH)), QRect(2, 2, kW - 7, kH - 8));
    EXPECT_EQ(style.AdjustWindowPosition(QPoint(100, 50)), QPoint(100, 49));
    // Window rectangle + 2 at left and top, − 7 at right and bottom.
    EXPECT_EQ(style.FrameInterior(QSize(kW, kH)), QRect(2, 2, kW - 9, kH - 9));
}

TEST(MenuDrawStyle, InsetsAndMarginsWithPlatformShadows) {
    MenuPlatform platform;
    platform.dropShadows = true;
    const CMenuDrawStyle style(2, CMenuDrawStyle::Family::B, 1, platform);
    EXPECT_EQ(style.SecondInset(), QPoint(2, 2));
    EXPECT_EQ(style.ShadowMargin(), 0);
    EXPECT_EQ(style.AdjustNonClientSize(), QMargins(2, 2, 2, 2));
    EXPECT_EQ(style.FrameInterior(QSize(kW, kH)), QRect(2, 2, kW - 5, kH - 5));
}

TEST(MenuDrawStyle, AStyleWithoutBorderFlagIsInactive) {
    const CMenuDrawStyle style(3, CMenuDrawStyle::Family::B, 0, MenuPlatform{});
    EXPECT_FALSE(style.IsActive());
    EXPECT_EQ(style.AdjustNonClientSize(), QMargins());
    EXPECT_EQ(style.AdjustWindowPosition(QPoint(100, 50)), QPoint(100, 50));
}

TEST(MenuDrawStyle, FrameLinesAtTheirCoordinates) {
    const QImage image = Paint(Frame(MenuPlatform{}));
    const int m = 4;
    // Dark outline at (0, 0) of size (W − m, H − m).
    for (int x = 0; x < kW - m; ++x) {
        EXPECT_EQ(At(image, x, 0), kDark) << x;
        EXPECT_EQ(At(image, x, kH - m - 1), kDark) << x;
    }
    for (int y = 0; y < kH - m; ++y) {
        EXPECT_EQ(At(image, 0, y), kDark) << y;
        EXPECT_EQ(At(image, kW - m - 1, y), kDark) << y;
    }
    // Light outline at (1, 1) of size (W − 2 − m, H − 2 − m), except where the bar covers it.
    for (int x = 1; x < kW - 1 - m; ++x) {
        EXPECT_EQ(At(image, x, 1), kLight) << x;
        EXPECT_EQ(At(image, x, kH - 2 - m), kLight) << x;
    }
    for (int y = 1; y < kH - 1 - m; ++y) {
        EXPECT_EQ(At(image, kW - 2 - m, y), kLight) << y;
    }
    EXPECT_EQ(At(image, 1, 1), kLight);
    EXPECT_EQ(At(image, 1, kH - 2 - m), kLight);
    // Bar at x = 1 from y = 2, H − 4 − m long.
    for (int y = 2; y < kH - 2 - m; ++y) {
        EXPECT_EQ(At(image, 1, y), kBar) << y;
    }
    // The client area keeps what the menu painted, up to its last column (light outline).
    for (int y = 2; y < kH - 6; ++y) {
        for (int x = 2; x < kW - 6; ++x) {
            ASSERT_EQ(At(image, x, y), kMenuInside) << x << "," << y;
        }
    }
}

TEST(MenuDrawStyle, RingBetweenEdgeAndClientIsFilledWithLightUnlessLinesOnly) {
    MenuFramePaint frame = Frame(MenuPlatform{});
    frame.client = QRect(4, 4, kW - 12, kH - 14); // a client with a wider ring around it
    const QImage full = Paint(frame);
    const QImage lines = Paint(frame, true);
    for (int y = 2; y < kH - 6; ++y) {
        for (int x = 2; x < kW - 6; ++x) {
            const bool ring = !frame.client.contains(x, y);
            EXPECT_EQ(At(full, x, y), ring ? kLight : kMenuInside) << x << "," << y;
            EXPECT_EQ(At(lines, x, y), kMenuInside) << x << "," << y;
        }
    }
    // Lines and shadow are the same in both.
    EXPECT_EQ(At(lines, 0, 5), kDark);
    EXPECT_EQ(At(lines, 1, 5), kBar);
    EXPECT_EQ(At(lines, kW - 6, 5), kLight);
    EXPECT_EQ(At(lines, kW - 1, 10), At(full, kW - 1, 10));
}

TEST(MenuDrawStyle, SoftShadowAlongTheStraightParts) {
    const QImage image = Paint(Frame(MenuPlatform{}));
    for (int y = 8; y <= kH - 5; ++y) {
        for (int r = 1; r <= 4; ++r) {
            const int x = kW - r;
            EXPECT_EQ(At(image, x, y), Darken(30 * r, Pattern(x, y))) << x << "," << y;
        }
    }
    for (int x = 8; x <= kW - 5; ++x) {
        for (int s = 1; s <= 4; ++s) {
            const int y = kH - s;
            EXPECT_EQ(At(image, x, y), Darken(30 * s, Pattern(x, y))) << x << "," << y;
        }
    }
    // The outermost column and row by 30/255, the innermost by 120/255.
    EXPECT_EQ(At(image, kW - 1, 15), Darken(30, Pattern(kW - 1, 15)));
    EXPECT_EQ(At(image, kW - 4, 15), Darken(120, Pattern(kW - 4, 15)));
    EXPECT_EQ(At(image, 20, kH - 1), Darken(30, Pattern(20, kH - 1)));
    EXPECT_EQ(At(image, 20, kH - 4), Darken(120, Pattern(20, kH - 4)));
}

TEST(MenuDrawStyle, SoftShadowRampsInTheCorners) {
    const QImage image = Paint(Frame(MenuPlatform{}));
    for (int r = 1; r <= 4; ++r) {
        const int x = kW - r;
        // Top-right: the first 4 rows show the background as it is, then 4 rows ramp.
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(At(image, x, y), Pattern(x, y)) << x << "," << y;
        }
        for (int y = 4; y < 8; ++y) {
            EXPECT_EQ(At(image, x, y), Darken(6 * r * (y - 3), Pattern(x, y))) << x << "," << y;
        }
        // Bottom-right: ramps down towards the last row.
        for (int y = kH - 4; y < kH; ++y) {
            EXPECT_EQ(At(image, x, y), Darken(6 * r * (kH - y), Pattern(x, y))) << x << "," << y;
        }
    }
    for (int s = 1; s <= 4; ++s) {
        const int y = kH - s;
        // Bottom-left: 4 columns as they are, then 4 columns ramp.
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(At(image, x, y), Pattern(x, y)) << x << "," << y;
        }
        for (int x = 4; x < 8; ++x) {
            EXPECT_EQ(At(image, x, y), Darken(6 * s * (x - 3), Pattern(x, y))) << x << "," << y;
        }
    }
    EXPECT_EQ(At(image, kW - 4, kH - 4), Darken(96, Pattern(kW - 4, kH - 4)));
    EXPECT_EQ(At(image, kW - 1, kH - 1), Darken(6, Pattern(kW - 1, kH - 1)));
}

TEST(MenuDrawStyle, ShadowOutsideTheCaptureUsesTheFallbackColour) {
    MenuFramePaint frame = Frame(MenuPlatform{});
    frame.background = QImage();
    const QImage image = Paint(frame);
    EXPECT_EQ(At(image, kW - 1, 15), Darken(30, Rgb(9, 9, 9)));
    EXPECT_EQ(At(image, kW - 1, 0), Rgb(9, 9, 9));
}

TEST(MenuDrawStyle, FlatShadowOnScreensOfAtMost256Colours) {
    MenuPlatform platform;
    platform.screenDepth = 8;
    ASSERT_EQ(platform.ScreenColours(), 256);
    const QImage image = Paint(Frame(platform));
    for (int y = 0; y < kH; ++y) {
        // Outer two columns copied from B.
        EXPECT_EQ(At(image, kW - 1, y), Pattern(kW - 1, y)) << y;
        EXPECT_EQ(At(image, kW - 2, y), Pattern(kW - 2, y)) << y;
        for (int x : {kW - 3, kW - 4}) {
            const COLORREF want = y < 4 || y >= kH - 2 ? Pattern(x, y) : kButtonShadow;
            EXPECT_EQ(At(image, x, y), want) << x << "," << y;
        }
    }
    for (int x = 0; x < kW - 4; ++x) {
        EXPECT_EQ(At(image, x, kH - 1), Pattern(x, kH - 1)) << x;
        EXPECT_EQ(At(image, x, kH - 2), Pattern(x, kH - 2)) << x;
        for (int y : {kH - 3, kH - 4}) {
            const COLORREF want = x < 4 ? Pattern(x, y) : kButtonShadow;
            EXPECT_EQ(At(image, x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(At(image, 0, 5), kDark); // the frame itself is unchanged
}

TEST(MenuDrawStyle, HighContrastDrawsOneButtonTextOutline) {
    MenuPlatform platform;
    platform.highContrast = true;
    const QImage image = Paint(Frame(platform));
    const int m = 4;
    for (int x = 0; x < kW - m; ++x) {
        EXPECT_EQ(At(image, x, 0), kButtonText) << x;
        EXPECT_EQ(At(image, x, kH - m - 1), kButtonText) << x;
    }
    for (int y = 0; y < kH - m; ++y) {
        EXPECT_EQ(At(image, 0, y), kButtonText) << y;
        EXPECT_EQ(At(image, kW - m - 1, y), kButtonText) << y;
    }
    // No bar, no light outline: the ring keeps its light fill, the client its own pixels.
    EXPECT_EQ(At(image, 1, 10), kLight);
    EXPECT_EQ(At(image, 5, 1), kLight);
    EXPECT_EQ(At(image, kW - 6, 10), kMenuInside);
    // No shadow: the band shows the background unchanged.
    EXPECT_EQ(At(image, kW - 1, 15), Pattern(kW - 1, 15));
    EXPECT_EQ(At(image, kW - 4, 15), Pattern(kW - 4, 15));
    EXPECT_EQ(At(image, 20, kH - 4), Pattern(20, kH - 4));
}

TEST(MenuDrawStyle, WithPlatformShadowsTheFrameFillsTheWindowAndNoShadowIsDrawn) {
    MenuPlatform platform;
    platform.dropShadows = true;
    const QImage image = Paint(Frame(platform));
    EXPECT_EQ(At(image, kW - 1, 15), kDark);
    EXPECT_EQ(At(image, 15, kH - 1), kDark);
    EXPECT_EQ(At(image, kW - 2, 15), kLight);
    EXPECT_EQ(At(image, 15, kH - 2), kLight);
    EXPECT_EQ(At(image, 1, 15), kBar);
    EXPECT_EQ(At(image, 1, kH - 3), kBar);
    EXPECT_EQ(At(image, kW - 3, kH - 3), kMenuInside);
}

} // namespace
