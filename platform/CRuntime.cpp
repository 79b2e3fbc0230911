#include "platform/CRuntime.h"

#include <climits>

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Skips white space and a sign; returns whether the sign was minus.
bool SkipSpaceAndSign(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsCSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return negative;
}

} // namespace

int Atoi(std::string_view text) {
    std::size_t pos = 0;
    const bool negative = SkipSpaceAndSign(text, pos);
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude >= limit) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::optional<std::int32_t> StrToIntEx(std::string_view text) {
    std::size_t pos = 0;
    const bool negative = SkipSpaceAndSign(text, pos);
    const bool hex =
        pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X');
    const unsigned base = hex ? 16 : 10;
    if (hex) {
        pos += 2;
    }
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (; pos < text.size(); ++pos, ++digits) {
        const int digit = HexValue(text[pos]);
        if (digit < 0 || unsigned(digit) >= base) {
            break;
        }
        value = value * base + unsigned(digit);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}
