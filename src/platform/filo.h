// Properties of the calling thread that only the OS can set.
#pragma once

#include <string>

namespace pulsaro {

// Background work at utility priority, named so that it shows in thread listings.
void preparaFiloDiServizio(const std::string& nome);

}  // namespace pulsaro
