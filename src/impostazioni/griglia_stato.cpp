#include "impostazioni/griglia_stato.h"

#include <QEvent>
#include <QGridLayout>
#include <QPixmap>
#include <cstdio>

#include "barra/icona_barra.h"
#include "panels/osserva_visibilita.h"
#include "sampling/core.h"
#include "sampling/testi.h"
#include "widgets/caratteri.h"
#include "widgets/simboli.h"
#include "widgets/tema.h"

namespace pulsaro {

namespace {

constexpr double latoSimbolo = 14;

void colora(QLabel* l, const QColor& c) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

QLabel* cella(QWidget* padre, StileTesto stile = StileTesto::body) {
    auto* l = new QLabel(padre);
    l->setTextFormat(Qt::PlainText);
    l->setFont(carattere(stile));
    return l;
}

}  // namespace

std::string testoUsoCore(const CoreImpegnati& c, int numeroE) {
    std::string t = std::to_string(c.totale()) + " core";
    if (numeroE >= 1) t += " (P " + std::to_string(c.p) + " \u00B7 E " + std::to_string(c.e) + ")";
    return t;
}

GrigliaStato::GrigliaStato(Monitor& monitor, QWidget* padre)
    : GrigliaStato(monitor, monitor.macchina().testoCPU, monitor.macchina().testoGPU,
                   monitor.macchina().numeroE, padre) {}

GrigliaStato::GrigliaStato(Monitor& monitor, std::string hardwareCPU, std::string hardwareGPU, int numeroE,
                           QWidget* padre)
    : QWidget(padre),
      monitor_(monitor),
      hardwareCPU_(std::move(hardwareCPU)),
      hardwareGPU_(std::move(hardwareGPU)),
      numeroE_(numeroE) {
    auto* griglia = new QGridLayout(this);
    griglia->setContentsMargins(0, 0, 0, 0);
    griglia->setHorizontalSpacing(14);
    griglia->setVerticalSpacing(10);
    const char* titoli[] = {"CPU e memoria", "GPU", "Neural Engine"};
    for (int i = 0; i < 3; ++i) {
        auto& r = righe_[static_cast<std::size_t>(i)];
        r.simbolo = new QLabel(this);
        r.simbolo->setFixedSize(static_cast<int>(latoSimbolo), static_cast<int>(latoSimbolo));
        r.titolo = cella(this);
        r.titolo->setText(QString::fromUtf8(titoli[i]));
        r.hardware = cella(this);
        r.uso = cella(this);
        griglia->addWidget(r.simbolo, i, 0, Qt::AlignLeft | Qt::AlignVCenter);
        griglia->addWidget(r.titolo, i, 1, Qt::AlignLeft | Qt::AlignVCenter);
        griglia->addWidget(r.hardware, i, 2, Qt::AlignLeft | Qt::AlignVCenter);
        griglia->addWidget(r.uso, i, 3, Qt::AlignLeft | Qt::AlignVCenter);
    }
    griglia->setColumnStretch(4, 1);
    abbonamentoStato_ = monitor_.stato.abbona([this](const StatoFonti&) { aggiorna(); });
    abbonamentoTotale_ = monitor_.totale.abbona([this](const UsoTotale&) { aggiorna(); });
    aggiorna();
    // Follows the window, not only this widget: a minimised or covered settings window
    // stops the full samples too.
    osserva_ = new OsservaVisibilita(
        this, [this](bool visibile) { interesse_ = visibile ? monitor_.interesse() : Monitor::Interesse(); });
}

GrigliaStato::~GrigliaStato() {
    delete osserva_;  // reports the grid gone while the monitor is surely there
}

void GrigliaStato::aggiorna() {
    const StatoFonti s = monitor_.stato();
    const UsoTotale& t = monitor_.totale();
    funziona_ = {s.cpu, s.gpu, s.ane};
    assente_ = {false, s.gpuAssente, s.aneAssente};
    char gpu[32];
    std::snprintf(gpu, sizeof gpu, "%.0f%%", t.gpu);
    const std::string hardware[] = {hardwareCPU_, hardwareGPU_, ""};
    const std::string uso[] = {testoUsoCore(t.core, numeroE_), gpu, t.ane >= 0.5 ? "sì" : "no"};
    for (std::size_t i = 0; i < 3; ++i) {
        auto& r = righe_[i];
        // A unit the machine lacks is said quietly, without the failure's cross.
        StatoFonti solo;
        solo.gpuAssente = i == 1 && assente_[i];
        solo.aneAssente = i == 2 && assente_[i];
        r.hardware->setText(funziona_[i]  ? QString::fromStdString(hardware[i])
                            : assente_[i] ? QString::fromStdString(testoAssenti(solo))
                                          : QStringLiteral("Non disponibile"));
        r.uso->setText(funziona_[i] ? QStringLiteral("Usati: ") + QString::fromStdString(uso[i]) : QString());
    }
    applicaColori();
}

void GrigliaStato::applicaColori() {
    const qreal dpr = devicePixelRatioF();
    const QColor secondario = Tema::testoSecondario();
    for (std::size_t i = 0; i < 3; ++i) {
        auto& r = righe_[i];
        if (assente_[i] && !funziona_[i]) {
            r.simbolo->clear();
        } else {
            const QImage img = immagineSimbolo(funziona_[i] ? Simbolo::spunta : Simbolo::croce,
                                               QSizeF(latoSimbolo, latoSimbolo),
                                               funziona_[i] ? Tema::green() : grigioSistema(), dpr);
            r.simbolo->setPixmap(QPixmap::fromImage(img));
        }
        colora(r.hardware, funziona_[i] || assente_[i] ? secondario : grigioSistema());
        colora(r.uso, secondario);
    }
}

void GrigliaStato::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) applicaColori();
}

}  // namespace pulsaro
