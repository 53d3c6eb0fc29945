// The login item on Linux: an XDG autostart entry that starts this executable with the login mark.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/elemento_login.h"

namespace pulsaro {

class ElementoLoginLinux : public ElementoLogin {
public:
    // `cartella` is the autostart folder, `eseguibile` the absolute path of the program to start.
    ElementoLoginLinux(std::filesystem::path cartella, std::filesystem::path eseguibile);

    StatoLogin stato() override;
    std::optional<std::string> registra() override;
    std::optional<std::string> annulla() override;
    void apriImpostazioniSistema() override {}

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path cartella_;
    std::filesystem::path eseguibile_;
    std::filesystem::path file_;
};

// $XDG_CONFIG_HOME/autostart, else ~/.config/autostart; empty when neither is known.
std::filesystem::path cartellaAutostart(const char* xdgConfigHome, const char* home);

// The Exec value that starts `eseguibile` with the login mark, quoted and escaped as a desktop
// entry's string value.
std::string execAutostart(const std::filesystem::path& eseguibile);

// The entry's new text: `attuale` (empty for a new file) with Exec, Type and the switches that
// would keep it from starting replaced, every other line kept as it was.
std::string testoAutostart(std::string_view attuale, const std::filesystem::path& eseguibile);

// True when the text's first group is [Desktop Entry] (only blank lines and comments before it).
bool eVoceDesktop(std::string_view testo);

}  // namespace pulsaro
