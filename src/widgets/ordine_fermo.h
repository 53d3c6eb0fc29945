// A list that stands still under the pointer: new figures in the rows' old places.
#pragma once

#include <vector>

#include "sampling/uso.h"

namespace pulsaro {

// The processes of `nuovi` in the order of `mostrati`: each row keeps its place with its new
// figures; a process that left gives its place to one that came, in their rank; whatever is left
// over goes at the end, and places nobody takes close up.
std::vector<UsoProcesso> ordineFermo(const std::vector<UsoProcesso>& mostrati,
                                     const std::vector<UsoProcesso>& nuovi);

}  // namespace pulsaro
