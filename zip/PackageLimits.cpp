#include "zip/PackageLimits.h"

#include "zip/ZipDirectory.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

#include <algorithm>
#include <vector>

namespace {

struct Span {
    std::uint16_t disk;
    std::uint64_t begin;
    std::uint64_t end;
    friend bool operator<(const Span& a, const Span& b) {
        return a.disk != b.disk ? a.disk < b.disk : a.begin < b.begin;
    }
};

std::size_t FolderLevels(const std::string& name) {
    const std::size_t last = name.find_last_not_of("/\\");
    if (last == std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(std::count_if(name.begin(), name.begin() + std::ptrdiff_t(last),
                                                  [](char c) { return c == '/' || c == '\\'; }));
}

// The fewest bytes an entry occupies: its local header, its name and its data. The local
// extra field may add more, never less.
Span SpanOf(const CZipEntryInfo& entry) {
    const std::uint64_t begin = entry.localHeaderOffset;
    return {entry.diskNumberStart, begin,
            begin + CZipDirectory::kLocalHeaderSize + entry.fileNameLength + entry.compressedSize};
}

bool AnyOverlap(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].disk == spans[i - 1].disk && spans[i].begin < spans[i - 1].end) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> NameProblem(const CZipEntryInfo& entry) {
    if (entry.fileName.GetSize() > CPackageLimits::kMaxNameBytes) {
        return "an entry name of the skin package is longer than 1024 bytes";
    }
    if (FolderLevels(entry.GetFileName()) > CPackageLimits::kMaxFolderLevels) {
        return "an entry of the skin package lies more than 32 folders deep";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> CPackageLimits::Problem(const CZipReader& archive) {
    const std::size_t count = archive.GetEntryCount();
    if (count > kMaxEntries) {
        return "the skin package holds more than 4096 entries";
    }
    std::uint64_t written = 0;
    std::vector<Span> spans;
    spans.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        CZipEntryInfo entry;
        archive.GetEntryInfo(static_cast<std::uint16_t>(i), entry);
        if (std::optional<std::string> problem = NameProblem(entry)) {
            return problem;
        }
        written += entry.IsDirectory() ? 0 : entry.uncompressedSize;
        spans.push_back(SpanOf(entry));
    }
    if (written > kMaxWrittenBytes) {
        return "the skin package would write more than 64 MiB";
    }
    if (AnyOverlap(std::move(spans))) {
        return "two entries of the skin package share bytes of the archive";
    }
    return std::nullopt;
}

std::optional<std::string> CPackageLimits::ProblemOf(const CZipException& failure) {
    if (failure.m_iCause == CZipException::zipErrSizeExceeded) {
        return "an entry of the skin package inflates past its declared size";
    }
    return std::nullopt;
}
