// The few texts that say how the desktop works: the Mac's, and what is true on Linux instead.
// Every other text is the same on both.
#pragma once

#include <string_view>

namespace pulsaro {

enum class FormaTesti { mac, gnuLinux };

enum class TestoDesktop {
    avvioAccesso,   // the launch-at-login switch
    chiusura,       // what a quit does while the icon stays
    daApprovare,    // the login item waits for approval; empty where the desktop never asks
    aiutoCapacita,  // the main window's help text, up to the core count
    piedeStato,     // the caption under the settings' status grid
};

std::string_view testoDesktop(TestoDesktop t, FormaTesti forma);

// The form of the desktop this build runs on.
FormaTesti formaTestiDiSistema();

inline std::string_view testoDesktop(TestoDesktop t) {
    return testoDesktop(t, formaTestiDiSistema());
}

}  // namespace pulsaro
