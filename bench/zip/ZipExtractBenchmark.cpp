// Extraction speed of the reader on archives made at start-up: one large deflated entry
// and many small ones, through the program's sequence (Open, ExtractEntry each, Close).
#include "zip/ZipReader.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace fs = std::filesystem;

namespace {

class ArchiveWriter {
public:
    void Add(const std::string& name, const std::string& data) {
        std::string deflated(compressBound(static_cast<uLong>(data.size())), '\0');
        z_stream stream{};
        deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = reinterpret_cast<Bytef*>(deflated.data());
        stream.avail_out = static_cast<uInt>(deflated.size());
        deflate(&stream, Z_FINISH);
        deflated.resize(stream.total_out);
        deflateEnd(&stream);
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const auto offset = static_cast<std::uint32_t>(m_body.size());
        Header(m_body, 0x04034B50, crc, deflated.size(), data.size(), name, false, 0);
        m_body += deflated;
        Header(m_directory, 0x02014B50, crc, deflated.size(), data.size(), name, true, offset);
        ++m_count;
    }

    void Write(const fs::path& path) const {
        std::string end;
        Put(end, 0x06054B50, 4);
        Put(end, 0, 4);
        Put(end, m_count, 2);
        Put(end, m_count, 2);
        Put(end, m_directory.size(), 4);
        Put(end, m_body.size(), 4);
        Put(end, 0, 2);
        std::ofstream(path, std::ios::binary) << m_body << m_directory << end;
    }

private:
    static void Put(std::string& out, std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }
    static void Header(std::string& out, std::uint32_t signature, std::uint32_t crc,
                       std::size_t compressed, std::size_t size, const std::string& name,
                       bool central, std::uint32_t offset) {
        Put(out, signature, 4);
        if (central) {
            Put(out, 20, 2);
        }
        Put(out, 20, 2);
        Put(out, 0, 2);
        Put(out, 8, 2);
        Put(out, 0x6000, 2);
        Put(out, 0x5221, 2);
        Put(out, crc, 4);
        Put(out, compressed, 4);
        Put(out, size, 4);
        Put(out, name.size(), 2);
        Put(out, 0, 2);
        if (central) {
            Put(out, 0, 2);
            Put(out, 0, 2);
            Put(out, 0, 2);
            Put(out, 0x20, 4);
            Put(out, offset, 4);
        }
        out += name;
    }

    std::string m_body;
    std::string m_directory;
    unsigned m_count = 0;
};

std::string Pixels(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>((i % 3072) / 12 + ((i * 2654435761u) >> 28));
    }
    return data;
}

fs::path Scratch() {
    static const fs::path folder =
        fs::temp_directory_path() / ("tipin-bench-zip-" + std::to_string(getpid()));
    return folder;
}

fs::path MakeArchive(const std::string& name, int entries, std::size_t size) {
    const fs::path path = Scratch() / name;
    if (!fs::exists(path)) {
        fs::create_directories(Scratch());
        ArchiveWriter writer;
        const std::string data = Pixels(size);
        for (int i = 0; i < entries; ++i) {
            writer.Add("dir" + std::to_string(i % 50) + "/entry" + std::to_string(i) + ".bmp",
                       data);
        }
        writer.Write(path);
    }
    return path;
}

void ExtractAll(benchmark::State& state, const fs::path& archive, std::size_t bytesPerRun) {
    const std::string out = (Scratch() / "out").string();
    CZipReader reader;
    for (auto _ : state) {
        reader.Close(true);
        reader.Open(archive.string(), 0, 0);
        for (unsigned i = 0; i < reader.GetEntryCount(); ++i) {
            reader.ExtractEntry(static_cast<std::uint16_t>(i), out, true, nullptr, nullptr, nullptr,
                                65535);
        }
        reader.Close(true);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerRun));
    fs::remove_all(out);
}

void BM_ExtractLargeEntry(benchmark::State& state) {
    ExtractAll(state, MakeArchive("large.zip", 1, 32 << 20), 32 << 20);
}

void BM_ExtractSmallEntries(benchmark::State& state) {
    ExtractAll(state, MakeArchive("small.zip", 2000, 2048), 2000 * 2048);
}

BENCHMARK(BM_ExtractLargeEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractSmallEntries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Scratch(), ignored);
    return 0;
}
