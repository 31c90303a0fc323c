#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vireo::settings {

// A number as the panel's boxes hold it: decimal digits with an optional sign
// and an optional fraction, kept as digits so that rounding is exact.
struct Decimal {
    bool negative = false;
    std::string whole;     // digits before the point, possibly empty
    std::string fraction;  // digits after the point, possibly empty
};

// "12", "+12", "12.9", "-0.5", ".5", "12." with spaces or tabs around them.
// Anything else (empty text, a lone sign or point, exponents, inner spaces,
// other characters) is not a number.
std::optional<Decimal> parseDecimal(std::string_view text);

// Far outside 0 to 255; larger magnitudes are held at it so that huge texts
// still count as out of range instead of overflowing.
constexpr std::int64_t kSaturation = 1'000'000'000;

// Toward minus infinity: 12.9 -> 12, -0.5 -> -1.
std::int64_t floorOf(const Decimal& number);
// To the nearest whole number, an exact half to the even one: 12.5 -> 12, 13.5 -> 14.
std::int64_t roundHalfEvenOf(const Decimal& number);
// The nearest double, for placing things on screen.
double toDouble(const Decimal& number);

// The parsed text as a double, or nothing when it is not a number.
std::optional<double> parseNumber(std::string_view text);

}  // namespace vireo::settings
