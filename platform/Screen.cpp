#include "platform/Screen.h"

Screen::~Screen() = default;
