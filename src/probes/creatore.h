// The creator string of a registry client: "pid <id>, <name>".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pulsaro {

struct Creatore {
    std::int32_t pid = 0;
    std::string nome;  // may be empty

    bool operator==(const Creatore&) const = default;
};

// nullopt unless the text begins with "pid " followed by a decimal signed 32-bit id.
std::optional<Creatore> analizzaCreatore(std::string_view testo);

// Optional sign and decimal digits only, within the signed 32-bit range.
std::optional<std::int32_t> interoConSegno32(std::string_view testo);

}  // namespace pulsaro
