#include "viewer/TiffPageCopier.h"

#include "viewer/TiffError.h"
#include "viewer/TiffPageGeometry.h"
#include "viewer/TiffPageRestorer.h"
#include "viewer/TiffPageRotator.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kMaxDepth = 8;
constexpr int kNoRestore = -1;
constexpr std::uint16_t kXResolution = 282;
constexpr std::uint16_t kYResolution = 283;

bool IsByteOrderSensitive(std::uint64_t compression) {
    // Codecs whose decoded samples come out in the file's byte order.
    switch (compression) {
    case 1:     // none
    case 5:     // LZW
    case 8:     // Adobe Deflate
    case 32773: // PackBits
    case 32946: // Deflate
    case 34925: // LZMA
    case 50000: // ZSTD
        return true;
    default:
        return false;
    }
}

} // namespace

TiffPageCopier::TiffPageCopier(TiffOutputFile& out, std::vector<std::string>& warnings)
    : m_out(out), m_writer(out), m_warnings(warnings) {}

TiffIfdWriter::Written TiffPageCopier::CopyPage(const TiffSourceFile& file, std::uint64_t ifdOffset,
                                                std::uint16_t pageIndex, std::uint16_t pageTotal,
                                                Turn turn) {
    m_inProgress.clear();
    m_copied.clear();
    m_turn = turn;
    return CopyIfd(file, ifdOffset, 0, PageNumber{true, pageIndex, pageTotal});
}

bool TiffPageCopier::IsIfdPointer(const TiffEntry& entry) {
    return entry.tag == tifftag::kSubIfds || entry.tag == tifftag::kExifIfd ||
           entry.tag == tifftag::kGpsIfd || entry.tag == tifftag::kInteropIfd ||
           entry.type == tifftype::kIfd || entry.type == tifftype::kIfd8;
}

bool TiffPageCopier::NeedsRestore(const TiffSourceFile& file, const TiffIfd& ifd, int& kind) const {
    const TiffEntry* compressionEntry = ifd.Find(tifftag::kCompression);
    const std::uint64_t compression =
        compressionEntry ? file.UnsignedValue(*compressionEntry, 0) : 1;
    if (compression == 6) {
        kind = static_cast<int>(TiffPageRestorer::Kind::Rgb);
        return true;
    }
    if (file.IsBigEndian() == m_out.IsBigEndian() || !IsByteOrderSensitive(compression)) {
        return false;
    }
    const TiffEntry* bitsEntry = ifd.Find(tifftag::kBitsPerSample);
    const std::uint64_t bits =
        bitsEntry && bitsEntry->count > 0 ? file.UnsignedValue(*bitsEntry, 0) : 1;
    if (bits == 16 || bits == 24 || bits == 32 || bits == 64) {
        kind = static_cast<int>(TiffPageRestorer::Kind::Samples);
        return true;
    }
    return false;
}

TiffIfdWriter::Written TiffPageCopier::CopyIfd(const TiffSourceFile& file, std::uint64_t offset,
                                               int depth, PageNumber pageNumber) {
    if (const auto done = m_copied.find(offset); done != m_copied.end()) {
        return done->second;
    }
    if (depth > kMaxDepth || !m_inProgress.insert(offset).second) {
        throw TiffError("The directories of a page loop in " + file.Path());
    }
    const TiffIfd ifd = file.ReadIfd(offset);
    TiffPageGeometry::Check(file, ifd);
    TiffOutputEntries entries;
    const std::set<std::uint16_t>* replaced = WriteImageData(file, ifd, depth, entries);
    for (const TiffEntry& entry : ifd.entries) {
        if (entries.count(entry.tag) != 0 || entry.tag == tifftag::kFreeOffsets ||
            entry.tag == tifftag::kFreeByteCounts ||
            (replaced != nullptr && replaced->count(entry.tag) != 0)) {
            continue;
        }
        if (TiffTypeSize(entry.type) == 0) {
            m_warnings.push_back("A tag of unknown type was left out: " +
                                 std::to_string(entry.tag));
            continue;
        }
        if (IsIfdPointer(entry)) {
            std::vector<std::uint64_t> targets = file.UnsignedValues(entry);
            for (std::uint64_t& target : targets) {
                target = CopyIfdChain(file, target, depth + 1);
            }
            entries[entry.tag] = m_writer.IfdPointers(entry.type, targets);
        } else if (entry.tag == tifftag::kPageNumber && pageNumber.rewrite) {
            entries[entry.tag] =
                m_writer.Numbers(tifftype::kShort, {pageNumber.index, pageNumber.total});
        } else {
            entries[entry.tag] = ConvertEntry(file, entry);
        }
    }
    if (depth == 0 && m_turn.quarterTurns % 2 != 0 && entries.count(kXResolution) != 0 &&
        entries.count(kYResolution) != 0) {
        std::swap(entries[kXResolution], entries[kYResolution]);
    }
    const TiffIfdWriter::Written written = m_writer.Write(entries);
    m_inProgress.erase(offset);
    m_copied[offset] = written;
    return written;
}

const std::set<std::uint16_t>* TiffPageCopier::WriteImageData(const TiffSourceFile& file,
                                                              const TiffIfd& ifd, int depth,
                                                              TiffOutputEntries& entries) {
    if (!TiffPageGeometry::HasImage(ifd)) {
        return nullptr;
    }
    if (depth == 0 && m_turn.quarterTurns % 4 != 0) {
        TiffPageRotator rotator(m_out, m_writer);
        entries = rotator.Rotate(file.Path(), ifd.offset, m_turn.quarterTurns, m_turn.sourcePage);
        return &TiffPageRotator::Replaced();
    }
    int restoreKind = kNoRestore;
    if (NeedsRestore(file, ifd, restoreKind)) {
        const auto kind = static_cast<TiffPageRestorer::Kind>(restoreKind);
        TiffPageRestorer restorer(m_out, m_writer);
        entries = restorer.Restore(file.Path(), ifd.offset, kind);
        m_warnings.push_back(kind == TiffPageRestorer::Kind::Rgb
                                 ? "An old-style JPEG page was stored again with Deflate"
                                 : "A page was stored again with Deflate in the new byte order");
        return &TiffPageRestorer::Replaced(kind);
    }
    CopyImageData(file, ifd, tifftag::kStripOffsets, tifftag::kStripByteCounts, entries);
    CopyImageData(file, ifd, tifftag::kTileOffsets, tifftag::kTileByteCounts, entries);
    return nullptr;
}

std::uint64_t TiffPageCopier::CopyIfdChain(const TiffSourceFile& file, std::uint64_t offset,
                                           int depth) {
    const bool copiedBefore = m_copied.count(offset) != 0;
    const TiffIfdWriter::Written first = CopyIfd(file, offset, depth, PageNumber{});
    if (copiedBefore) {
        return first.offset; // its chain was linked when it was first copied
    }
    TiffIfdWriter::Written previous = first;
    std::set<std::uint64_t> chain{offset};
    for (std::uint64_t next = file.ReadIfd(offset).next; next != 0;) {
        if (!chain.insert(next).second) {
            throw TiffError("A chain of sub-directories loops in " + file.Path());
        }
        const TiffIfdWriter::Written copied = CopyIfd(file, next, depth, PageNumber{});
        m_out.PatchNumber(previous.nextField, copied.offset, m_out.IsBigTiff() ? 8 : 4);
        previous = copied;
        next = file.ReadIfd(next).next;
    }
    return first.offset;
}

void TiffPageCopier::CopyImageData(const TiffSourceFile& file, const TiffIfd& ifd,
                                   std::uint16_t offsetsTag, std::uint16_t countsTag,
                                   TiffOutputEntries& entries) {
    const TiffEntry* offsetsEntry = ifd.Find(offsetsTag);
    if (!offsetsEntry) {
        return;
    }
    const TiffEntry* countsEntry = ifd.Find(countsTag);
    if (!countsEntry || countsEntry->count != offsetsEntry->count || offsetsEntry->count == 0) {
        throw TiffError("A page's strips or tiles are not described consistently in " +
                        file.Path());
    }
    std::vector<std::uint64_t> offsets = file.UnsignedValues(*offsetsEntry);
    const std::vector<std::uint64_t> counts = file.UnsignedValues(*countsEntry);
    bool anyData = false;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        if (offsets[i] > file.Size() || counts[i] > file.Size() - offsets[i]) {
            throw TiffError("A strip or tile lies beyond the end of " + file.Path());
        }
        anyData = anyData || counts[i] > 0;
    }
    if (!anyData) {
        throw TiffError("A page holds no image data in " + file.Path());
    }
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        m_out.AlignToWord();
        const std::uint64_t written = m_out.Position();
        CopyBytes(file, offsets[i], counts[i]);
        offsets[i] = written;
    }
    entries[offsetsTag] = m_writer.Offsets(offsets);
    entries[countsTag] = ConvertEntry(file, *countsEntry);
}

void TiffPageCopier::CopyBytes(const TiffSourceFile& file, std::uint64_t offset,
                               std::uint64_t length) {
    while (length > 0) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(length, TiffOutputFile::kMaxExtend));
        file.Read(offset, m_out.Extend(chunk), chunk);
        offset += chunk;
        length -= chunk;
    }
}

TiffOutputEntry TiffPageCopier::ConvertEntry(const TiffSourceFile& file,
                                             const TiffEntry& entry) const {
    TiffOutputEntry converted;
    converted.type = entry.type;
    converted.count = entry.count;
    converted.bytes = entry.value;
    const unsigned unit = TiffSwapUnit(entry.type);
    if (file.IsBigEndian() != m_out.IsBigEndian() && unit > 1) {
        for (std::size_t i = 0; i + unit <= converted.bytes.size(); i += unit) {
            std::reverse(converted.bytes.begin() + i, converted.bytes.begin() + i + unit);
        }
    }
    return converted;
}
