#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

// File-system services on POSIX. Paths may use `\` as separator (the names inside skin
// packages do); every function maps it to `/` before it touches the disk.
namespace FileSystem {

// The Windows attribute bits that mean something here; the others are ignored.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

enum class PathKind { Nothing, File, Directory };

// A path cut the way the C run time's path splitting does: an optional drive ("C:"), the
// directory up to and including the last `\` or `/`, the title, and the extension from the
// title's last dot on.
struct PathParts {
    std::string drive;
    std::string directory;
    std::string title;
    std::string extension;
};

std::string ToNativePath(std::string_view path);
PathParts SplitPath(std::string_view path);

// Follows symbolic links: a link to a folder is a folder.
PathKind GetPathKind(const std::string& path);
// One folder, its parent must exist; false when it cannot be made (or is there already).
bool CreateDirectory(const std::string& path);

// Read-only clears every write bit, its absence gives the owner write access back; folders
// keep their bits (the read-only attribute does not protect a folder's contents).
bool SetAttributes(const std::string& path, std::uint32_t attributes);
// Last-write time as given, last-access time now. Throws CFileException on failure.
void SetTimes(const std::string& path, std::time_t lastWrite);

// A DOS date and time taken as local time, daylight saving by the platform's rules.
std::time_t DosDateTimeToTime(std::uint16_t dosDate, std::uint16_t dosTime);
// Code page 437 bytes as UTF-8: the archive's OEM names in this system's code page.
std::string OemToUtf8(std::string_view oem);
// True when the file lives on a medium the kernel marks removable (USB stick, floppy).
bool IsOnRemovableMedium(const std::string& path);

} // namespace FileSystem
