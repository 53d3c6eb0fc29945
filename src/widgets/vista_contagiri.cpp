#include "widgets/vista_contagiri.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/contagiri.h"
#include "widgets/etichetta_ane.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/molla.h"
#include "widgets/risorsa.h"
#include "widgets/secondo_carattere.h"
#include "widgets/testi_statici.h"

namespace pulsaro {

namespace {

constexpr double spaziaturaIntestazione = 8;
constexpr double latoIcona = 20;

QFont fontRango() {
    return secondoCarattere([] { return carattere(StileTesto::caption, QFont::Bold); });
}
QFont fontNome() {
    return secondoCarattere([] { return carattere(StileTesto::callout, QFont::Medium); });
}
QFont fontDettaglio() {
    return secondoCarattere([] { return carattere(StileTesto::caption2); });
}

// The header line, laid out from the left: rank, icon, name, badge; the memory text at the right.
struct Intestazione {
    QRectF rango, icona, nome, etichetta, dettaglio;
};

Intestazione intestazione(const QRectF& r, const UsoProcesso& p, int rango) {
    Intestazione t;
    const double cy = r.center().y();
    const double wRango = std::ceil(misuraTesto(QString::number(rango), fontRango()).width());
    const double wDettaglio = std::ceil(misuraCifre(testoMemoriaPid(p), fontDettaglio()).width());
    const double wNome = std::ceil(misuraTesto(nomeProcesso(p), fontNome()).width());
    const QSizeF badge = p.usaANE ? dimensioneEtichettaANE() : QSizeF();
    double x = r.left();
    t.rango = QRectF(x, r.top(), wRango, r.height());
    x += wRango + spaziaturaIntestazione;
    t.icona = QRectF(x, cy - latoIcona / 2, latoIcona, latoIcona);
    x += latoIcona + spaziaturaIntestazione;
    // The name gives way first when the line is too narrow.
    const double fisso =
        (p.usaANE ? badge.width() + spaziaturaIntestazione : 0) + spaziaturaIntestazione + wDettaglio;
    const double spazioNome = std::max(0.0, r.right() - x - fisso);
    t.nome = QRectF(x, r.top(), std::min(wNome, spazioNome), r.height());
    x += t.nome.width() + spaziaturaIntestazione;
    if (p.usaANE) t.etichetta = QRectF(QPointF(x, cy - badge.height() / 2), badge);
    t.dettaglio =
        QRectF(std::max(x, r.right() - wDettaglio), r.top(), std::min(wDettaglio, r.right() - x), r.height());
    return t;
}

// Text in its line box, centred vertically in r, from r's left edge; kept inside r when it
// comes from outside.
void testoNellaRiga(QPainter& p, const QRectF& r, const QString& testo, const QFont& f,
                    bool ritaglia = false) {
    const QPointF angolo(r.left(), r.center().y() - QFontMetricsF(f).height() / 2);
    if (ritaglia)
        disegnaTesto(p, angolo, testo, f, r);
    else
        disegnaTesto(p, angolo, testo, f);
}

}  // namespace

struct VistaContagiri::Molle {
    Molle(QWidget* padre, std::function<void()> cpuCambiato, std::function<void()> gpuCambiato)
        : cpu(padre, std::move(cpuCambiato)), gpu(padre, std::move(gpuCambiato)) {}
    ValoreMolla cpu;
    ValoreMolla gpu;
    // The spring of the k-th resource drawn per process.
    const ValoreMolla& di(std::size_t k) const { return k == 0 ? cpu : gpu; }
};

namespace {

// What one gauge of a card covers, glow included.
QRectF areaContagiri(const QRectF& cornice) {
    return cornice.united(geometriaContagiri(cornice, 0).ingombro).adjusted(-1, -1, 1, 1);
}

}  // namespace

VistaContagiri::VistaContagiri(QWidget* padre) : ListaProcessi(padre) {}

VistaContagiri::~VistaContagiri() = default;

void VistaContagiri::processiImpostati() {
    // What each card showed until now: a card that gets another process repaints only the
    // gauges that then stand elsewhere.
    const std::vector<std::int32_t> prima = std::exchange(schede_, {});
    mostrate_.clear();
    for (const std::int32_t pid : prima) {
        const auto it = molle_.find(pid);
        mostrate_.push_back(it == molle_.end()
                                ? std::array<double, 2>{-1, -1}
                                : std::array{it->second->di(0).valore(), it->second->di(1).valore()});
    }
    std::unordered_set<std::int32_t> presenti;
    const bool anima = isVisible();
    // Every card's gauges have the same size: one step for all.
    const double passo = passoVisibile(
        geometriaContagiri(layoutScheda(rettangoloScheda(0), altezzaIntestazione()).contagiri[0], 0).raggio,
        devicePixelRatioF());
    for (std::size_t i = 0; i < processi_.size(); ++i) {
        const UsoProcesso& p = processi_[i];
        presenti.insert(p.id);
        schede_.push_back(p.id);
        auto [it, nuova] = molle_.try_emplace(p.id);
        if (nuova)
            it->second = std::make_unique<Molle>(
                this, [this, pid = p.id] { aggiornaContagiri(pid, 0); },
                [this, pid = p.id] { aggiornaContagiri(pid, 1); });
        // These small dials spring only for a whole degree of their scale.
        it->second->cpu.impostaPasso(passo, 1 / ampiezzaScala);
        it->second->gpu.impostaPasso(passo, 1 / ampiezzaScala);
        // A card that keeps its process springs to the new values. A new process, or one that has
        // moved to another card, is drawn there anew with its values at once: a needle that left
        // from where another card's had been would show no change.
        const bool molla = anima && !nuova && i < prima.size() && prima[i] == p.id;
        it->second->cpu.vaiA(frazioneContagiri(p.cpu, true), molla);
        it->second->gpu.vaiA(frazioneContagiri(p.gpu, true), molla);
    }
    std::erase_if(molle_, [&](const auto& voce) { return !presenti.contains(voce.first); });
}

QRegion VistaContagiri::zonaCambiata(int i, const UsoProcesso& prima, const UsoProcesso& dopo) const {
    // A card repaints what reads differently. With the same header, the texts of its gauges that
    // changed: their needles and arcs are the springs' to repaint. With another process (the
    // order changed), its header and each gauge that now stands elsewhere or reads differently:
    // idle processes bring the same empty gauges.
    const LayoutScheda l = layoutScheda(rettangoloScheda(i), altezzaIntestazione());
    const bool stessa = stessaIntestazione(prima, dopo);
    QRegion zona;
    if (!stessa) zona += l.intestazione.toAlignedRect().adjusted(-2, -2, 2, 2);
    const auto it = molle_.find(dopo.id);
    const auto k0 = static_cast<std::size_t>(i);
    for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k) {
        const Risorsa r = Risorsa::perProcesso[k];
        const bool testo = testoContagiri(r.valore(prima), true) != testoContagiri(r.valore(dopo), true);
        if (!stessa) {
            const double ora = it == molle_.end() ? -2 : it->second->di(k).valore();
            if (testo || k0 >= mostrate_.size() || mostrate_[k0][k] != ora)
                zona += areaContagiri(l.contagiri[k]).toAlignedRect();
            continue;
        }
        if (!testo) continue;
        const GeometriaContagiri g = geometriaContagiri(l.contagiri[k], 0);
        // The value and the label under it: a line of 0.13 d over one of 0.085 d, centred.
        zona += QRectF(g.centroTesti - QPointF(0.4 * g.d, 0.2 * g.d), QSizeF(0.8 * g.d, 0.4 * g.d))
                    .toAlignedRect();
    }
    return zona;
}

void VistaContagiri::aggiornaContagiri(std::int32_t pid, int quale) {
    // A frame of a spring repaints what its needle and arc swept, the whole arc only when its
    // colour changed: never the card, its header or the other gauge.
    const auto it = molle_.find(pid);
    if (it == molle_.end()) return;
    const ValoreMolla& m = it->second->di(static_cast<std::size_t>(quale));
    const bool colore = Tema::carico(m.precedente() * 100).rgba() != Tema::carico(m.valore() * 100).rgba();
    for (std::size_t i = 0; i < processi_.size(); ++i)
        if (processi_[i].id == pid) {
            const LayoutScheda l = layoutScheda(rettangoloScheda(static_cast<int>(i)), altezzaIntestazione());
            update(regioneMovimentoContagiri(l.contagiri[static_cast<std::size_t>(quale)], m.precedente(),
                                             m.valore(), colore));
            return;
        }
}

double VistaContagiri::altezzaIntestazione() const {
    return secondoCarattere([] {
        return std::max({latoIcona, QFontMetricsF(fontNome()).height(), QFontMetricsF(fontRango()).height(),
                         dimensioneEtichettaANE().height()});
    });
}

double VistaContagiri::altezzaSchedaCorrente() const {
    // Whole points: every card's edges fall on device pixels.
    return std::ceil(altezzaScheda(altezzaIntestazione()));
}

int VistaContagiri::colonne() const {
    return colonneGriglia(width());
}

QRectF VistaContagiri::rettangoloScheda(int i) const {
    const auto r = rettangoliSchede(width(), i + 1, altezzaSchedaCorrente());
    return r.empty() ? QRectF() : r.back();
}

std::optional<std::int32_t> VistaContagiri::processoIn(const QPointF& punto) const {
    const auto schede =
        rettangoliSchede(width(), static_cast<int>(processi_.size()), altezzaSchedaCorrente());
    for (std::size_t i = 0; i < schede.size(); ++i)
        if (schede[i].contains(punto)) return processi_[i].id;
    return std::nullopt;
}

double VistaContagiri::frazioneMostrata(std::int32_t pid, int quale) const {
    const auto it = molle_.find(pid);
    if (it == molle_.end()) return 0;
    return quale == 0 ? it->second->cpu.valore() : it->second->gpu.valore();
}

QRectF VistaContagiri::rettangoloEtichetta(int i) const {
    const UsoProcesso& p = processi_[static_cast<std::size_t>(i)];
    if (!p.usaANE) return {};
    const LayoutScheda l = layoutScheda(rettangoloScheda(i), altezzaIntestazione());
    return intestazione(l.intestazione, p, i + 1).etichetta;
}

int VistaContagiri::heightForWidth(int larghezza) const {
    return static_cast<int>(
        std::ceil(altezzaGriglia(larghezza, static_cast<int>(processi_.size()), altezzaSchedaCorrente())));
}

QSize VistaContagiri::sizeHint() const {
    return {592, heightForWidth(592)};
}

QSize VistaContagiri::minimumSizeHint() const {
    return {static_cast<int>(colonnaMinima), heightForWidth(280)};
}

void VistaContagiri::paintEvent(QPaintEvent* evento) {
    QPainter p(this);
    disegnaSfondo(p, evento);
    p.setRenderHint(QPainter::Antialiasing);
    const Aspetto a = Tema::aspetto();
    const double hIntestazione = altezzaIntestazione();
    const auto schede =
        rettangoliSchede(width(), static_cast<int>(processi_.size()), altezzaSchedaCorrente());
    const QFont rango = fontRango();
    const QFont nome = fontNome();
    const QFont dettaglio = fontDettaglio();
    const QColor secondario = Tema::testoSecondario(a);

    // A spring's frame repaints one gauge: what lies outside the region is not drawn at all.
    const QRegion& regione = evento->region();
    auto tocca = [&](const QRectF& r) { return regione.intersects(r.toAlignedRect()); };
    for (std::size_t i = 0; i < schede.size(); ++i) {
        const QRectF& scheda = schede[i];
        if (!tocca(scheda.adjusted(-1, -1, 1, 1))) continue;
        const UsoProcesso& pr = processi_[i];
        disegnaFondo(p, scheda, raggioScheda, scelto(pr), a);

        const LayoutScheda l = layoutScheda(scheda, hIntestazione);
        const auto it = molle_.find(pr.id);
        for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k) {
            if (!tocca(areaContagiri(l.contagiri[k]))) continue;
            const Risorsa r = Risorsa::perProcesso[k];
            const double valore = r.valore(pr);
            double f = frazioneContagiri(valore, true);
            if (it != molle_.end()) f = it->second->di(k).valore();
            disegnaContagiri(p, l.contagiri[k], f, testoContagiri(valore, true), r.breve(), a, immagini_,
                             &regione);
        }
        if (!tocca(l.intestazione)) continue;
        const Intestazione t = intestazione(l.intestazione, pr, static_cast<int>(i) + 1);
        p.setPen(secondario);
        testoNellaRiga(p, t.rango, QString::number(i + 1), rango);
        disegnaIcona(p, t.icona, pr.id, a);
        p.setPen(Tema::testoPrimario(a));
        testoNellaRiga(p, t.nome, testoTagliato(nomeProcesso(pr), nome, t.nome.width() + 0.5), nome, true);
        if (pr.usaANE) disegnaEtichettaANE(p, t.etichetta.topLeft(), a);
        p.setPen(secondario);
        disegnaCifre(
            p, QPointF(t.dettaglio.left(), t.dettaglio.center().y() - QFontMetricsF(dettaglio).height() / 2),
            testoCifreTagliato(testoMemoriaPid(pr), dettaglio, t.dettaglio.width() + 0.5), dettaglio);
    }
}

}  // namespace pulsaro
