#include "tests/support/Corpus.h"

#include <stdexcept>

namespace tipin::test {

std::filesystem::path CorpusDir() {
    const std::filesystem::path dir = std::filesystem::path(TIPIN_SHARED_DIR) / "corpus";
    if (!std::filesystem::is_directory(dir)) {
        throw std::runtime_error("test corpus missing: " + dir.string() +
                                 " (set TIPIN_SHARED_DIR to the shared folder)");
    }
    return dir;
}

} // namespace tipin::test
