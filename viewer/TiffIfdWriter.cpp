#include "viewer/TiffIfdWriter.h"

#include "viewer/TiffIfd.h"

#include <algorithm>

TiffIfdWriter::Written TiffIfdWriter::Write(const TiffOutputEntries& entries) {
    const bool big = m_out.IsBigTiff();
    const unsigned inlineSize = big ? 8 : 4;
    std::vector<std::uint64_t> valueOffsets;
    valueOffsets.reserve(entries.size());
    for (const auto& [tag, entry] : entries) {
        if (entry.bytes.size() > inlineSize) {
            m_out.AlignToWord();
            valueOffsets.push_back(m_out.Position());
            m_out.Append(entry.bytes.data(), entry.bytes.size());
        } else {
            valueOffsets.push_back(0);
        }
    }
    m_out.AlignToWord();
    Written written;
    written.offset = m_out.Position();
    m_out.AppendNumber(entries.size(), big ? 8 : 2);
    std::size_t index = 0;
    for (const auto& [tag, entry] : entries) {
        m_out.AppendNumber(tag, 2);
        m_out.AppendNumber(entry.type, 2);
        m_out.AppendNumber(entry.count, big ? 8 : 4);
        if (entry.bytes.size() > inlineSize) {
            m_out.AppendNumber(valueOffsets[index], inlineSize);
        } else {
            std::uint8_t field[8] = {};
            std::copy(entry.bytes.begin(), entry.bytes.end(), field);
            m_out.Append(field, inlineSize);
        }
        ++index;
    }
    written.nextField = m_out.Position();
    m_out.AppendNumber(0, inlineSize);
    return written;
}

TiffOutputEntry TiffIfdWriter::Numbers(std::uint16_t type,
                                       const std::vector<std::uint64_t>& values) const {
    const unsigned size = TiffTypeSize(type);
    TiffOutputEntry entry;
    entry.type = type;
    entry.count = values.size();
    entry.bytes.resize(values.size() * size);
    for (std::size_t i = 0; i < values.size(); ++i) {
        m_out.Encode(values[i], size, entry.bytes.data() + i * size);
    }
    return entry;
}

TiffOutputEntry TiffIfdWriter::Offsets(const std::vector<std::uint64_t>& values) const {
    return Numbers(m_out.IsBigTiff() ? tifftype::kLong8 : tifftype::kLong, values);
}

TiffOutputEntry TiffIfdWriter::IfdPointers(std::uint16_t sourceType,
                                           const std::vector<std::uint64_t>& values) const {
    if (m_out.IsBigTiff()) {
        return Numbers(tifftype::kIfd8, values);
    }
    return Numbers(sourceType == tifftype::kIfd ? tifftype::kIfd : tifftype::kLong, values);
}
