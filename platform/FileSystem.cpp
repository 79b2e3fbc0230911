#include "platform/FileSystem.h"

#include "platform/FileException.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace FileSystem {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Unicode code points of bytes 0x80-0xFF in code page 437.
constexpr char16_t kCodePage437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

void AppendUtf8(std::string& out, char16_t codePoint) {
    if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
}

std::string ReadFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

std::string ToNativePath(std::string_view path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const auto lastSeparator = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    const std::size_t nameStart = static_cast<std::size_t>(path.rend() - lastSeparator);
    parts.directory = path.substr(0, nameStart);
    const std::string_view name = path.substr(nameStart);
    const std::size_t dot = name.rfind('.');
    parts.title = name.substr(0, dot);
    if (dot != std::string_view::npos) {
        parts.extension = name.substr(dot);
    }
    return parts;
}

PathKind GetPathKind(const std::string& path) {
    struct stat status {};
    if (::stat(ToNativePath(path).c_str(), &status) != 0) {
        return PathKind::Nothing;
    }
    return S_ISDIR(status.st_mode) ? PathKind::Directory : PathKind::File;
}

bool CreateDirectory(const std::string& path) {
    return ::mkdir(ToNativePath(path).c_str(), 0777) == 0;
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
    const std::string native = ToNativePath(path);
    struct stat status {};
    if (::stat(native.c_str(), &status) != 0) {
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        return true;
    }
    mode_t mode = status.st_mode & 07777;
    if (attributes & kAttributeReadOnly) {
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else {
        mode |= S_IWUSR;
    }
    return mode == (status.st_mode & 07777) || ::chmod(native.c_str(), mode) == 0;
}

void SetTimes(const std::string& path, std::time_t lastWrite) {
    const timespec times[2] = {{0, UTIME_NOW}, {lastWrite, 0}};
    if (::utimensat(AT_FDCWD, ToNativePath(path).c_str(), times, 0) != 0) {
        throw CFileException(CFileException::CauseFromErrno(errno), path, errno);
    }
}

std::time_t DosDateTimeToTime(std::uint16_t dosDate, std::uint16_t dosTime) {
    std::tm local{};
    local.tm_sec = (dosTime & 0x1F) * 2;
    local.tm_min = (dosTime >> 5) & 0x3F;
    local.tm_hour = dosTime >> 11;
    local.tm_mday = dosDate & 0x1F;
    local.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
    local.tm_year = (dosDate >> 9) + 80;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

std::string OemToUtf8(std::string_view oem) {
    std::string utf8;
    utf8.reserve(oem.size());
    for (const char c : oem) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            AppendUtf8(utf8, kCodePage437High[byte - 0x80]);
        }
    }
    return utf8;
}

bool IsOnRemovableMedium(const std::string& path) {
    struct stat status {};
    if (::stat(ToNativePath(path).c_str(), &status) != 0) {
        return false;
    }
    const std::string device = "/sys/dev/block/" + std::to_string(major(status.st_dev)) + ":" +
                               std::to_string(minor(status.st_dev));
    // A partition has no flag of its own; its disk, one folder up, has.
    return ReadFirstLine(device + "/removable") == "1" ||
           ReadFirstLine(device + "/../removable") == "1";
}

} // namespace FileSystem
