// The IOReport seam: the ten library functions and the few object operations the readers need,
// over opaque handles. An empty function stands for one the library does not offer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pulsaro {

// A library object (channel list, sample, delta, channel). Owned handles are given back with
// `rilascia`; channels inside a delta belong to the delta.
using OggettoIOReport = const void*;
// A subscription; never released.
using SottoscrizioneIOReport = void*;

struct LibreriaIOReport {
    // IOReportCopyChannelsInGroup(group, subgroup or none, 0, 0, 0): owned, or null.
    std::function<OggettoIOReport(const std::string& gruppo, const std::optional<std::string>& sottogruppo)>
        copiaCanaliDelGruppo;
    // IOReportCreateSubscription(none, channels, out subscribed, 0, none): null on failure;
    // `sottoscritti` is left null or set to an owned list.
    std::function<SottoscrizioneIOReport(OggettoIOReport canali, OggettoIOReport* sottoscritti)>
        creaSottoscrizione;
    // IOReportCreateSamples(subscription, channels, none): owned, or null.
    std::function<OggettoIOReport(SottoscrizioneIOReport, OggettoIOReport canali)> creaCampioni;
    // IOReportCreateSamplesDelta(older, newer, none): owned, or null.
    std::function<OggettoIOReport(OggettoIOReport prima, OggettoIOReport dopo)> creaDelta;
    // IOReportSimpleGetIntegerValue(channel, index).
    std::function<std::int64_t(OggettoIOReport canale, std::int32_t indice)> valoreIntero;
    // IOReportChannelGetChannelName / IOReportChannelGetUnitLabel.
    std::function<std::optional<std::string>(OggettoIOReport canale)> nomeCanale;
    std::function<std::optional<std::string>(OggettoIOReport canale)> unitaCanale;
    // IOReportStateGetCount / IOReportStateGetNameForIndex / IOReportStateGetResidency.
    std::function<std::int32_t(OggettoIOReport canale)> numeroStati;
    std::function<std::optional<std::string>(OggettoIOReport canale, std::int32_t indice)> nomeStato;
    std::function<std::int64_t(OggettoIOReport canale, std::int32_t indice)> residenzaStato;

    // The channel dictionaries under "IOReportChannels" of a delta; nullopt when it has none.
    std::function<std::optional<std::vector<OggettoIOReport>>(OggettoIOReport delta)> canaliDelDelta;
    // Gives back an owned object.
    std::function<void(OggettoIOReport)> rilascia;
};

// The system's IOReport library (macOS only); functions the system lacks stay empty.
std::shared_ptr<const LibreriaIOReport> caricaIOReport();

}  // namespace pulsaro
