#include "platform/numeri.h"

#include <charconv>
#include <cmath>

namespace pulsaro {

std::optional<std::int64_t> interoRigoroso(std::string_view testo) {
    std::int64_t n = 0;
    const char* fine = testo.data() + testo.size();
    auto [p, ec] = std::from_chars(testo.data(), fine, n);
    if (testo.empty() || ec != std::errc() || p != fine) return std::nullopt;
    return n;
}

std::optional<double> decimaleRigoroso(std::string_view testo) {
    // from_chars alone would also take "inf", "nan" and friends.
    if (testo.empty() || testo.find_first_not_of("0123456789-+.eE") != std::string_view::npos)
        return std::nullopt;
    double d = 0;
    const char* fine = testo.data() + testo.size();
    auto [p, ec] = std::from_chars(testo.data(), fine, d);
    if (ec != std::errc() || p != fine || !std::isfinite(d)) return std::nullopt;
    return d;
}

}  // namespace pulsaro
