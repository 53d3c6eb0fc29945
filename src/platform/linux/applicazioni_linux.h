// Running applications on Linux: a process is an application when a desktop entry launches its
// executable; the entry gives the name and the icon.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/applicazioni.h"
#include "platform/linux/voci_desktop.h"

namespace pulsaro {

// The data folders in order of precedence: XDG_DATA_HOME (default ~/.local/share), then
// XDG_DATA_DIRS (default /usr/local/share:/usr/share). Relative paths are ignored.
std::vector<std::string> cartelleDatiXdg(const char* home, const char* dataHome, const char* dataDirs);

class ApplicazioniDesktop final : public Applicazioni {
public:
    // `radice`: the folder holding proc/; `cartelleDati`: folders holding applications/.
    ApplicazioniDesktop(std::string radice, std::vector<std::string> cartelleDati, std::string lingua = "it");

    // Safe from any thread.
    std::optional<Applicazione> applicazione(std::int32_t pid) override;
    // The same for a process whose start time and command name the caller has just read from its
    // stat line: no second read.
    std::optional<Applicazione> applicazione(std::int32_t pid, std::uint64_t avvio, const std::string& comm);
    // The Icon= file found by the theme rules, read only when regular and small.
    std::vector<unsigned char> datiIcona(std::int32_t pid, const DoveIcone& dove) override;

    // Entries found so far, keyed by executable base name (builds the index on first use).
    std::size_t vociIndicizzate();

private:
    struct Risposta {
        std::uint64_t avvio = 0;  // start time of the process the answer is about
        std::optional<Applicazione> app;
    };

    void costruisciIndice();
    std::optional<Applicazione> cerca(std::int32_t pid, const std::string& comm) const;

    const std::string radice_;
    const std::vector<std::string> cartelle_;
    const std::string lingua_;

    std::mutex mutex_;
    bool indicizzato_ = false;
    std::map<std::string, VoceDesktop> perEseguibile_;
    std::map<std::int32_t, Risposta> risposte_;
};

// The machine's own, the one applicazioniDiSistema() gives.
ApplicazioniDesktop& applicazioniDesktop();

}  // namespace pulsaro
