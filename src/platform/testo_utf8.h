// Text that the system hands over as bytes (tool output, kernel names) turned into valid UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace pulsaro {

// True when the bytes are well-formed UTF-8.
bool utf8Valido(std::string_view byte);

// The bytes as UTF-8, each maximal ill-formed subsequence replaced by U+FFFD.
std::string testoUtf8(std::string_view byte);

}  // namespace pulsaro
