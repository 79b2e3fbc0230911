#pragma once

// Font heights as the skins were designed: tenths of a point at the screen's logical
// pixels per inch, with integer division.
class CFontSize {
public:
    static int PixelHeight(int tenthsOfPoint, int logicalDpi) {
        return static_cast<int>(static_cast<long long>(logicalDpi) * tenthsOfPoint / 720);
    }
};
