#include "tests/zip/ZipBuilder.h"

#include <stdexcept>
#include <zlib.h>

namespace tipin::test {

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

std::uint32_t Crc32(const std::string& data) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

ZipBuilder& ZipBuilder::Add(ZipTestEntry entry) {
    m_entries.push_back(std::move(entry));
    return *this;
}

ZipBuilder& ZipBuilder::Add(const std::string& name, const std::string& data,
                            std::uint16_t method) {
    ZipTestEntry entry;
    entry.name = name;
    entry.data = data;
    entry.method = method;
    return Add(std::move(entry));
}

std::string ZipBuilder::Deflate(const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    return out;
}

std::vector<ZipBuilder::Placed> ZipBuilder::Place(std::string& out) const {
    std::vector<Placed> placed;
    for (const ZipTestEntry& entry : m_entries) {
        Placed p{entry,
                 entry.storedBytes.value_or(entry.method == 8 ? Deflate(entry.data) : entry.data),
                 Crc32(entry.data), static_cast<std::uint32_t>(out.size())};
        const bool descriptor = (entry.flags & 0x0008) != 0;
        const std::uint32_t uncompressed =
            entry.centralUncompressedSize.value_or(static_cast<std::uint32_t>(entry.data.size()));
        Put32(out, 0x04034B50);
        Put16(out, 20);
        Put16(out, entry.localFlags.value_or(entry.flags));
        Put16(out, entry.method);
        Put16(out, entry.dosTime);
        Put16(out, entry.dosDate);
        Put32(out, descriptor ? 0 : entry.centralCrc.value_or(p.crc));
        Put32(out, descriptor ? 0 : static_cast<std::uint32_t>(p.stored.size()));
        Put32(out, descriptor ? 0 : uncompressed);
        Put16(out, entry.localNameLength.value_or(static_cast<std::uint16_t>(entry.name.size())));
        Put16(out, 0);
        out += entry.name;
        out += p.stored;
        if (descriptor) {
            if (entry.descriptorSignature) {
                Put32(out, 0x08074B50);
            }
            Put32(out, entry.centralCrc.value_or(p.crc));
            Put32(out, static_cast<std::uint32_t>(p.stored.size()));
            Put32(out, uncompressed);
        }
        placed.push_back(std::move(p));
    }
    return placed;
}

std::string ZipBuilder::Directory(const std::vector<Placed>& placed) const {
    std::string out;
    for (const Placed& p : placed) {
        const ZipTestEntry& entry = p.entry;
        Put32(out, 0x02014B50);
        Put16(out, 20);
        Put16(out, 20);
        Put16(out, entry.flags);
        Put16(out, entry.method);
        Put16(out, entry.dosTime);
        Put16(out, entry.dosDate);
        Put32(out, entry.centralCrc.value_or(p.crc));
        Put32(out, static_cast<std::uint32_t>(p.stored.size()));
        Put32(out, entry.centralUncompressedSize.value_or(
                       static_cast<std::uint32_t>(entry.data.size())));
        Put16(out, static_cast<std::uint32_t>(entry.name.size()));
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, entry.diskNumberStart);
        Put16(out, 0);
        Put32(out, entry.externalAttributes);
        Put32(out, p.offset);
        out += entry.name;
    }
    return out;
}

std::string ZipBuilder::EndRecord(std::uint16_t entries, std::uint32_t directorySize,
                                  std::uint32_t directoryOffset, const std::string& comment,
                                  std::uint16_t thisDisk, std::uint16_t directoryDisk) {
    std::string out;
    Put32(out, 0x06054B50);
    Put16(out, thisDisk);
    Put16(out, directoryDisk);
    Put16(out, entries);
    Put16(out, entries);
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, static_cast<std::uint32_t>(comment.size()));
    return out + comment;
}

std::string ZipBuilder::Build(const ZipLayout& layout) const {
    std::string body;
    const std::vector<Placed> placed = Place(body);
    const std::string directory = Directory(placed);
    return layout.prefix + body + directory +
           EndRecord(static_cast<std::uint16_t>(placed.size()),
                     static_cast<std::uint32_t>(directory.size()),
                     static_cast<std::uint32_t>(body.size()), layout.comment, layout.thisDisk,
                     layout.directoryDisk);
}

std::string ZipBuilder::BuildLocalPart() const {
    std::string body;
    Place(body);
    return body;
}

std::string ZipBuilder::BuildDirectoryPart(const ZipLayout& layout,
                                           std::uint32_t directoryOffset) const {
    std::string body;
    const std::vector<Placed> placed = Place(body);
    const std::string directory = Directory(placed);
    return std::string(directoryOffset, '\0') + directory +
           EndRecord(static_cast<std::uint16_t>(placed.size()),
                     static_cast<std::uint32_t>(directory.size()), directoryOffset, layout.comment,
                     layout.thisDisk, layout.directoryDisk);
}

} // namespace tipin::test
