#include "shell/finestre.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLayout>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "barra/icona_barra.h"
#include "barra/riquadro_barra.h"
#include "barra/riquadro_compatto.h"
#include "barra/testi_barra.h"
#include "impostazioni/impostazioni.h"
#include "panels/mini_pannello.h"
#include "panels/pannello.h"
#include "platform/diario.h"
#include "platform/tabella_preferenze.h"
#include "sampling/testi.h"
#include "shell/cornice_finestra.h"
#include "shell/popover.h"
#include "widgets/simboli.h"

namespace pulsaro {

namespace TP = TabellaPreferenze;

namespace {

constexpr int larghezzaPrincipale = 980;
constexpr int altezzaPrincipale = 760;
constexpr int larghezzaMinimaContenuto = 860;
constexpr int larghezzaImpostazioni = 460;
constexpr int altezzaImpostazioni = 520;
constexpr double ritardoPannellino = 1.5;
constexpr double ritardoMostra = 0.15;
// A tray host often starts after the applications of a login; an ordinary start gives it a moment.
constexpr double attesaBarraLogin = 30;
constexpr double attesaBarra = 2;
constexpr auto guardiaRiapertura = std::chrono::milliseconds(300);
// A tray host that restarts comes back within moments; gone longer, the main window takes its place.
constexpr double assenzaVoceMassima = 10;

// The settings window takes the form's height, but never more than the screen's available area
// gives: as it grows it moves up, and past that the form scrolls inside it. It stays as wide as
// the form, the scroll bar inside that width.
class SegueModulo : public QObject {
public:
    SegueModulo(QWidget* finestra, QScrollArea* area) : QObject(finestra), finestra_(finestra), area_(area) {}

    void adatta() {
        QWidget* modulo = area_->widget();
        if (!modulo) return;
        QScreen* s = finestra_->screen() ? finestra_->screen() : QGuiApplication::primaryScreen();
        const QRect area = s ? s->availableGeometry() : QRect(0, 0, 100000, 100000);
        // The title bar and borders take their share of the screen too, once the window manager
        // has said how large they are.
        const QSize bordi = finestra_->frameGeometry().size() - finestra_->size();
        const int massimo = area.height() - std::max(bordi.height(), 0);
        const int voluta =
            modulo->hasHeightForWidth() ? modulo->heightForWidth(larghezzaImpostazioni) : modulo->height();
        const int barra = voluta > massimo ? area_->verticalScrollBar()->sizeHint().width() : 0;
        if (modulo->width() != larghezzaImpostazioni - barra)
            modulo->setFixedWidth(larghezzaImpostazioni - barra);
        const int altezza = std::min(std::max(modulo->height(), altezzaImpostazioni), massimo);
        finestra_->setFixedSize(larghezzaImpostazioni, altezza);
        if (!finestra_->isVisible()) return;
        const QRect cornice = finestra_->frameGeometry();
        const int alto =
            std::max(area.top(), std::min(cornice.top(), area.bottom() + 1 - (altezza + bordi.height())));
        if (alto != cornice.top()) finestra_->move(cornice.left(), alto);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Resize && o != finestra_) adatta();
        return false;
    }

private:
    QWidget* finestra_;
    QScrollArea* area_;
};

ImmaginePixel pixel(const QImage& origine) {
    const QImage i = origine.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ImmaginePixel p;
    p.larghezza = i.width();
    p.altezza = i.height();
    p.dpr = i.devicePixelRatio();
    p.argb.resize(static_cast<std::size_t>(p.larghezza) * p.altezza);
    for (int y = 0; y < p.altezza; ++y)
        std::memcpy(p.argb.data() + static_cast<std::size_t>(y) * p.larghezza, i.constScanLine(y),
                    static_cast<std::size_t>(p.larghezza) * 4);
    return p;
}

QRect qrect(const Rettangolo& r) {
    return {r.x, r.y, r.larghezza, r.altezza};
}

}  // namespace

Finestre::Finestre(ComponentiFinestre c)
    : c_(std::move(c)), monitor_(Monitor::crea(*c_.sonde, *c_.coda, c_.principale)) {
    impostaNumeroProcessi();
    numero_ = c_.preferenze->osserva([this](const std::string&) {
        QMetaObject::invokeMethod(
            this, [this] { impostaNumeroProcessi(); }, Qt::QueuedConnection);
    });
    salvataggio_ = new QTimer(this);
    salvataggio_->setSingleShot(true);
    salvataggio_->setInterval(500);
    connect(salvataggio_, &QTimer::timeout, this, &Finestre::salvaCornice);
}

Finestre::~Finestre() {
    numero_.disdici();
    abbonamenti_.clear();
    if (popover_) delete popover_.data();
    delete principale_.data();
    delete finestraImpostazioni_.data();
    voce_.reset();
}

// The engine is told, on this thread, what it keeps: it never reads the preferences itself.
void Finestre::impostaNumeroProcessi() {
    monitor_->impostaNumeroProcessi(static_cast<int>(TP::numeroPannelli.leggi(*c_.preferenze)));
}

QWidget* Finestre::popover() const {
    return popover_ && popover_->isVisible() ? popover_.data() : nullptr;
}

void Finestre::avvia(bool daLogin) {
    daLogin_ = daLogin;
    abbonamenti_.push_back(monitor_->stato.abbona(
        [this](const StatoFonti&) {
            QMetaObject::invokeMethod(
                this, [this] { aggiornaIcona(); }, Qt::QueuedConnection);
        },
        true));
    abbonamenti_.push_back(monitor_->riepilogo.abbona(
        [this](const Riepilogo&) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    // The plain icon does not show the figures.
                    if (RiquadroBarra::attivo(*c_.preferenze)) aggiornaIcona();
                },
                Qt::QueuedConnection);
        },
        true));
    abbonamenti_.push_back(c_.preferenze->osserva([this](const std::string&) {
        QMetaObject::invokeMethod(
            this, [this] { aggiornaBarra(); }, Qt::QueuedConnection);
    }));

    aggiornaBarra();

    for (const auto& a : c_.argomenti) {
        if (a == "-pannellino") {
            c_.dopo(ritardoPannellino, [d = QPointer<Finestre>(this)] {
                if (d) d->alternaPopover();
            });
            break;
        }
    }

    if (daLogin && TP::barraMenu.leggi(*c_.preferenze)) {
        c_.desktop->impostaPolitica(Politica::accessoria);
        return;
    }
    apriPrincipale();
}

void Finestre::aggiornaBarra() {
    Preferenze& p = *c_.preferenze;
    if (!TP::barraMenu.leggi(p)) {
        if (!voce_) return;
        if (riquadroAcceso_) {
            riquadroAcceso_ = false;
            monitor_->riquadro(false);
        }
        chiudiPopover();
        voce_.reset();
        if (!principale_ && !finestraImpostazioni_) apriPrincipale();
        c_.desktop->impostaPolitica(Politica::regolare);
        return;
    }
    if (!voce_) {
        voce_ = c_.creaVoce(daLogin_ ? attesaBarraLogin : attesaBarra);
        rigaMenuAllegato_.reset();
        voce_->impostaEtichetta(etichettaBarra);
        voce_->quandoClic([this](bool destro) { clicIcona(destro); });
        voce_->quandoAssente([this] {
            if (!assenzaDetta_) {
                assenzaDetta_ = true;
                if (c_.avviso)
                    c_.avviso(
                        "nessuna area di notifica (system tray) disponibile: apro la finestra "
                        "principale; l'icona comparirà quando l'area di notifica ci sarà");
            }
            apriPrincipale();
        });
        voce_->quandoPresenza([this](bool mostrata) { presenzaVoce(mostrata); });
    }
    const bool attivo = RiquadroBarra::attivo(p);
    if (riquadroAcceso_ != attivo) {
        riquadroAcceso_ = attivo;
        monitor_->riquadro(attivo);
    }
    aggiornaIcona();
}

void Finestre::aggiornaIcona() {
    if (!voce_) return;
    const Preferenze& p = *c_.preferenze;
    const bool iconaStato = TP::iconaStato.leggi(p);
    const StatoFonti stato = monitor_->stato();
    const double dpr = voce_->dpr();
    QImage img;
    if (RiquadroBarra::attivo(p)) {
        const int lato = voce_->latoQuadrato();
        const QColor sfondo = RiquadroBarra::sfondo(p);
        img = lato > 0 ? RiquadroCompatto::immagine(monitor_->riepilogo(), sfondo, p,
                                                    monitor_->macchina().numeroE, lato, dpr, &riquadro_)
                       : RiquadroBarra::immagine(monitor_->riepilogo(), sfondo, p,
                                                 monitor_->macchina().numeroE, dpr);
    } else {
        img = iconaBarra(statoGrigio(stato, iconaStato), dpr);
    }
    voce_->impostaImmagine(pixel(img));
    // With the tile the tooltip names its figures, refreshed with every light sample.
    voce_->impostaSuggerimento(RiquadroBarra::attivo(p)
                                   ? suggerimentoRiquadro(monitor_->riepilogo(), stato, iconaStato)
                                   : suggerimentoBarra(stato, iconaStato));
    allegaMenu();
}

void Finestre::allegaMenu() {
    // Trays that show an item's menu by themselves get it attached while the right click asks for it;
    // made anew only when its status line changes.
    std::optional<std::string> riga;
    if (TP::menuContestuale.leggi(*c_.preferenze)) riga = testoStato(monitor_->stato().guasti());
    if (riga == rigaMenuAllegato_) return;
    rigaMenuAllegato_ = riga;
    voce_->impostaMenuAllegato(riga ? menuContestuale() : std::vector<VoceMenu>{});
}

void Finestre::clicIcona(std::optional<bool> destro) {
    if (!destro || !*destro) {
        // The click that closed the popover from outside, delivered to the icon as well.
        if (!popover() && std::chrono::steady_clock::now() - chiusoDaFuori_ < guardiaRiapertura) return;
        alternaPopover();
        return;
    }
    if (!TP::menuContestuale.leggi(*c_.preferenze)) {
        alternaPopover();
        return;
    }
    if (!voce_) return;
    chiudiPopover();
    voce_->mostraMenu(menuContestuale());
}

std::vector<VoceMenu> Finestre::menuContestuale() {
    const StatoFonti stato = monitor_->stato().guasti();
    const Simbolo s = stato.tutto() ? Simbolo::spunta : Simbolo::avviso;
    const qreal dpr = voce_ ? voce_->dpr() : 1.0;
    const QColor colore = QGuiApplication::palette().color(QPalette::WindowText);
    QPointer<Finestre> d(this);

    std::vector<VoceMenu> v(6);
    v[0].titolo = "Apri Pulsaro";
    v[0].azione = [d] {
        if (d) d->apriPrincipale();
    };
    v[1].titolo = "Impostazioni…";
    v[1].tasto = ",";
    v[1].azione = [d] {
        if (d) d->impostazioni();
    };
    v[2].separatore = true;
    v[3].titolo = testoStato(stato);
    v[3].abilitata = false;
    v[3].simbolo = std::string(nomeSimbolo(s));
    v[3].immagine = pixel(immagineSimbolo(s, QSizeF(16, 16), colore, dpr));
    v[4].separatore = true;
    v[5].titolo = "Esci da Pulsaro";
    v[5].tasto = "q";
    v[5].azione = [d] {
        if (d) d->esci();
    };
    if (voce_ && voce_->menuConPannellino()) {
        VoceMenu p;
        p.titolo = "Mostra pannellino";
        p.azione = [d] {
            if (d && !d->popover()) d->alternaPopover();
        };
        v.insert(v.begin(), std::move(p));
    }
    return v;
}

void Finestre::alternaPopover() {
    if (popover()) {
        chiudiPopover();
        return;
    }
    if (!voce_) return;
    QPointer<Finestre> d(this);
    AzioniPopover azioni{
        [d] {
            if (d) d->apriPrincipale();
        },
        [d] {
            if (d) d->impostazioni();
        },
        [d] {
            if (d) d->esci();
        },
    };
    auto* p = new Popover(c_.desktop->compositoreDispone());
    p->impostaContenuto(c_.creaMini ? c_.creaMini(*monitor_, *c_.preferenze, std::move(azioni), p)
                                    : new MiniPannello(*monitor_, *c_.preferenze,
                                                       AzioniPannello{azioni.apriPrincipale,
                                                                      azioni.impostazioni, azioni.esci},
                                                       icone_, p));
    connect(p, &Popover::chiuso, this, [this] {
        if (!chiudendo_) chiusoDaFuori_ = std::chrono::steady_clock::now();
    });
    popover_ = p;
    p->mostraSotto(qrect(voce_->rettangolo()), QCursor::pos());
}

void Finestre::chiudiPopover() {
    if (!popover_) return;
    chiudendo_ = true;
    popover_->close();
    chiudendo_ = false;
    popover_ = nullptr;
}

void Finestre::apriPrincipale() {
    chiudiPopover();
    c_.desktop->impostaPolitica(Politica::regolare);
    if (!principale_) {
        auto* w =
            new OspiteFinestra(QStringLiteral("Pulsaro"), QStringLiteral("principale"), Qt::Window, comandi_);
        QWidget* contenuto = c_.creaPannello ? c_.creaPannello(*monitor_, *c_.preferenze, w)
                                             : new Pannello(*monitor_, *c_.preferenze, icone_, w);
        contenuto->setMinimumWidth(larghezzaMinimaContenuto);
        w->impostaContenuto(contenuto);
        contenutoPrincipale_ = contenuto;
        w->resize(larghezzaPrincipale, altezzaPrincipale);
        w->installEventFilter(this);
        connect(w, &OspiteFinestra::chiusa, this, [this, w] { finestraChiusa(w); });
        connect(w, &OspiteFinestra::corniceNota, this, &Finestre::nelloSchermo);
        principale_ = w;
        ripristinaCornice(w);
        nelloSchermo();
    }
    mostra(principale_);
}

void Finestre::impostazioni() {
    chiudiPopover();
    if (!finestraImpostazioni_) {
        auto* w =
            new OspiteFinestra(QStringLiteral("Impostazioni di Pulsaro"), QStringLiteral("impostazioni"),
                               Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint,
                               comandi_);
        auto* area = new QScrollArea(w);
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setWidgetResizable(true);
        QWidget* modulo = c_.creaImpostazioni ? c_.creaImpostazioni(*monitor_, *c_.preferenze, area)
                                              : new Impostazioni(*monitor_, *c_.preferenze, *c_.login, area);
        area->setWidget(modulo);
        w->impostaContenuto(area);
        // Closable and minimisable: the window takes the form's size and follows it as rows come and go.
        w->setFixedSize(larghezzaImpostazioni, altezzaImpostazioni);
        auto* segue = new SegueModulo(w, area);
        modulo->installEventFilter(segue);
        w->installEventFilter(segue);
        segue->adatta();
        if (QScreen* s = QGuiApplication::primaryScreen())
            w->move(s->availableGeometry().center() - QPoint(w->width() / 2, w->height() / 2));
        connect(w, &OspiteFinestra::chiusa, this, [this, w] { finestraChiusa(w); });
        connect(w, &OspiteFinestra::corniceNota, segue, &SegueModulo::adatta);
        finestraImpostazioni_ = w;
    }
    monitor_->verificaOra();
    mostra(finestraImpostazioni_);
}

void Finestre::mostra(OspiteFinestra* finestra) {
    if (!finestra) return;
    finestra->portaAvanti();
    c_.dopo(ritardoMostra, [d = QPointer<Finestre>(this), f = QPointer<OspiteFinestra>(finestra)] {
        if (d && f && f->isVisible()) f->portaAvanti();
    });
}

void Finestre::esci() {
    emit esciChiesto();
}

void Finestre::soloBarra() {
    chiudiPopover();
    if (principale_) principale_->close();
    if (finestraImpostazioni_) finestraImpostazioni_->close();
    c_.desktop->impostaPolitica(Politica::accessoria);
}

bool Finestre::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == principale_.data()) {
        switch (evento->type()) {
            case QEvent::Close:
                salvaCornice();
                break;
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
                if (!principale_->isVisible()) break;
                if (corniceInAttesa_ && principale_->frameGeometry().size() != principale_->size()) {
                    const QRect r = *corniceInAttesa_;
                    corniceInAttesa_.reset();
                    principale_->resize(r.size() -
                                        (principale_->frameGeometry().size() - principale_->size()));
                    principale_->move(r.topLeft());
                }
                // Its borders become known once shown, and a move may take it to another screen.
                nelloSchermo();
                if (!corniceInAttesa_) salvataggio_->start();
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(oggetto, evento);
}

void Finestre::finestraChiusa(OspiteFinestra* finestra) {
    for (QPointer<OspiteFinestra>* f : {&principale_, &finestraImpostazioni_})
        if (f->data() == finestra) *f = nullptr;
    if (principale_ || finestraImpostazioni_) return;
    emit ultimaFinestraChiusa();
}

void Finestre::nelloSchermo() {
    QWidget* w = principale_;
    if (!w) return;
    QScreen* s = QGuiApplication::screenAt(w->frameGeometry().center());
    if (!s) s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    const QSize bordi = w->frameGeometry().size() - w->size();  // none until the window manager says
    // Below the content's minimum width the minimum gives way, so the window never asks for
    // more than the screen has; its height is the panel's to fit, with a list that scrolls.
    const int minima = std::max(1, std::min(larghezzaMinimaContenuto, area.width() - bordi.width()));
    if (contenutoPrincipale_ && contenutoPrincipale_->minimumWidth() != minima) {
        contenutoPrincipale_->setMinimumWidth(minima);
        if (w->layout()) w->layout()->activate();  // the window's own minimum follows now, not later
    }
    if (w->isMaximized() || w->isFullScreen()) return;
    const QRect cornice = w->frameGeometry();
    const QRect dentro = dentroArea(cornice, area);
    if (dentro == cornice) return;
    w->resize(dentro.size() - bordi);
    w->move(dentro.topLeft());
}

void Finestre::presenzaVoce(bool mostrata) {
    const int assenza = ++assenzeVoce_;
    if (mostrata) return;  // a pending check of the absence that ended finds a newer count
    c_.dopo(assenzaVoceMassima, [d = QPointer<Finestre>(this), assenza] {
        if (!d || d->assenzeVoce_ != assenza || d->voceMostrata()) return;
        const auto aperta = [](const QWidget* f) { return f && f->isVisible() && !f->isMinimized(); };
        if (aperta(d->principale_) || aperta(d->finestraImpostazioni_)) return;
        diarioUnaVolta(LivelloDiario::info, "voce", "assente",
                       "l'area di notifica non c'è più: riapro la finestra principale");
        d->apriPrincipale();
    });
}

void Finestre::salvaCornice() {
    salvataggio_->stop();
    QWidget* w = principale_;
    if (!w || !w->isVisible()) return;
    QScreen* primario = QGuiApplication::primaryScreen();
    if (!primario) return;
    QScreen* suo = w->screen() ? w->screen() : primario;
    const int altezza = primario->geometry().height();
    QRect cornice = w->frameGeometry();
    if (c_.desktop->compositoreDispone()) {
        // Where the compositor places windows their place is not known: only the size is saved
        // (the window's own, as it comes back), at the place saved before, centred when none.
        const auto prima = TP::cornicePrincipale.leggi(*c_.preferenze);
        const auto vecchia = prima ? leggiCornice(*prima, altezza) : std::nullopt;
        cornice = QRect(QPoint(), w->size());
        cornice.moveTopLeft(vecchia ? vecchia->finestra.topLeft()
                                    : suo->availableGeometry().center() - cornice.center());
    }
    const std::string t = testoCornice({cornice, suo->availableGeometry()}, altezza);
    if (TP::cornicePrincipale.leggi(*c_.preferenze) != t)
        c_.preferenze->scriviPropria(TP::cornicePrincipale.chiave, t);
}

void Finestre::ripristinaCornice(QWidget* w) {
    QScreen* primario = QGuiApplication::primaryScreen();
    std::vector<QRect> aree;
    for (QScreen* s : QGuiApplication::screens()) aree.push_back(s->availableGeometry());
    const auto t = TP::cornicePrincipale.leggi(*c_.preferenze);
    if (t && primario && c_.desktop->compositoreDispone()) {
        // The compositor places it: only the size comes back, inside the available area.
        if (const auto c = leggiCornice(*t, primario->geometry().height())) {
            w->resize(c->finestra.size().boundedTo(primario->availableGeometry().size()));
            return;
        }
    }
    const auto r = t && primario ? corniceUsabile(*t, primario->geometry().height(), aree) : std::nullopt;
    if (r) {
        // The frame holds the title bar and borders: once the window manager tells how wide they
        // are, the content is made that much smaller (see eventFilter).
        w->move(r->topLeft());
        w->resize(r->size());
        corniceInAttesa_ = *r;
        return;
    }
    if (t && primario)
        diarioUnaVolta(LivelloDiario::info, "cornice", "finestra",
                       "cornice salvata illeggibile o fuori dagli schermi: la finestra va al centro");
    if (!primario) return;
    const QRect area = primario->availableGeometry();
    w->resize(w->size().boundedTo(area.size()));
    w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
}

}  // namespace pulsaro
