#pragma once

#include <stdexcept>
#include <string>

// A file the engine refuses or an operation that cannot complete; the text is one short line.
class TiffError : public std::runtime_error {
public:
    explicit TiffError(const std::string& cause) : std::runtime_error(cause) {}
};
