#include "core/settings/number.h"

#include <charconv>

namespace vireo::settings {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The magnitude of the whole part, held at kSaturation.
std::int64_t wholeOf(const Decimal& number) {
    std::int64_t value = 0;
    for (char c : number.whole) {
        value = value * 10 + (c - '0');
        if (value >= kSaturation) return kSaturation;
    }
    return value;
}

bool anyNonZero(std::string_view digits) {
    return digits.find_first_not_of('0') != std::string_view::npos;
}

}  // namespace

std::optional<Decimal> parseDecimal(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    Decimal number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < text.size() && isDigit(text[i])) number.whole += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) number.fraction += text[i++];
    }
    if (i != text.size() || (number.whole.empty() && number.fraction.empty())) return std::nullopt;
    return number;
}

std::int64_t floorOf(const Decimal& number) {
    const std::int64_t whole = wholeOf(number);
    if (!number.negative) return whole;
    return -(whole + (anyNonZero(number.fraction) ? 1 : 0));
}

std::int64_t roundHalfEvenOf(const Decimal& number) {
    std::int64_t magnitude = wholeOf(number);
    const std::string& f = number.fraction;
    if (magnitude < kSaturation && !f.empty()) {
        const bool aboveHalf =
            f[0] > '5' || (f[0] == '5' && anyNonZero(std::string_view(f).substr(1)));
        const bool exactlyHalf = f[0] == '5' && !aboveHalf;
        if (aboveHalf || (exactlyHalf && magnitude % 2 != 0)) ++magnitude;
    }
    return number.negative ? -magnitude : magnitude;
}

double toDouble(const Decimal& number) {
    const std::string digits =
        (number.whole.empty() ? std::string("0") : number.whole) + '.' + number.fraction + '0';
    double value = 0;
    // from_chars ignores the locale, which a window program may have changed.
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return number.negative ? -value : value;
}

std::optional<double> parseNumber(std::string_view text) {
    const auto number = parseDecimal(text);
    if (!number) return std::nullopt;
    return toDouble(*number);
}

}  // namespace vireo::settings
