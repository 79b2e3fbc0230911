#pragma once

#include <cstddef>
#include <functional>

// Told after every page written, with the pages done and the pages in all; false cancels the
// work, which then fails as any failure does: nothing is written.
using TiffProgress = std::function<bool(std::size_t done, std::size_t total)>;
