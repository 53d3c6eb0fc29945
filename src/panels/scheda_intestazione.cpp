#include "panels/scheda_intestazione.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

#include "panels/icona_processo.h"
#include "panels/regole_pannello.h"
#include "sampling/monitor.h"
#include "sampling/testi.h"
#include "widgets/caratteri.h"
#include "widgets/chip_ane.h"
#include "widgets/contagiri.h"
#include "widgets/elementi_pannello.h"
#include "widgets/elementi_processo.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/risorsa.h"
#include "widgets/simboli.h"
#include "widgets/testi_statici.h"

namespace pulsaro {

namespace {

const QSize cornice(170, 150);
constexpr double raggioCard = 14;
constexpr double opacitaSeguito = 0.6;
constexpr int margineTutto = 12;

QFont fontTutto() {
    return carattere(13, QFont::Medium);
}

}  // namespace

// --- PulsanteTutto ------------------------------------------------------------------------

PulsanteTutto::PulsanteTutto(QWidget* padre) : QAbstractButton(padre) {
    setText(QStringLiteral("Tutto"));
    setAccessibleName(text());
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::ArrowCursor);
}

QSize PulsanteTutto::sizeHint() const {
    const QSizeF t = misuraTesto(text(), fontTutto());
    return {static_cast<int>(std::ceil(10 + 13 + 5 + t.width() + 10)),
            static_cast<int>(std::ceil(t.height() + 8))};
}

void PulsanteTutto::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Aspetto a = Tema::aspetto();
    QColor fondo = Tema::control(a);
    if (isDown()) fondo = fondo.darker(115);
    p.setPen(Qt::NoPen);
    p.setBrush(fondo);
    p.drawRoundedRect(QRectF(rect()), 6, 6);
    const QFont f = fontTutto();
    const QSizeF t = misuraTesto(text(), f);
    const double x = 10;
    const double cy = height() / 2.0;
    disegnaSimbolo(p, Simbolo::indietro, QRectF(x, cy - 6.5, 13, 13), Qt::white);
    p.setPen(Qt::white);
    disegnaTesto(p, QPointF(x + 13 + 5, cy - t.height() / 2), text(), f);
}

// --- SchedaIntestazione -------------------------------------------------------------------

SchedaIntestazione::SchedaIntestazione(Monitor& monitor, CacheIcone& icone, std::function<void()> tutto,
                                       QWidget* padre)
    : QWidget(padre), monitor_(monitor), animazioneBordo_(new QVariantAnimation(this)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // It paints its corners itself: a gauge's frame does not repaint the panel under the card.
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 12, 0, 12);
    v->setSpacing(6);

    tutto_ = new PulsanteTutto(this);
    tutto_->resize(tutto_->sizeHint());
    tutto_->hide();
    connect(tutto_, &QAbstractButton::clicked, this, [tutto = std::move(tutto)] {
        if (tutto) tutto();
    });

    rigaProcesso_ = new QWidget(this);
    auto* rp = new QHBoxLayout(rigaProcesso_);
    // The line ends before the "Tutto" button that sits at its trailing end.
    rp->setContentsMargins(18, 0, std::max(18, margineTutto + tutto_->width() + 10), 0);
    rp->setSpacing(10);
    icona_ = new IconaProcesso(0, icone, rigaProcesso_);
    icona_->setFixedSize(28, 28);
    rp->addWidget(icona_);
    // A long name gives way, cut with "…"; the memory and pid beside it never do.
    nome_ = new Testo({}, carattereTitolo2(), colorePrimario(), rigaProcesso_);
    nome_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    rp->addWidget(nome_, 0);
    dettaglio_ = new Testo({}, carattere(StileTesto::callout), coloreSecondario(), rigaProcesso_);
    dettaglio_->setCifreFisse(true);
    dettaglio_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    rp->addWidget(dettaglio_, 0);
    rp->addStretch(1);
    v->addWidget(rigaProcesso_);

    const QMargins margini = sbordoContagiri(QSizeF(cornice)).toMargins();
    auto* risorse = new QHBoxLayout;
    risorse->setSpacing(18);
    for (const Risorsa r : Risorsa::tutte) {
        auto* colonna = new QVBoxLayout;
        colonna->setSpacing(4);
        QWidget* quadrante = nullptr;
        if (r == Risorsa::ane) {
            chip_ = new ChipANE(false, QStringLiteral("ANE"), this);
            quadrante = chip_;
        } else {
            auto* c = new Contagiri(0, r.colore()(), QString(), true, this);
            c->impostaFondo(Tema::card);
            c->setAccessibleName(r.titolo());  // the title under it is a label of its own
            contagiri_[r == Risorsa::cpu ? 0 : 1] = c;
            quadrante = c;
        }
        // A gauge's arcs and glow reach past its 170 × 150 frame: it gets that room around the
        // frame and lays the dial of that frame out in it itself. The chip draws in the frame
        // (its contents rectangle) inside the same room, so dials and titles line up.
        if (quadrante == chip_) quadrante->setContentsMargins(margini);
        quadrante->setFixedSize(cornice.grownBy(margini));
        colonna->addWidget(quadrante, 0, Qt::AlignHCenter);
        auto* titolo = new Testo(r.titolo(), carattereTitoletto(), colorePrimario(), this);
        titolo->setAllineamento(Qt::AlignHCenter | Qt::AlignVCenter);
        colonna->addWidget(titolo, 0, Qt::AlignHCenter);
        auto* sotto = new Testo({}, carattere(StileTesto::caption), coloreSecondario(), this);
        sotto->setCifreFisse(true);
        sotto->setAllineamento(Qt::AlignHCenter | Qt::AlignVCenter);
        sottotitoli_[static_cast<std::size_t>(r.caso())] = sotto;
        colonna->addWidget(sotto, 0, Qt::AlignHCenter);
        risorse->addLayout(colonna, 1);
    }
    v->addLayout(risorse);

    animazioneBordo_->setDuration(durataSeguitoMs);
    animazioneBordo_->setEasingCurve(curvaEaseInOut());
    connect(animazioneBordo_, &QVariantAnimation::valueChanged, this, [this](const QVariant& x) {
        bordo_ = x.toDouble();
        update();
    });

    aggiorna();
}

void SchedaIntestazione::aggiorna() {
    const std::optional<std::int32_t> seguito = monitor_.seguito();
    const bool seguendo = seguito.has_value();
    // The followed process's figures. Until a sample brings its detail (up to one interval after
    // the click) the list's entry from the same sample stands in, so a live process is never
    // shown as ended; a detail left from another process does not count.
    std::optional<UsoProcesso> dett;
    if (seguendo) {
        const std::optional<UsoProcesso>& d = monitor_.dettaglio();
        if (d && monitor_.eSeguito(*d)) {
            dett = d;
        } else {
            for (const UsoProcesso& p : monitor_.processi())
                if (monitor_.eSeguito(p)) dett = p;
        }
    }
    const UsoTotale& t = monitor_.totale();

    if (seguendo) {
        icona_->setPid(*seguito);
        nome_->setTesto(dett ? nomeProcesso(*dett) : QStringLiteral("Processo terminato"));
        // Read, not drawn: without the isolating marks, as the list items name it.
        const QString letto = dett ? nomeLeggibile(*dett) : nome_->testo();
        if (nome_->accessibleName() != letto) nome_->setAccessibleName(letto);
        dettaglio_->setTesto(dett ? testoMemoriaPid(*dett) : QString());
        dettaglio_->setVisible(dett.has_value());
    }
    rigaProcesso_->setVisible(seguendo);

    const std::array<double, 2> valori =
        seguendo ? std::array<double, 2>{dett ? dett->cpu : 0, dett ? dett->gpu : 0}
                 : std::array<double, 2>{t.cpu, t.gpu};
    const bool attivo = !seguendo || dett.has_value();
    for (std::size_t i = 0; i < contagiri_.size(); ++i)
        if (contagiri_[i]->valore() != valori[i] || contagiri_[i]->attivo() != attivo)
            contagiri_[i]->imposta(valori[i], contagiri_[i]->colore(), QString(), attivo);
    chip_->setAcceso(monitor_.aneAcceso() && (!seguendo || (dett && dett->usaANE)));
    for (const Risorsa r : Risorsa::tutte)
        sottotitoli_[static_cast<std::size_t>(r.caso())]->setTesto(
            sottotitoloRisorsa(r, t, monitor_.aneAcceso(), seguendo, dett, monitor_.core()));

    if (seguendo != seguendo_) {
        seguendo_ = seguendo;
        const double obiettivo = seguendo ? opacitaSeguito : 0;
        animazioneBordo_->stop();
        if (isVisible()) {
            animazioneBordo_->setStartValue(bordo_);
            animazioneBordo_->setEndValue(obiettivo);
            animazioneBordo_->start();
        } else {
            bordo_ = obiettivo;
            update();
        }
        dissolvi(tutto_, seguendo, durataSeguitoMs);
        posizionaTutto();
    }
}

void SchedaIntestazione::posizionaTutto() {
    // At the trailing end of the process line, where the line leaves room: in the bottom corner
    // it would cover the Neural Engine's subtitle at the window's usual widths.
    const int centro =
        rigaProcesso_->isHidden() ? 12 + tutto_->height() / 2 : rigaProcesso_->geometry().center().y();
    tutto_->move(width() - margineTutto - tutto_->width(), centro - tutto_->height() / 2);
    tutto_->raise();
}

void SchedaIntestazione::resizeEvent(QResizeEvent*) {
    posizionaTutto();
}

bool SchedaIntestazione::event(QEvent* e) {
    const bool r = QWidget::event(e);
    if (e->type() == QEvent::LayoutRequest) posizionaTutto();  // the process line moved
    return r;
}

void SchedaIntestazione::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const Aspetto a = Tema::aspetto();
    p.fillRect(e->rect(), Tema::panel(a));  // the rounded corners, on the panel it stands on
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
    p.setBrush(Tema::card(a));
    p.setPen(bordo_ > 0 ? QPen(conOpacita(Tema::control(a), bordo_), 1.5) : QPen(Qt::NoPen));
    p.drawRoundedRect(r, raggioCard, raggioCard);
}

void SchedaIntestazione::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
