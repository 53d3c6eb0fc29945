// A stand-in for the IOReport library: channels set by the test, any function left out,
// any call made to fail, and a count of the objects not given back.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/ioreport.h"

namespace pulsaro::prova {

struct CanaleFinto {
    std::optional<std::string> nome;
    std::optional<std::string> unita;
    std::int64_t valore = 0;
    // (name, residency) of each power state
    std::vector<std::pair<std::optional<std::string>, std::int64_t>> stati;
};

class LibreriaFinta {
public:
    // The channels that the next delta of each subscription carries.
    std::vector<CanaleFinto> canaliEnergia;
    std::vector<CanaleFinto> canaliStati;

    // Functions by their library name, e.g. "IOReportStateGetCount".
    std::set<std::string> assenti;
    // Calls that return none: "CopyEnergy", "CopyStati", "Subscription", "Samples", "Delta".
    std::set<std::string> guasti;
    bool restituisceSottoscritti = true;
    bool deltaSenzaCanali = false;

    int oggettiVivi() const { return static_cast<int>(vivi_.size()); }
    int campioniCreati() const { return campioni_; }

    std::shared_ptr<const LibreriaIOReport> tabella();

private:
    struct Oggetto {
        std::string gruppo;
        std::vector<CanaleFinto> canali;
    };

    OggettoIOReport nuovo(std::string gruppo, std::vector<CanaleFinto> canali = {});
    const Oggetto* oggetto(OggettoIOReport o) const;

    std::map<const void*, std::unique_ptr<Oggetto>> vivi_;
    std::map<std::string, int> sottoscrizioni_;
    int campioni_ = 0;
};

}  // namespace pulsaro::prova
