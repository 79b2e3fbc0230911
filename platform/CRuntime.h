#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The C run-time number conversions that skin files were written against, made total:
// every input gives a defined result.

// `atoi`: leading white space, optional sign, digits up to the first non-digit; no digits
// give 0. Values outside int saturate.
int Atoi(std::string_view text);

// Hexadecimal-aware conversion: leading white space, optional sign, then "0x"/"0X" and hex
// digits, or decimal digits. Nothing when no digit follows. The value keeps its low 32 bits.
std::optional<std::int32_t> StrToIntEx(std::string_view text);
