// The floor for extraction speed: walks the local headers of an archive held in memory and
// raw-inflates every entry into its file, with no checks, CRC, times or attributes.
// Usage: bench_zip_raw_inflate ARCHIVE FOLDER (archives without data descriptors only).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

std::uint32_t Get(const unsigned char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

void MakeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0777);
    }
}

bool InflateTo(const unsigned char* data, std::uint32_t size, int fd) {
    static unsigned char out[65536];
    z_stream stream{};
    inflateInit2(&stream, -MAX_WBITS);
    stream.next_in = const_cast<unsigned char*>(data);
    stream.avail_in = size;
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = out;
        stream.avail_out = sizeof out;
        result = inflate(&stream, Z_NO_FLUSH);
        if (::write(fd, out, sizeof out - stream.avail_out) < 0) {
            result = Z_ERRNO;
        }
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_zip_raw_inflate ARCHIVE FOLDER\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> archive((std::istreambuf_iterator<char>(in)), {});
    const std::string folder = argv[2];
    std::size_t at = 0;
    while (at + 30 <= archive.size() && Get(&archive[at], 4) == 0x04034B50) {
        const unsigned char* header = &archive[at];
        const std::uint32_t method = Get(header + 8, 2);
        const std::uint32_t size = Get(header + 18, 4);
        const std::uint32_t nameLength = Get(header + 26, 2);
        const std::uint32_t extraLength = Get(header + 28, 2);
        const std::string name(reinterpret_cast<const char*>(header + 30), nameLength);
        const unsigned char* data = header + 30 + nameLength + extraLength;
        const std::string target = folder + "/" + name;
        MakeParents(target);
        if (!name.empty() && name.back() != '/') {
            const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            const bool ok = method == 8 ? InflateTo(data, size, fd) : ::write(fd, data, size) >= 0;
            ::close(fd);
            if (!ok) {
                std::fprintf(stderr, "bench_zip_raw_inflate: cannot inflate %s\n", name.c_str());
                return 1;
            }
        }
        at = static_cast<std::size_t>(data - archive.data()) + size;
    }
    return 0;
}
