// What the desktop tells the application and what it may ask of it: the Dock icon, login
// launches, quits for logout or shutdown, reopening, the dark appearance.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pulsaro {

enum class Politica { regolare, accessoria };  // with or without a Dock icon

class FattiDesktop {
public:
    virtual ~FattiDesktop() = default;

    virtual void impostaPolitica(Politica p) = 0;
    virtual Politica politica() const = 0;
    // The system launched the application as a login item.
    virtual bool daLogin() const = 0;
    // The quit being decided now comes from a logout, restart or shutdown.
    virtual bool uscitaDiSistema() const = 0;
    // The system is about to power off or end the session.
    virtual void quandoSpegnimento(std::function<void()> f) = 0;
    // The user opened the application again while it runs.
    virtual void quandoRiapertura(std::function<void()> f) = 0;
    // f runs once, from the event loop, when launching has finished: only then is daLogin known
    // (the Mac's launch event arrives once the loop runs).
    virtual void quandoAvviata(std::function<void()> f) = 0;
    virtual bool aspettoScuro() const = 0;
    // The compositor places the windows (Wayland): a window can neither place itself nor know
    // where it is.
    virtual bool compositoreDispone() const { return false; }
};

// The marker argument of a login launch on Linux (the autostart entry passes it).
inline constexpr const char* argomentoLogin = "--da-login";

// Whether there is a screen to show windows on (Linux: DISPLAY or WAYLAND_DISPLAY).
bool schermoDisponibile();
// Call before the toolkit starts: macOS hears the launch event through its own delegate and asks
// Qt not to take the focus at launch; Linux keeps the token its launcher handed over.
void preparaFattiDesktop();
// The facts of this desktop; call once the toolkit runs.
std::unique_ptr<FattiDesktop> fattiDesktopDiSistema(const std::vector<std::string>& argomenti);

}  // namespace pulsaro
