#pragma once

#include <filesystem>

namespace tipin::test {

// The real-world data beside the checkout. Fails the calling test loudly when it is missing:
// corpus tests never skip.
std::filesystem::path CorpusDir();

} // namespace tipin::test
