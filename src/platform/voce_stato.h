// The status item: the application's presence in the menu bar (a tray icon on Linux).
// Plain C++, so the macOS status item can sit behind it without the toolkit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pulsaro {

// An image in premultiplied ARGB32 pixels, row by row, at a device pixel ratio.
struct ImmaginePixel {
    int larghezza = 0;
    int altezza = 0;
    double dpr = 1.0;
    std::vector<std::uint32_t> argb;
    bool vuota() const { return larghezza <= 0 || altezza <= 0; }
};

// A rectangle in the toolkit's global coordinates (origin at the top left of the primary screen).
struct Rettangolo {
    int x = 0;
    int y = 0;
    int larghezza = 0;
    int altezza = 0;
    bool vuoto() const { return larghezza <= 0 || altezza <= 0; }
};

// One entry of the context menu.
struct VoceMenu {
    std::string titolo;
    std::string tasto;  // key equivalent with the platform's command modifier: "q", ","; empty: none
    bool separatore = false;
    bool abilitata = true;
    std::string simbolo;     // the system symbol's name, where the platform has it
    ImmaginePixel immagine;  // the same symbol drawn, where it has not
    std::function<void()> azione;
};

class VoceStato {
public:
    // destro: a right click, or a left click with Control held.
    using Clic = std::function<void(bool destro)>;

    virtual ~VoceStato() = default;

    virtual void impostaImmagine(const ImmaginePixel& immagine) = 0;
    virtual void impostaSuggerimento(const std::string& testo) = 0;
    virtual void impostaEtichetta(const std::string& testo) = 0;  // accessibility label
    virtual void quandoClic(Clic clic) = 0;
    // Pops the menu up under the item; nothing stays attached once it closes.
    virtual void mostraMenu(const std::vector<VoceMenu>& voci) = 0;
    // Keeps this menu attached where the tray shows an item's menu by itself (a StatusNotifierItem
    // host asks for it over D-Bus; an XEmbed tray gets it on a right click); empty: none. Its right
    // clicks then reach the attached menu instead of quandoClic. A menu bar whose item pops
    // menus only on request has nothing to do.
    virtual void impostaMenuAllegato(const std::vector<VoceMenu>& voci) { (void)voci; }
    // Where the item is on screen; empty where the system does not say.
    virtual Rettangolo rettangolo() const = 0;
    // Side of the square slot the item lives in, in logical pixels; 0 where it takes any width.
    virtual int latoQuadrato() const = 0;
    // The device pixel ratio of the screen the item is on.
    virtual double dpr() const = 0;
    // Called once if the system turns out to have no place for the item.
    virtual void quandoAssente(std::function<void()> assente) = 0;
    // Whether the item is on show: false while a tray is awaited, where there is none, and while
    // the tray's host is gone.
    virtual bool mostrata() const = 0;
    // Called each time `mostrata` changes.
    virtual void quandoPresenza(std::function<void(bool mostrata)> presenza) = 0;
    // Where some trays answer a plain click with the menu, the menu must reach the popover too.
    virtual bool menuConPannellino() const { return false; }
};

// The item of this system. A missing tray is waited for up to `attesa` seconds before it is
// reported absent (a tray host often starts after the applications of a login).
std::unique_ptr<VoceStato> voceStatoDiSistema(double attesa);

}  // namespace pulsaro
