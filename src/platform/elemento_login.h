// Launching at login: the application's own login item, as the desktop offers it.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace pulsaro {

// The argument that marks a launch made at login, where the desktop cannot tell it otherwise.
inline constexpr const char* marcaLogin = "--da-login";

enum class StatoLogin {
    nonRegistrato,         // no login item, or one switched off
    attivo,                // the application starts at login
    richiedeApprovazione,  // registered, waiting for the user's approval in the system settings
    nonTrovato,            // an item exists but the application it names cannot be found
};

class ElementoLogin {
public:
    virtual ~ElementoLogin() = default;

    virtual StatoLogin stato() = 0;
    // Each gives the error's text when it failed, none when it worked.
    virtual std::optional<std::string> registra() = 0;
    virtual std::optional<std::string> annulla() = 0;
    // Where the user approves login items; nothing where approval does not exist.
    virtual void apriImpostazioniSistema() = 0;
};

// The login item of this executable.
std::unique_ptr<ElementoLogin> elementoLoginDiSistema();

}  // namespace pulsaro
