// Icon files on Linux: the Icon= value of a desktop entry turned into the file to read, by the
// icon theme rules (the theme, the themes it inherits, hicolor, then loose icons).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/applicazioni.h"

namespace pulsaro {

// An icon file larger than this is not read: application icons are a few hundred kilobytes.
inline constexpr std::size_t limiteIcona = 2 << 20;

// The file for `icona`: an absolute path as it is; a plain name (an extension allowed) looked up
// in the themes (a drawing, or the smallest bitmap of at least 64 pixels, else the largest), then
// among the loose icons. A relative path is none. Nothing is opened on the way but folders and
// the themes' index.theme files.
std::optional<std::string> fileIcona(const std::string& icona, const DoveIcone& dove);

// The bytes of an icon file, when it is a regular file no larger than limiteIcona.
std::optional<std::string> leggiIcona(const std::string& file);

}  // namespace pulsaro
