// A status item and desktop facts whose calls the controller tests read and drive.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/fatti_desktop.h"
#include "platform/voce_stato.h"

namespace pulsaro::prova {

struct VoceFinta : VoceStato {
    explicit VoceFinta(int& vive) : vive_(vive) { ++vive_; }
    ~VoceFinta() override { --vive_; }

    int immagini = 0;
    ImmaginePixel ultima;
    std::string suggerimento;
    std::string etichetta;
    Clic clic;
    std::vector<VoceMenu> menu;
    int menuMostrati = 0;
    std::vector<VoceMenu> allegato;  // the menu a StatusNotifierItem host would show
    int menuAllegati = 0;
    Rettangolo rett{1000, 0, 22, 22};
    int lato = 0;
    std::function<void()> assente;

    void impostaImmagine(const ImmaginePixel& i) override {
        ++immagini;
        ultima = i;
    }
    void impostaSuggerimento(const std::string& t) override { suggerimento = t; }
    void impostaEtichetta(const std::string& t) override { etichetta = t; }
    void quandoClic(Clic c) override { clic = std::move(c); }
    void mostraMenu(const std::vector<VoceMenu>& v) override {
        menu = v;
        ++menuMostrati;
    }
    void impostaMenuAllegato(const std::vector<VoceMenu>& v) override {
        allegato = v;
        ++menuAllegati;
    }
    Rettangolo rettangolo() const override { return rett; }
    int latoQuadrato() const override { return lato; }
    double dpr() const override { return 2.0; }
    void quandoAssente(std::function<void()> a) override { assente = std::move(a); }
    bool mostrata() const override { return presente; }
    void quandoPresenza(std::function<void(bool)> p) override { presenza = std::move(p); }
    bool menuConPannellino() const override { return pannellino; }
    bool pannellino = false;

    // The tray's host goes away or comes back.
    void cambiaPresenza(bool p) {
        presente = p;
        if (presenza) presenza(p);
    }
    bool presente = true;
    std::function<void(bool)> presenza;

private:
    int& vive_;
};

struct DesktopFinto : FattiDesktop {
    std::vector<Politica> politiche;
    bool login = false;
    bool sistema = false;
    std::function<void()> spegnimento;
    std::function<void()> riapertura;
    std::function<void()> avvio;

    void impostaPolitica(Politica p) override { politiche.push_back(p); }
    Politica politica() const override { return politiche.empty() ? Politica::regolare : politiche.back(); }
    bool daLogin() const override { return login; }
    bool uscitaDiSistema() const override { return sistema; }
    void quandoSpegnimento(std::function<void()> f) override { spegnimento = std::move(f); }
    void quandoRiapertura(std::function<void()> f) override { riapertura = std::move(f); }
    void quandoAvviata(std::function<void()> f) override { avvio = std::move(f); }
    // The Mac's finished-launching notification: the login marker read with it, then the start.
    void lancioFinito(bool marcatore) {
        login = login || marcatore;
        if (avvio) avvio();
    }
    bool aspettoScuro() const override { return false; }
    bool compositoreDispone() const override { return compositore; }
    bool compositore = false;  // Wayland
};

}  // namespace pulsaro::prova
