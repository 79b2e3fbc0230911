#pragma once

#include "platform/WinTypes.h"

#include <functional>
#include <string>

class CIniFile;

// The value syntax of skin descriptions: comma-separated tokens.

// A whole value is at most this long; longer ones are cut before they are split.
inline constexpr std::size_t kMaxSkinValue = 255;

// Takes the text up to the next comma from `rest` and strips white space from both ends of
// what remains. Without a comma the token is all of `rest`, and `rest` keeps it, so the last
// token repeats for every later field.
std::string NextToken(std::string& rest);

// At most this many records are read from one list section; later keys are ignored.
inline constexpr std::size_t kMaxListRecords = 1024;
// Coordinates and sizes are clamped to this magnitude before any arithmetic, so sums and
// differences of two of them never overflow.
inline constexpr int kMaxCoordinate = 32767;

// `atoi` clamped to +-kMaxCoordinate.
int ReadCoordinate(const std::string& token);
// Left, top, right and bottom from the next four tokens, each by ReadCoordinate.
Rect ReadRect(std::string& rest);

// A colour token written as 0xRRGGBB (or decimal) as 0x00BBGGRR; kNoColour when empty;
// black when it is not a number.
COLORREF ReadColour(const std::string& token);

// True when the token starts with a capital T.
bool ReadFlag(const std::string& token);
// True when the token starts with a capital V.
bool ReadVertical(const std::string& token);
// True only for exactly "TRUE".
bool ReadEnabled(const std::string& token);

// The folder holding `iniPath` as a full path ending in one "/".
std::string SkinFolder(const std::string& iniPath);

// A bitmap token as a path in `folder`; backslashes count as separators. Empty when the token
// would name a file outside the folder (absolute, or climbing with ".."), so nothing loads.
std::string SkinFilePath(const std::string& folder, const std::string& token);

// Reads keys "1" to "N" of a list section, N being its key count but at most
// kMaxListRecords, and calls `record` with the 0-based index and the value (cut to
// kMaxSkinValue) of every non-empty one.
void ForEachListEntry(const CIniFile& ini, const std::string& section,
                      const std::function<void(int index, std::string value)>& record);
// How many keys of a list section ForEachListEntry leaves unread.
std::size_t IgnoredListEntries(const CIniFile& ini, const std::string& section);
