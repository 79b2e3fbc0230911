#include "tests/support/TempDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tools/tipin-skin/SkinTool.h"

#include <gtest/gtest.h>
#include <sstream>

using tipin::test::ZipBuilder;
using tipin::test::ZipTestEntry;

namespace {

ZipTestEntry Entry(const std::string& name, const std::string& data = "x") {
    ZipTestEntry entry;
    entry.name = name;
    entry.data = data;
    return entry;
}

std::string TooManyEntries() {
    ZipBuilder builder;
    for (int i = 0; i <= 4096; ++i) {
        builder.Add(Entry("e" + std::to_string(i)));
    }
    return builder.Build();
}

std::string DeclaredTooLarge() {
    ZipTestEntry entry = Entry("big.bin");
    entry.flags = 0x0008;
    entry.centralUncompressedSize = (64u << 20) + 1;
    return ZipBuilder().Add(entry).Build();
}

// Data that inflates to 1 MiB under a directory that says 1 KiB; the data descriptor keeps
// the local header from telling otherwise.
std::string InflatesPastSize() {
    ZipTestEntry entry = Entry("big.bin", std::string(1 << 20, 'z'));
    entry.flags = 0x0008;
    entry.centralUncompressedSize = 1024;
    return ZipBuilder().Add(entry).Build();
}

// The second central record points at the first entry's bytes.
std::string Overlapping() {
    std::string bytes = ZipBuilder().Add(Entry("a")).Add(Entry("b")).Build();
    const std::size_t second = bytes.find("PK\1\2", bytes.find("PK\1\2") + 4);
    bytes.replace(second + 42, 4, std::string(4, '\0'));
    return bytes;
}

struct LimitCase {
    const char* name;
    std::string (*package)();
    const char* reason;
};

class PackageLimitsTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(PackageLimitsTest, ToolNamesTheLimitAndWritesNothingBeyondIt) {
    const tipin::test::TempDir dir;
    const std::string package = dir.write("hostile.zip", GetParam().package()).string();
    std::ostringstream err;
    EXPECT_EQ(CSkinTool(err).Run({"extract", package, (dir.path() / "out").string()}),
              CSkinTool::kFailure);
    EXPECT_NE(err.str().find(package + ": package: " + GetParam().reason + "\n"), std::string::npos)
        << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    EveryLimit, PackageLimitsTest,
    ::testing::Values(
        LimitCase{"Entries", TooManyEntries, "the skin package holds more than 4096 entries"},
        LimitCase{"Written", DeclaredTooLarge, "the skin package would write more than 64 MiB"},
        LimitCase{"NameLength",
                  [] { return ZipBuilder().Add(Entry(std::string(1025, 'n'))).Build(); },
                  "an entry name of the skin package is longer than 1024 bytes"},
        LimitCase{"Depth",
                  [] {
                      std::string name;
                      for (int i = 0; i < 33; ++i) {
                          name += "d/";
                      }
                      return ZipBuilder().Add(Entry(name + "leaf")).Build();
                  },
                  "an entry of the skin package lies more than 32 folders deep"},
        LimitCase{"Overlap", Overlapping,
                  "two entries of the skin package share bytes of the archive"},
        LimitCase{"InflatesPastSize", InflatesPastSize,
                  "an entry of the skin package inflates past its declared size"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
