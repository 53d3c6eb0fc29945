// Numbers given as text by people or by stores: plain decimal only, read the same strict way
// everywhere (no blanks, no "+", no hexadecimal, no infinity or NaN; the whole text or nothing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pulsaro {

// An optional "-" and decimal digits, within 64 bits.
std::optional<std::int64_t> interoRigoroso(std::string_view testo);
// An optional "-", digits with an optional fraction and exponent ("2", "0.5", "1e-3"); finite.
std::optional<double> decimaleRigoroso(std::string_view testo);

struct DecimaleLetto {
    double valore = 0;
    std::size_t lunghezza = 0;  // characters read from the start of the text
};
// The decimal number at the start of the text, in the form above, correctly rounded and the same
// in every locale and C++ library; an "e" not followed by digits is not read. Nothing when the text
// does not start with one or when its value lies outside a double's range (beyond the largest,
// or not zero yet rounding to zero).
std::optional<DecimaleLetto> leggiDecimale(std::string_view testo);

}  // namespace pulsaro
