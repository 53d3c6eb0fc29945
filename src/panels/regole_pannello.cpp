#include "panels/regole_pannello.h"

#include <algorithm>
#include <cmath>

#include "platform/testi_desktop.h"

namespace pulsaro {

double altezzaAreaLista(double misurata) {
    if (!(misurata > 0)) return altezzaListaIniziale;  // NaN too
    return std::min(misurata, altezzaListaMassima);
}

double altezzaAreaLista(double misurata, double spazio) {
    const double voluta = altezzaAreaLista(misurata);
    if (!(spazio < voluta)) return voluta;  // NaN too
    return std::max(spazio, altezzaListaMinimaSchermo);
}

bool misuraNuova(double precedente, double nuova) {
    return std::abs(nuova - precedente) > sogliaMisura;
}

std::optional<QRect> adattamentoFinestra(const QRect& cornice, int altezzaContenuto, double adatta,
                                         const std::optional<QRect>& disponibile) {
    if (!(adatta > altezzaAdattabileMinima)) return std::nullopt;
    // The frame's extra height is the title bar (and the frame's edges).
    double nuova = adatta + (cornice.height() - altezzaContenuto);
    if (disponibile) nuova = std::min(nuova, static_cast<double>(disponibile->height()));
    if (!(std::abs(nuova - cornice.height()) > sogliaMisura)) return std::nullopt;
    const int altezza = static_cast<int>(std::lround(nuova));
    int alto = cornice.top();
    if (disponibile) {
        const int basso = disponibile->top() + disponibile->height();  // just past the last row
        if (alto + altezza > basso) alto = basso - altezza;
        alto = std::max(alto, disponibile->top());
    }
    return QRect(cornice.left(), alto, cornice.width(), altezza);
}

namespace {

QString formato(const char* f, double a) {
    return QString::asprintf(f, a);
}

QString sottotitoloANE(const UsoTotale& t, bool acceso) {
    QString s = acceso ? QStringLiteral("acceso") : QStringLiteral("a riposo");
    const std::size_t n = t.aneApp.size();
    if (n == 1) s += QStringLiteral(" · 1 app collegata");
    if (n > 1) s += QStringLiteral(" · %1 app collegate").arg(n);
    return s;
}

}  // namespace

QString sottotitoloRisorsa(Risorsa r, const UsoTotale& totale, bool aneAcceso, bool seguendo,
                           const std::optional<UsoProcesso>& dettaglio, int core) {
    if (seguendo) {
        if (!dettaglio) return QStringLiteral("—");
        const UsoProcesso& d = *dettaglio;
        switch (r.caso()) {
            case Risorsa::cpu:
                return QString::asprintf("%.1f%% · %.2f core", d.cpu, d.cpu * core / 100.0);
            case Risorsa::gpu:
                return QString::asprintf("%.1f%% della GPU", d.gpu);
            case Risorsa::ane:
                if (!d.usaANE) return QStringLiteral("non collegato");
                return aneAcceso ? QStringLiteral("collegato · Neural Engine acceso")
                                 : QStringLiteral("collegato · a riposo");
        }
    }
    switch (r.caso()) {
        case Risorsa::cpu:
            return formato("%.0f%%", totale.cpu) + QStringLiteral(" · ") +
                   QString::fromStdString(totale.core.testo()) + QStringLiteral(" impegnati");
        case Risorsa::gpu:
            return QString::asprintf("%.0f%% · %.1f W", totale.gpu, totale.gpuWatt);
        case Risorsa::ane:
            return sottotitoloANE(totale, aneAcceso);
    }
    return {};
}

QString testoAiuto(int core) {
    const std::string_view prima = testoDesktop(TestoDesktop::aiutoCapacita);
    return QString::fromUtf8(prima.data(), static_cast<qsizetype>(prima.size())) + QString::number(core) +
           QStringLiteral(
               " core). Il Neural Engine non dà un carico misurabile: il chip in alto diventa verde quando "
               "è acceso, e i processi collegati hanno l'etichetta ANE.");
}

int indiceIntervallo(double secondi) {
    int migliore = 0;
    for (int i = 1; i < static_cast<int>(scelteIntervallo.size()); ++i)
        if (std::abs(scelteIntervallo[i].secondi - secondi) <
            std::abs(scelteIntervallo[migliore].secondi - secondi))
            migliore = i;
    return migliore;
}

}  // namespace pulsaro
