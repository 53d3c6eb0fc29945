// The diagnostic log: failures in the field (a source that fails, a tool that hangs, a stored
// value that is rejected) leave one line each in the system's log, so they can be told apart
// without a debugger. Linux: standard error, with the journal's priority prefix when standard
// error is the journal. macOS: the unified log (subsystem "it.pulsaro.Pulsaro").
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pulsaro {

enum class LivelloDiario { debug, info, avviso, errore };

// "debug", "info", "avviso", "errore".
std::string_view nomeLivello(LivelloDiario l);

// One line at the given level; `categoria` names the part that speaks ("gpu", "preferenze").
// Lines below the threshold are dropped. Control characters in the texts become blanks, so a
// line stays one line whatever external text it carries. Thread-safe.
void diario(LivelloDiario l, std::string_view categoria, std::string_view messaggio);

// Like `diario`, but only the first time `causa` is reported in this run (or since it was
// forgotten): a source that fails on every sample leaves one line, not one per sample.
// True when the line was written. A cause is a short stable text, such as "gpu:/sys/class/drm".
bool diarioUnaVolta(LivelloDiario l, std::string_view causa, std::string_view categoria,
                    std::string_view messaggio);

// The cause has gone away (the source works again): its next failure is logged again.
void dimenticaCausa(std::string_view causa);

// Lines below this level are dropped. The default is info, or the level named by the
// environment variable PULSARO_DIARIO ("debug", "info", "avviso", "errore") at the first line.
void impostaSogliaDiario(LivelloDiario minima);

// Where lines go. While one lives, lines go to its function instead of the system's log
// (tests; a front end that shows them). Not nested across threads: one at a time.
class DeviaDiario {
public:
    using Scrittore =
        std::function<void(LivelloDiario, std::string_view categoria, std::string_view messaggio)>;
    explicit DeviaDiario(Scrittore s);
    ~DeviaDiario();
    DeviaDiario(const DeviaDiario&) = delete;
    DeviaDiario& operator=(const DeviaDiario&) = delete;

private:
    Scrittore precedente_;
};

// The system's own log; implemented once per OS. Called with texts already made one line.
void scriviDiarioDiSistema(LivelloDiario l, std::string_view categoria, std::string_view messaggio);

// The text of a line as the Linux writer prints it: "pulsaro: avviso: gpu: messaggio\n", or with
// the journal's "<4>" priority prefix in place of the program name when `giornale` is true.
std::string rigaDiario(LivelloDiario l, std::string_view categoria, std::string_view messaggio,
                       bool giornale);

}  // namespace pulsaro
