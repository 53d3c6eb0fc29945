// Open descriptors of every process, found through /proc/<pid>/fd and fdinfo.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pulsaro {

// `radice`/proc/<pid>/comm without its line feed; empty when unreadable.
std::string nomeDaComm(const std::string& radice, std::int32_t pid);

// Calls `visita` with each descriptor whose link target `scelta` accepts, and the text of its
// fdinfo (empty when unreadable). Other descriptors cost one link read and nothing more.
void perDescrittori(const std::string& radice, const std::function<bool(std::string_view)>& scelta,
                    const std::function<void(std::int32_t pid, std::string_view collegamento,
                                             std::string_view fdinfo)>& visita);

// "key:\tvalue" lines of an fdinfo text, keys and values without blanks around them.
std::map<std::string, std::string, std::less<>> chiaviFdinfo(std::string_view testo);

}  // namespace pulsaro
