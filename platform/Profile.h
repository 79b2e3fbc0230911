#pragma once

#include <string>
#include <vector>

// Private-profile (INI) reading with the rules real skin files were written for:
// - section and key names compare case-insensitively (ASCII); the first section of a name,
//   and the first key of a name in it, win;
// - blanks around keys and values are trimmed; a value wholly enclosed in one pair of double
//   or single quotes loses them; a line without "=" is a key with an empty value;
// - lines starting with ";" are comments; lines before the first section are ignored;
// - LF, CRLF and CR line ends and a UTF-8 byte-order mark are accepted;
// - a value is cut at kMaxProfileValue characters.
// A missing or unreadable file, section or key reads as empty. Every call reads the file
// afresh; nothing is cached between calls.
namespace Profile {

inline constexpr std::size_t kMaxProfileValue = 2047;

// The value of `key` in `section`, or `defaultValue` when there is none.
std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& defaultValue);

// The key names of `section` in file order, duplicates included, as they fit into a list of
// `bufferSize` characters where each name is ended by a zero and the list by one more: a
// name that does not fit is cut, later ones are not seen. Keys with an empty name are left
// out (they would end the list early).
std::vector<std::string> ReadKeyNames(const std::string& path, const std::string& section,
                                      std::size_t bufferSize);

} // namespace Profile
