// Numbers given as text by people or by stores: plain decimal only, read the same strict way
// everywhere (no blanks, no "+", no hexadecimal, no infinity or NaN; the whole text or nothing).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pulsaro {

// An optional "-" and decimal digits, within 64 bits.
std::optional<std::int64_t> interoRigoroso(std::string_view testo);
// An optional "-", digits with an optional fraction and exponent ("2", "0.5", "1e-3"); finite.
std::optional<double> decimaleRigoroso(std::string_view testo);

}  // namespace pulsaro
