#pragma once

#include "skins/SkinLayout.h"
#include "skins/SkinTheme.h"

// Places every control of a skin by the theme's layout and gives it the theme's colours.
class CLayoutPlanner {
public:
    static SkinLayout Plan(const SkinTheme& theme);
};
