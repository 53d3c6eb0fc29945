// Desktop entries (.desktop files): the name and icon under which an executable is launched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pulsaro {

struct VoceDesktop {
    std::string nome;   // Name, in the wanted language when the entry has it
    std::string icona;  // Icon: a theme name or an absolute path
    std::string exec;   // Exec, unescaped
    std::string tryExec;
    bool nascosta = false;   // Hidden: the entry counts as deleted
    bool senzaMenu = false;  // NoDisplay
};

// The [Desktop Entry] group of a file's text. nullopt when it has none, is not of type
// Application or has no name. `lingua` is a language code such as "it" or "it_IT".
std::optional<VoceDesktop> leggiVoceDesktop(std::string_view testo, std::string_view lingua);

// The words of an Exec value, with the quoting rules of desktop entries.
std::vector<std::string> paroleExec(std::string_view exec);

// Base name of the program an Exec value starts; empty when it starts an interpreter or a
// launcher, whose name says nothing about the application.
std::string eseguibileDaExec(std::string_view exec);

}  // namespace pulsaro
