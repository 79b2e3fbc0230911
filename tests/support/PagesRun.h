#pragma once

#include "tools/tipin-pages/PagesCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace tipin::test {

// What one run of the tipin-pages command gave: exit code and both output streams.
struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

inline Outcome RunPages(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.code = PagesCommand(out, err).Run(arguments);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

} // namespace tipin::test
