#include "panels/mini_pannello.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "panels/cache_icone.h"
#include "panels/lista_mini.h"
#include "panels/osserva_visibilita.h"
#include "panels/riga_mini.h"
#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"
#include "sampling/monitor.h"
#include "sampling/testi.h"
#include "widgets/caratteri.h"
#include "widgets/chip_ane.h"
#include "widgets/contagiri.h"
#include "widgets/elementi_pannello.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/risorsa.h"

namespace pulsaro {

namespace {

const QSize cellaQuadrante(96, 84);

// A cell of unlimited width with the dial centred in its 96 × 84 frame. A gauge's arcs and glow
// reach past the frame: it gets that room around the frame and lays the dial of that frame out
// in it itself; the chip draws in the frame (its contents rectangle) inside the same room, so
// the three line up.
QWidget* cella(QWidget* quadrante, QWidget* padre) {
    auto* c = new QWidget(padre);
    auto* l = new QHBoxLayout(c);
    l->setContentsMargins(0, 0, 0, 0);
    const QMargins m = sbordoContagiri(QSizeF(cellaQuadrante)).toMargins();
    if (!dynamic_cast<Contagiri*>(quadrante)) quadrante->setContentsMargins(m);
    quadrante->setFixedSize(cellaQuadrante.grownBy(m));
    l->addWidget(quadrante, 0, Qt::AlignCenter);
    c->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return c;
}

QFont fontIntestazione() {
    return carattere(10, QFont::Bold);
}

}  // namespace

MiniPannello::MiniPannello(Monitor& monitor, Preferenze& preferenze, AzioniPannello azioni, CacheIcone& icone,
                           QWidget* padre)
    : MiniPannello(monitor, preferenze, std::move(azioni), nullptr, &icone, padre) {}

MiniPannello::MiniPannello(Monitor& monitor, Preferenze& preferenze, AzioniPannello azioni, QWidget* padre)
    : MiniPannello(monitor, preferenze, std::move(azioni), std::make_unique<CacheIcone>(), nullptr, padre) {}

MiniPannello::MiniPannello(Monitor& monitor, Preferenze& preferenze, AzioniPannello azioni,
                           std::unique_ptr<CacheIcone> propria, CacheIcone* icone, QWidget* padre)
    : QWidget(padre),
      monitor_(monitor),
      preferenze_(preferenze),
      propria_(std::move(propria)),
      icone_(icone ? *icone : *propria_),
      azioni_(std::move(azioni)),
      aperta_(TabellaPreferenze::miniListaAperta.leggi(preferenze)) {
    setFixedWidth(larghezzaMini);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(12, 12, 12, 12);
    v->setSpacing(10);

    auto apri = [this] {
        if (azioni_.apriPrincipale) azioni_.apriPrincipale();
    };

    // Dial row.
    quadranti_ = new AreaCliccabile(apri, this);
    quadranti_->setToolTip(QStringLiteral("Apri Pulsaro"));
    quadranti_->setAccessibleName(QStringLiteral("Apri Pulsaro"));
    auto* riga = new QHBoxLayout(quadranti_);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->setSpacing(6);
    for (std::size_t i = 0; i < contagiri_.size(); ++i) {
        const Risorsa r = Risorsa::perProcesso[i];
        contagiri_[i] = new Contagiri(0, r.colore()(), r.breve(), true);
        contagiri_[i]->impostaFondo(Tema::panel);
        riga->addWidget(cella(contagiri_[i], quadranti_));
    }
    chip_ = new ChipANE(false);
    riga->addWidget(cella(chip_, quadranti_));
    v->addWidget(quadranti_);

    // Warning line.
    avviso_ = new Testo({}, carattere(StileTesto::caption), coloreSecondario(), this);
    avviso_->setSimbolo(Simbolo::avviso);
    avviso_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    v->addWidget(avviso_);

    v->addWidget(new Divisore(this));

    // List header.
    intestazione_ = new AreaCliccabile([this] { alternaLista(); }, this);
    auto* h = new QHBoxLayout(intestazione_);
    h->setContentsMargins(0, 4, 0, 4);
    h->setSpacing(8);
    auto* titolo = new QWidget(intestazione_);
    titolo->setFixedWidth(116);
    auto* ht = new QHBoxLayout(titolo);
    ht->setContentsMargins(0, 0, 0, 0);
    ht->setSpacing(4);
    chevron_ = new Chevron(9, durataListaMiniMs, titolo);
    ht->addWidget(chevron_);
    ht->addWidget(new Testo(QStringLiteral("Processi"), fontIntestazione(), coloreSecondario(), titolo));
    ht->addStretch(1);
    h->addWidget(titolo);
    for (std::size_t i = 0; i < colonne_.size(); ++i) {
        colonne_[i] = new Testo(
            Risorsa::perProcesso[i].breve(), fontIntestazione(), [](Aspetto a) { return Tema::muted(a); },
            intestazione_);
        colonne_[i]->setAllineamento(Qt::AlignRight | Qt::AlignVCenter);
        colonne_[i]->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        h->addWidget(colonne_[i]);
    }
    spazio_ = new QWidget(intestazione_);
    spazio_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    h->addWidget(spazio_);
    v->addWidget(intestazione_);

    // Process list.
    lista_ = new ListaMini(apri, this);
    lista_->setToolTip(QStringLiteral("Apri Pulsaro"));
    lista_->setAccessibleName(QStringLiteral("Processi"));
    auto* vl = new QVBoxLayout(lista_);
    vl->setContentsMargins(0, 0, 0, 0);
    vl->setSpacing(6);
    attesa_ = new QWidget(lista_);
    auto* ha = new QHBoxLayout(attesa_);
    ha->setContentsMargins(8, 8, 8, 8);
    rotella_ = new Rotella(16, attesa_);
    ha->addWidget(rotella_, 0, Qt::AlignCenter);
    vl->addWidget(attesa_);
    for (int i = 0; i < righeMini; ++i) {
        auto* r = new RigaMini(icone_, lista_);
        r->hide();
        righe_.push_back(r);
        vl->addWidget(r);
    }
    v->addWidget(lista_);

    // Buttons, in the small control size.
    auto* bottoni = new QHBoxLayout;
    bottoni->setSpacing(8);
    const QFont piccolo = carattere(11);
    apri_ = new QPushButton(QStringLiteral("Apri Pulsaro"), this);
    impostazioni_ = new QPushButton(QStringLiteral("Impostazioni"), this);
    impostazioni_->setIcon(icone_.ingranaggio(impostazioni_->palette().color(QPalette::ButtonText).rgba()));
    impostazioni_->setToolTip(QStringLiteral("Impostazioni di Pulsaro"));
    esci_ = new QPushButton(QStringLiteral("Esci"), this);
    for (QPushButton* b : {apri_, impostazioni_, esci_}) b->setFont(piccolo);
    connect(apri_, &QPushButton::clicked, this, apri);
    connect(impostazioni_, &QPushButton::clicked, this, [this] {
        if (azioni_.impostazioni) azioni_.impostazioni();
    });
    connect(esci_, &QPushButton::clicked, this, [this] {
        if (azioni_.esci) azioni_.esci();
    });
    bottoni->addWidget(apri_);
    bottoni->addWidget(impostazioni_);
    bottoni->addStretch(1);
    bottoni->addWidget(esci_);
    v->addLayout(bottoni);

    abbonamenti_.push_back(monitor_.totale.abbona([this](const UsoTotale&) { aggiornaTotale(); }));
    abbonamenti_.push_back(monitor_.stato.abbona([this](const StatoFonti&) { aggiornaStato(); }, true));
    abbonamenti_.push_back(
        monitor_.processi.abbona([this](const std::vector<UsoProcesso>&) { aggiornaProcessi(); }));
    aggiornaTotale();
    aggiornaStato();
    aggiornaProcessi();
    mostraAperta(false);

    osserva_ = new OsservaVisibilita(
        this, [this](bool visibile) { interesse_ = visibile ? monitor_.interesse() : Monitor::Interesse(); });
}

MiniPannello::~MiniPannello() {
    delete osserva_;  // reports the panel gone while the monitor is surely there
}

QWidget* MiniPannello::avviso() const {
    return avviso_;
}

int MiniPannello::righeMostrate() const {
    return static_cast<int>(
        std::count_if(righe_.begin(), righe_.end(), [](RigaMini* r) { return !r->isHidden(); }));
}

void MiniPannello::aggiornaTotale() {
    const UsoTotale& t = monitor_.totale();
    const std::array<double, 2> valori{t.cpu, t.gpu};
    for (std::size_t i = 0; i < contagiri_.size(); ++i)
        if (contagiri_[i]->valore() != valori[i]) contagiri_[i]->setValore(valori[i]);
    chip_->setAcceso(monitor_.aneAcceso());
}

void MiniPannello::aggiornaStato() {
    // Only units that exist and fail are worth a warning here.
    const StatoFonti s = monitor_.stato().guasti();
    avviso_->setTesto(QString::fromStdString(testoStato(s)));
    if (avviso_->isHidden() != s.tutto()) {
        avviso_->setVisible(!s.tutto());
        ridimensiona();
    }
}

void MiniPannello::aggiornaProcessi() {
    const std::vector<UsoProcesso>& processi = monitor_.processi();
    const std::size_t n = std::min<std::size_t>(processi.size(), righe_.size());
    bool cambiate = attesa_->isHidden() != (n > 0);
    attesa_->setVisible(n == 0);
    for (std::size_t i = 0; i < righe_.size(); ++i) {
        if (i < n) righe_[i]->imposta(processi[i], monitor_.eSeguito(processi[i]));
        if (righe_[i]->isHidden() != (i >= n)) {
            righe_[i]->setVisible(i < n);
            cambiate = true;
        }
    }
    if (cambiate) ridimensiona();
}

void MiniPannello::alternaLista() {
    aperta_ = !aperta_;
    TabellaPreferenze::miniListaAperta.scrivi(preferenze_, aperta_);
    mostraAperta(true);
}

void MiniPannello::mostraAperta(bool anima) {
    intestazione_->setToolTip(aperta_ ? QStringLiteral("Comprimi la lista")
                                      : QStringLiteral("Espandi la lista"));
    intestazione_->setAccessibleName(intestazione_->toolTip());
    for (Testo* c : colonne_) c->setVisible(aperta_);
    spazio_->setVisible(!aperta_);
    chevron_->setAperto(aperta_);
    if (!anima) {
        lista_->setVisible(aperta_);
        return;
    }
    dissolvi(lista_, aperta_, durataListaMiniMs, [this] { ridimensiona(); });
    if (aperta_) ridimensiona();
}

void MiniPannello::ridimensiona() {
    // The popover's window follows the panel's height.
    if (window()->isVisible()) window()->adjustSize();
}

void MiniPannello::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Tema::panel(Tema::aspetto()));
}

void MiniPannello::changeEvent(QEvent* e) {
    if ((e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) &&
        impostazioni_) {
        impostazioni_->setIcon(
            icone_.ingranaggio(impostazioni_->palette().color(QPalette::ButtonText).rgba()));
        update();
    }
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
