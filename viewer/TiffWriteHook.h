#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Asked before every write to the temporary file with the bytes written so far and the size
// of the next write; false makes that write fail as a full disk would. Tests use it.
using TiffWriteHook = std::function<bool(std::uint64_t written, std::size_t size)>;
