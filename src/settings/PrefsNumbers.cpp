#include "settings/PrefsNumbers.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace tonlira {

namespace {

constexpr int kFloatDecimals = 6;
constexpr int kDecimalBase = 10;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct SignedText {
    bool negative = false;
    std::string_view rest;
};

// Skips leading blanks and takes an optional sign.
SignedText splitSign(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    text.remove_prefix(first);
    SignedText result{false, text};
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        result.negative = text.front() == '-';
        result.rest.remove_prefix(1);
    }
    return result;
}

}  // namespace

std::string formatInteger(int value) { return std::to_string(value); }

std::string formatFloat(float value) {
    std::array<char, 64> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, kFloatDecimals);
    if (error != std::errc{}) {
        return "0.000000";
    }
    return std::string(buffer.data(), end);
}

int parseInteger(std::string_view text) {
    const auto [negative, rest] = splitSign(text);
    // One past the int range in either direction is enough to clamp.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : rest) {
        if (!isDigit(c)) {
            break;
        }
        if (magnitude < kLimit) {
            magnitude = magnitude * kDecimalBase + (c - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

float parseFloat(std::string_view text) {
    const auto [negative, rest] = splitSign(text);
    std::size_t length = 0;
    bool sawDigit = false;
    bool sawPoint = false;
    for (const char c : rest) {
        if (isDigit(c)) {
            sawDigit = true;
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
        ++length;
    }
    if (!sawDigit) {
        return 0.0F;
    }
    // from_chars wants a digit before the point.
    std::string number(rest.substr(0, length));
    if (number.front() == '.') {
        number.insert(number.begin(), '0');
    }
    float value = 0.0F;
    const auto result =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large when the whole part has a non-zero digit, else too small.
        const auto whole = std::string_view(number).substr(0, number.find('.'));
        const bool large = whole.find_first_not_of('0') != std::string_view::npos;
        value = large ? std::numeric_limits<float>::max() : 0.0F;
    } else if (result.ec != std::errc{}) {
        return 0.0F;
    }
    return negative ? -value : value;
}

}  // namespace tonlira
