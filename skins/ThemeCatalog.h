#pragma once

#include "skins/SkinTheme.h"

#include <vector>

// The nine bundled skins, the start-up skin first.
class CThemeCatalog {
public:
    static std::vector<SkinTheme> All();
};
