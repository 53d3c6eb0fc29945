#include "panels/pannello.h"

#include <limits>

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "panels/cache_icone.h"
#include "panels/icona_processo.h"
#include "panels/osserva_visibilita.h"
#include "panels/regole_pannello.h"
#include "panels/scheda_intestazione.h"
#include "panels/tendina.h"
#include "panels/vista_storia.h"
#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"
#include "sampling/monitor.h"
#include "widgets/caratteri.h"
#include "widgets/elementi_pannello.h"
#include "widgets/selettore_segmentato.h"
#include "widgets/vista_barre.h"
#include "widgets/vista_contagiri.h"

namespace pulsaro {

namespace {
constexpr int durataCorniceMs = 200;
}  // namespace

Pannello::Pannello(Monitor& monitor, Preferenze& preferenze, CacheIcone& icone, QWidget* padre)
    : Pannello(monitor, preferenze, nullptr, &icone, padre) {}

Pannello::Pannello(Monitor& monitor, Preferenze& preferenze, QWidget* padre)
    : Pannello(monitor, preferenze, std::make_unique<CacheIcone>(), nullptr, padre) {}

Pannello::Pannello(Monitor& monitor, Preferenze& preferenze, std::unique_ptr<CacheIcone> propria,
                   CacheIcone* icone, QWidget* padre)
    : QWidget(padre),
      monitor_(monitor),
      preferenze_(preferenze),
      propria_(std::move(propria)),
      icone_(icone ? *icone : *propria_),
      vista_(tutteLeViste[TabellaPreferenze::vista.leggi(preferenze)]),
      aperta_(TabellaPreferenze::listaAperta.leggi(preferenze)),
      adatta_(new QTimer(this)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(20, 20, 20, 20);
    v->setSpacing(16);

    scheda_ = new SchedaIntestazione(
        monitor_, icone_, [this] { monitor_.impostaSeguito(std::nullopt); }, this);
    v->addWidget(scheda_);

    // List header row.
    auto* riga = new QHBoxLayout;
    interruttore_ = new AreaCliccabile([this] { alternaLista(); }, this);
    auto* hi = new QHBoxLayout(interruttore_);
    hi->setContentsMargins(0, 0, 0, 0);
    hi->setSpacing(8);
    chevron_ = new Chevron(11, durataListaMs, interruttore_);
    hi->addWidget(chevron_);
    hi->addWidget(new Testo(QStringLiteral("Processi più pesanti"), carattereTitolo3(), colorePrimario(),
                            interruttore_));
    riga->addWidget(interruttore_);
    riga->addStretch(1);
    QStringList viste;
    for (Vista x : tutteLeViste) viste << testoVista(x);
    selettore_ = new SelettoreSegmentato(viste, this);
    selettore_->setFixedWidth(220);
    selettore_->setScelta(static_cast<int>(vista_));
    selettore_->setCambiata([this](int i) { impostaVista(tutteLeViste[static_cast<std::size_t>(i)]); });
    riga->addWidget(selettore_);
    intervallo_ = new Tendina(this);
    for (const SceltaIntervallo& s : scelteIntervallo) intervallo_->addItem(QString::fromUtf8(s.testo));
    intervallo_->setFixedWidth(80);
    intervallo_->setCurrentIndex(indiceIntervallo(monitor_.intervallo()));
    connect(intervallo_, &QComboBox::activated, this, [this](int i) {
        const double secondi = scelteIntervallo[static_cast<std::size_t>(i)].secondi;
        // The same choice again must not restart the sampling timer.
        if (secondi != monitor_.intervallo()) monitor_.impostaIntervallo(secondi);
    });
    riga->addWidget(intervallo_);
    v->addLayout(riga);

    // List area.
    area_ = new AreaLista(this);
    area_->setWidgetResizable(true);
    area_->setFrameShape(QFrame::NoFrame);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    area_->viewport()->setAutoFillBackground(false);
    area_->setFocusPolicy(Qt::NoFocus);  // Tab goes to the list inside, not to its frame
    contenuto_ = new QWidget;
    contenuto_->setAutoFillBackground(false);
    auto* vc = new QVBoxLayout(contenuto_);
    vc->setContentsMargins(0, 0, 0, 0);
    vc->setSpacing(0);
    attesa_ = new QWidget(contenuto_);
    auto* va = new QVBoxLayout(attesa_);
    va->setContentsMargins(40, 40, 40, 40);
    va->setSpacing(8);
    va->addWidget(new Rotella(24, attesa_), 0, Qt::AlignHCenter);
    auto* raccolta =
        new Testo(QStringLiteral("Raccolta dati…"), carattere(StileTesto::body), coloreSecondario(), attesa_);
    va->addWidget(raccolta, 0, Qt::AlignHCenter);
    vc->addWidget(attesa_);
    barre_ = new VistaBarre(contenuto_);
    griglia_ = new VistaContagiri(contenuto_);
    for (ListaProcessi* l : {static_cast<ListaProcessi*>(barre_), static_cast<ListaProcessi*>(griglia_)}) {
        l->impostaIcona(disegnoIconaProcesso(icone_));
        l->impostaSeleziona([this](std::int32_t pid) { seleziona(pid); });
        l->setAccessibleName(QStringLiteral("Processi più pesanti"));
        // The lists' minimum hint is their height in one narrow column; the scroll area would take
        // it as the content's least height. Their height for the real width is what counts.
        l->setMinimumHeight(1);
        vc->addWidget(l);
    }
    // An icon read after its row was painted with the gear: that row is painted again.
    abbonamenti_.push_back(icone_.osserva([this](std::int32_t pid) {
        for (ListaProcessi* l :
             {static_cast<ListaProcessi*>(barre_), static_cast<ListaProcessi*>(griglia_)}) {
            const auto& processi = l->processi();
            for (std::size_t i = 0; i < processi.size(); ++i)
                if (processi[i].id == pid)
                    l->update(l->rettangoloProcesso(static_cast<int>(i)).toAlignedRect());
        }
    }));
    storia_ = new VistaStoria(monitor_, contenuto_);
    storia_->setMinimumHeight(1);
    vc->addWidget(storia_);
    vc->addStretch(1);
    area_->setWidget(contenuto_);
    contenuto_->setAutoFillBackground(false);  // the panel's colour shows through, in both appearances
    area_->setMinimumHeight(static_cast<int>(altezzaAreaLista(altezzaLista_)));
    area_->viewport()->installEventFilter(this);
    v->addWidget(area_);

    aiuto_ = new TestoACapo(testoAiuto(monitor_.core()), carattere(StileTesto::caption2), coloreSecondario(),
                            this);
    v->addWidget(aiuto_);

    esc_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc_->setContext(Qt::WindowShortcut);
    connect(esc_, &QShortcut::activated, this, [this] { monitor_.impostaSeguito(std::nullopt); });

    adatta_->setSingleShot(true);
    adatta_->setInterval(ritardoAdattaMs);
    connect(adatta_, &QTimer::timeout, this, [this] { adattaOra(); });

    abbonamenti_.push_back(
        monitor_.processi.abbona([this](const std::vector<UsoProcesso>&) { aggiornaProcessi(); }));
    abbonamenti_.push_back(monitor_.totale.abbona([this](const UsoTotale&) { aggiornaScheda(); }));
    abbonamenti_.push_back(
        monitor_.dettaglio.abbona([this](const std::optional<UsoProcesso>&) { aggiornaScheda(); }));
    // Following and the interval may change from anywhere (the popover, the settings, a script).
    abbonamenti_.push_back(
        monitor_.seguito.abbona([this](const std::optional<std::int32_t>&) { aggiornaScheda(); }, true));
    abbonamenti_.push_back(monitor_.intervallo.abbona([this](double) { aggiornaIntervallo(); }, true));
    aggiornaProcessi();
    aggiornaScheda();
    mostraAperta(false);

    osserva_ = new OsservaVisibilita(
        this, [this](bool visibile) { interesse_ = visibile ? monitor_.interesse() : Monitor::Interesse(); });
}

Pannello::~Pannello() {
    delete osserva_;
}

void Pannello::seleziona(std::int32_t pid) {
    const auto& processi = monitor_.processi();
    const auto it =
        std::find_if(processi.begin(), processi.end(), [pid](const UsoProcesso& p) { return p.id == pid; });
    // A second click on the followed process stops following it; a later process that has its id
    // since is another one, followed anew.
    if (monitor_.seguito() == pid && (it == processi.end() || monitor_.eSeguito(*it))) {
        monitor_.impostaSeguito(std::nullopt);
        return;
    }
    if (it == processi.end()) return;  // gone since the list was drawn: nothing to follow
    monitor_.impostaSeguito(pid, it->avvio);
}

void Pannello::aggiornaScheda() {
    const std::optional<std::int32_t> seguito = monitor_.seguito();
    scheda_->aggiorna();
    // The row of a later process with the followed one's id is not marked.
    std::optional<std::int32_t> marcato = seguito;
    for (const UsoProcesso& p : monitor_.processi())
        if (p.id == seguito && !monitor_.eSeguito(p)) marcato.reset();
    barre_->impostaSelezionato(marcato);
    griglia_->impostaSelezionato(marcato);
    esc_->setEnabled(seguito.has_value());
}

void Pannello::aggiornaIntervallo() {
    const int i = indiceIntervallo(monitor_.intervallo());
    if (intervallo_->currentIndex() != i) intervallo_->setCurrentIndex(i);
}

void Pannello::aggiornaProcessi() {
    const std::vector<UsoProcesso>& processi = monitor_.processi();
    const bool vuota = processi.empty();
    if (vista_ != Vista::storia)
        (vista_ == Vista::barre ? static_cast<ListaProcessi*>(barre_) : griglia_)->impostaProcessi(processi);
    // The history has its points before the first full sample.
    storia_->setVisible(vista_ == Vista::storia);
    attesa_->setVisible(vuota && vista_ != Vista::storia);
    barre_->setVisible(!vuota && vista_ == Vista::barre);
    griglia_->setVisible(!vuota && vista_ == Vista::contagiri);
    misura();
}

void Pannello::impostaVista(Vista v) {
    if (v == vista_) return;
    vista_ = v;
    TabellaPreferenze::vista.scrivi(preferenze_, static_cast<std::size_t>(v));
    selettore_->setScelta(static_cast<int>(v));
    aggiornaProcessi();
    area_->verticalScrollBar()->setValue(0);
}

void Pannello::alternaLista() {
    aperta_ = !aperta_;
    TabellaPreferenze::listaAperta.scrivi(preferenze_, aperta_);
    mostraAperta(true);
}

void Pannello::mostraAperta(bool anima) {
    interruttore_->setToolTip(aperta_ ? QStringLiteral("Comprimi la lista")
                                      : QStringLiteral("Espandi la lista"));
    interruttore_->setAccessibleName(interruttore_->toolTip());
    chevron_->setAperto(aperta_);
    selettore_->setVisible(aperta_);
    if (!anima) {
        area_->setVisible(aperta_);
        aiuto_->setVisible(aperta_);
        return;
    }
    // The window refits once the list has its final visibility.
    dissolvi(aiuto_, aperta_, durataListaMs);
    if (aperta_) {
        dissolvi(area_, true, durataListaMs);
        adattaFinestra();
    } else {
        dissolvi(area_, false, durataListaMs, [this] { adattaFinestra(); });
    }
}

void Pannello::misura() {
    if (!area_->isVisible()) return;  // measured at the width it is shown at
    const int larghezza = area_->viewport()->width();
    const int misurata = contenuto_->hasHeightForWidth() ? contenuto_->heightForWidth(larghezza)
                                                         : contenuto_->sizeHint().height();
    if (!misuraNuova(altezzaLista_, misurata)) return;
    altezzaLista_ = misurata;
    double spazio = std::numeric_limits<double>::infinity();
    if (QWidget* f = window(); f->isWindow() && f->screen())
        spazio = f->screen()->availableGeometry().height() - (f->frameGeometry().height() - area_->height());
    area_->setMinimumHeight(static_cast<int>(altezzaAreaLista(altezzaLista_, spazio)));
    adattaFinestra();
}

void Pannello::adattaFinestra() {
    adatta_->start();  // several requests within 0.1 s make one fitting
}

void Pannello::adattaOra() {
    QWidget* f = window();
    if (!f || f->isMaximized() || f->isFullScreen()) return;
    // The panel's own fitting height, plus whatever the host puts around it.
    const int propria = hasHeightForWidth() ? heightForWidth(width()) : sizeHint().height();
    const int adatta = f->height() - height() + propria;
    const QRect geometria = f->geometry();
    const QRect cornice = f->frameGeometry();
    std::optional<QRect> disponibile;
    if (QScreen* s = f->screen(); s && f->isWindow() && f->isVisible()) disponibile = s->availableGeometry();
    const std::optional<QRect> nuova = adattamentoFinestra(cornice, geometria.height(), adatta, disponibile);
    if (!nuova) return;
    const int bordo = cornice.height() - geometria.height();
    const QRect obiettivo(geometria.left(), geometria.top() + (nuova->top() - cornice.top()),
                          geometria.width(), nuova->height() - bordo);
    if (cornice_) cornice_->stop();
    if (!f->isVisible()) {
        f->setGeometry(obiettivo);
        return;
    }
    if (!cornice_ || cornice_->targetObject() != f) {
        delete cornice_;
        cornice_ = new QPropertyAnimation(f, "geometry", this);
        cornice_->setDuration(durataCorniceMs);
        cornice_->setEasingCurve(curvaEaseInOut());
    }
    cornice_->setStartValue(geometria);
    cornice_->setEndValue(obiettivo);
    cornice_->start();
}

bool Pannello::eventFilter(QObject* o, QEvent* e) {
    if (o == area_->viewport() && e->type() == QEvent::Resize) misura();
    return QWidget::eventFilter(o, e);
}

void Pannello::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Tema::panel(Tema::aspetto()));
}

void Pannello::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
