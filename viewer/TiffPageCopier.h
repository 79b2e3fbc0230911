#pragma once

#include "viewer/TiffIfdWriter.h"
#include "viewer/TiffOutputFile.h"
#include "viewer/TiffSourceFile.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// Copies one page into the new file as it is stored: every entry of its directory, its
// strips or tiles byte for byte, and the directories it points at (SubIFDs, EXIF, GPS,
// interoperability) with their own data. Only what must change changes: offsets, the
// PageNumber, and pages that cannot travel raw (see TiffPageRestorer).
class TiffPageCopier {
public:
    TiffPageCopier(TiffOutputFile& out, std::vector<std::string>& warnings);

    // A page turned clockwise on the way (see TiffPageRotator); `sourcePage` (from 1) names
    // it when it cannot be turned.
    struct Turn {
        int quarterTurns = 0;
        std::size_t sourcePage = 0;
    };

    // Returns where the copied directory starts and where its next pointer sits.
    TiffIfdWriter::Written CopyPage(const TiffSourceFile& file, std::uint64_t ifdOffset,
                                    std::uint16_t pageIndex, std::uint16_t pageTotal, Turn turn);

private:
    struct PageNumber {
        bool rewrite = false;
        std::uint16_t index = 0;
        std::uint16_t total = 0;
    };

    TiffIfdWriter::Written CopyIfd(const TiffSourceFile& file, std::uint64_t offset, int depth,
                                   PageNumber pageNumber);
    std::uint64_t CopyIfdChain(const TiffSourceFile& file, std::uint64_t offset, int depth);
    void CopyImageData(const TiffSourceFile& file, const TiffIfd& ifd, std::uint16_t offsetsTag,
                       std::uint16_t countsTag, TiffOutputEntries& entries);
    void CopyBytes(const TiffSourceFile& file, std::uint64_t offset, std::uint64_t length);
    const std::set<std::uint16_t>* WriteImageData(const TiffSourceFile& file, const TiffIfd& ifd,
                                                  int depth, TiffOutputEntries& entries);
    TiffOutputEntry ConvertEntry(const TiffSourceFile& file, const TiffEntry& entry) const;
    bool NeedsRestore(const TiffSourceFile& file, const TiffIfd& ifd, int& kind) const;
    static bool IsIfdPointer(const TiffEntry& entry);

    TiffOutputFile& m_out;
    TiffIfdWriter m_writer;
    std::vector<std::string>& m_warnings;
    Turn m_turn;
    // Directories of the page being copied: those in progress (a loop if met again) and
    // those done (a second pointer to one reuses the copy).
    std::set<std::uint64_t> m_inProgress;
    std::map<std::uint64_t, TiffIfdWriter::Written> m_copied;
};
