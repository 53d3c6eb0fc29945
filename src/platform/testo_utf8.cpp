#include "platform/testo_utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pulsaro {

namespace {

constexpr std::string_view sostituto = "\xEF\xBF\xBD";

// Length of the well-formed sequence at i, or 0 with `parziale` set to how many bytes form
// the longest valid prefix (at least 1), which is what one replacement character stands for.
std::size_t sequenza(std::string_view s, std::size_t i, std::size_t& parziale) {
    const auto b = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    const std::uint8_t c = b(i);
    parziale = 1;
    if (c < 0x80) return 1;
    std::size_t n = 0;
    std::uint8_t min2 = 0x80, max2 = 0xBF;  // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            min2 = 0xA0;  // no overlong forms
        else if (c == 0xED)
            max2 = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            min2 = 0x90;
        else if (c == 0xF4)
            max2 = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if (i + k >= s.size()) return 0;
        const std::uint8_t d = b(i + k);
        const std::uint8_t lo = k == 1 ? min2 : 0x80;
        const std::uint8_t hi = k == 1 ? max2 : 0xBF;
        if (d < lo || d > hi) return 0;
        parziale = k + 1;
    }
    return n;
}

}  // namespace

bool utf8Valido(std::string_view byte) {
    std::size_t i = 0, parziale = 0;
    while (i < byte.size()) {
        // Mostly ASCII: eight bytes at a time while no high bit is set.
        while (i + 8 <= byte.size()) {
            std::uint64_t otto;
            std::memcpy(&otto, byte.data() + i, 8);
            if (otto & 0x8080808080808080ull) break;
            i += 8;
        }
        if (i >= byte.size()) break;
        if (static_cast<std::uint8_t>(byte[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = sequenza(byte, i, parziale);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string testoUtf8(std::string_view byte) {
    if (utf8Valido(byte)) return std::string(byte);
    std::string r;
    r.reserve(byte.size() + 16);
    std::size_t i = 0, parziale = 0;
    while (i < byte.size()) {
        const std::size_t n = sequenza(byte, i, parziale);
        if (n > 0) {
            r.append(byte.substr(i, n));
            i += n;
        } else {
            r.append(sostituto);
            i += parziale;
        }
    }
    return r;
}

}  // namespace pulsaro
