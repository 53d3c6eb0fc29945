#include "impostazioni/impostazioni.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "barra/riquadro_barra.h"
#include "impostazioni/anteprima_riquadro.h"
#include "impostazioni/griglia_stato.h"
#include "platform/tabella_preferenze.h"
#include "platform/testi_desktop.h"
#include "sampling/esposizione.h"
#include "widgets/caratteri.h"
#include "widgets/interruttore.h"
#include "widgets/pozzetto_colore.h"
#include "widgets/selettore_passi.h"
#include "widgets/sezione_modulo.h"
#include "widgets/tema.h"

namespace pulsaro {

namespace RB = RiquadroBarra;
namespace TP = TabellaPreferenze;

namespace {

constexpr auto& numero = TP::numeroPannelli;

void colora(QWidget* w, QPalette::ColorRole ruolo, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(ruolo, c);
    w->setPalette(p);
}

QString desktop(TestoDesktop t, FormaTesti forma) {
    const std::string_view v = testoDesktop(t, forma);
    return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
}

QPushButton* bottonePiccolo(const QString& testo, QWidget* padre) {
    auto* b = new QPushButton(testo, padre);
    b->setFont(carattere(11));
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return b;
}

}  // namespace

Impostazioni::Impostazioni(Monitor& monitor, Preferenze& preferenze, ElementoLogin& login, QWidget* padre,
                           FormaTesti forma)
    : QWidget(padre), monitor_(monitor), preferenze_(preferenze), login_(login), forma_(forma) {
    costruisci();
    const StatoLogin s = login_.stato();
    {
        const QSignalBlocker b(avvio_);
        avvio_->setChecked(s == StatoLogin::attivo);
    }
    mostraStatoLogin(s);
    rileggi();
    applicaColori();
    adatta();
    osservaPreferenze_ = preferenze_.osserva([this](const std::string&) {
        // Writers on another thread hand the refresh to this one.
        QMetaObject::invokeMethod(this, [this] { rileggi(); });
    });
}

Impostazioni::~Impostazioni() = default;

void Impostazioni::costruisci() {
    setFixedWidth(larghezza);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(20, 20, 20, 20);
    colonna->setSpacing(20);

    const auto secondaria = [this](QLabel* l) {
        secondarie_.push_back(l);
        return l;
    };

    // Pannelli
    auto* pannelli = new SezioneModulo(QStringLiteral("Pannelli"), this);
    processi_ = new SelettorePassi(static_cast<int>(numero.minimo), static_cast<int>(numero.massimo),
                                   static_cast<int>(numero.passo));
    processi_->setObjectName("processiMostrati");
    processi_->setFont(carattere(StileTesto::body, QFont::Bold));
    processi_->setFixedWidth(64);
    pannelli->aggiungi(rigaEtichetta(new QLabel(QStringLiteral("Processi mostrati")), processi_));
    pannelli->aggiungi(secondaria(
        didascalia(QStringLiteral("Nella finestra principale, a gruppi di 3 (una riga di contagiri). Il "
                                  "pannellino della barra dei menu mostra sempre i primi 5."))));
    connect(processi_, &QSpinBox::valueChanged, this, [this](int v) { numero.scrivi(preferenze_, v); });
    colonna->addWidget(pannelli);

    // Avvio
    auto* avvio = new SezioneModulo(QStringLiteral("Avvio"), this);
    avvio_ = new Interruttore(desktop(TestoDesktop::avvioAccesso, forma_));
    avvio_->setObjectName("avvioAutomatico");
    avvio->aggiungi(avvio_);
    rigaApprovazione_ = new QWidget;
    rigaApprovazione_->setObjectName("rigaApprovazione");
    {
        auto* l = new QHBoxLayout(rigaApprovazione_);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(8);
        auto* testo = secondaria(didascalia(desktop(TestoDesktop::daApprovare, forma_), rigaApprovazione_));
        testo->setWordWrap(false);
        apri_ = bottonePiccolo(QStringLiteral("Apri"), rigaApprovazione_);
        apri_->setObjectName("apri");
        l->addStretch(1);
        l->addWidget(testo);
        l->addWidget(apri_);
        l->addStretch(1);
    }
    avvio->aggiungi(rigaApprovazione_);
    erroreEtichetta_ = didascalia(QString());
    erroreEtichetta_->setObjectName("errore");
    avvio->aggiungi(erroreEtichetta_);
    avvio->aggiungi(
        secondaria(didascalia(QStringLiteral("All'avvio automatico Pulsaro parte solo con l'icona nella "
                                             "barra dei menu, senza aprire la finestra."))));
    connect(avvio_, &QAbstractButton::toggled, this, &Impostazioni::cambiaAvvio);
    connect(apri_, &QPushButton::clicked, this, [this] { login_.apriImpostazioniSistema(); });
    colonna->addWidget(avvio);

    // Barra dei menu
    auto* barra = new SezioneModulo(QStringLiteral("Barra dei menu"), this);
    barraMenu_ = new Interruttore(QStringLiteral("Mantieni l'icona nella barra dei menu"));
    barraMenu_->setObjectName(TP::barraMenu.chiave);
    barra->aggiungi(barraMenu_);
    barra->aggiungi(secondaria(didascalia(desktop(TestoDesktop::chiusura, forma_))));
    menuContestuale_ = new Interruttore(QStringLiteral("Menu contestuale con il clic destro sull'icona"));
    menuContestuale_->setObjectName(TP::menuContestuale.chiave);
    barra->aggiungi(menuContestuale_);
    iconaStato_ = new Interruttore(QStringLiteral("Icona grigia se il monitoraggio non funziona"));
    iconaStato_->setObjectName(TP::iconaStato.chiave);
    barra->aggiungi(iconaStato_);
    nellaBarra_ = new QComboBox;
    nellaBarra_->setObjectName("nellaBarra");
    nellaBarra_->addItem(QStringLiteral("Icona arancione"));
    nellaBarra_->addItem(QStringLiteral("Riquadro con i valori"));
    nellaBarra_->setFont(carattere(StileTesto::body));
    rigaNellaBarra_ = rigaEtichetta(new QLabel(QStringLiteral("Nella barra")), nellaBarra_);
    barra->aggiungi(rigaNellaBarra_);

    colore_ = new PozzettoColore(QStringLiteral("Colore dello sfondo"));
    colore_->setObjectName("colore");
    rigaColore_ = rigaEtichetta(new QLabel(QStringLiteral("Colore dello sfondo")), colore_);
    barra->aggiungi(rigaColore_);

    rigaMostra_ = new QWidget;
    {
        auto* l = new QHBoxLayout(rigaMostra_);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(14);
        auto* mostra = new QLabel(QStringLiteral("Mostra"), rigaMostra_);
        mostra->setFont(carattere(StileTesto::body));
        l->addWidget(mostra, 0, Qt::AlignVCenter);
        for (std::size_t i = 0; i < RB::voci.size(); ++i) {
            const RB::Voce v = RB::voci[i];
            auto* c = new QCheckBox(
                QString::fromUtf8(RB::nome(v).data(), static_cast<qsizetype>(RB::nome(v).size())),
                rigaMostra_);
            c->setObjectName(QStringLiteral("mostra_") + QString::fromUtf8(RB::id(v).data()));
            c->setFont(carattere(StileTesto::body));
            connect(c, &QCheckBox::toggled, this,
                    [this, v](bool acceso) { RB::imposta(preferenze_, v, acceso); });
            l->addWidget(c, 0, Qt::AlignVCenter);
            voci_[i] = c;
        }
        l->addStretch(1);
    }
    barra->aggiungi(rigaMostra_);

    rigaAnteprima_ = new QWidget;
    {
        auto* l = new QHBoxLayout(rigaAnteprima_);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(8);
        anteprima_ = new AnteprimaRiquadro(preferenze_, RB::sfondo(preferenze_), rigaAnteprima_);
        anteprima_->setObjectName("anteprima");
        arancione_ = bottonePiccolo(QStringLiteral("Arancione"), rigaAnteprima_);
        arancione_->setObjectName("arancione");
        l->addWidget(anteprima_, 0, Qt::AlignVCenter);
        l->addStretch(1);
        l->addWidget(arancione_, 0, Qt::AlignVCenter);
    }
    barra->aggiungi(rigaAnteprima_);
    didascaliaRiquadro_ = secondaria(didascalia(QStringLiteral(
        "Mem, CPU e GPU in %; P / E = core della CPU impegnati sopra il 50% (P alte prestazioni, E basso "
        "consumo). La N è il Neural Engine: pallino grigio a riposo, verde quando lavora. Scritte bianche, "
        "arancioni o nere e toni del pallino si adattano al colore scelto per lo sfondo.")));
    barra->aggiungi(didascaliaRiquadro_);

    connect(barraMenu_, &QAbstractButton::toggled, this,
            [this](bool v) { TP::barraMenu.scrivi(preferenze_, v); });
    connect(menuContestuale_, &QAbstractButton::toggled, this,
            [this](bool v) { TP::menuContestuale.scrivi(preferenze_, v); });
    connect(iconaStato_, &QAbstractButton::toggled, this,
            [this](bool v) { TP::iconaStato.scrivi(preferenze_, v); });
    connect(nellaBarra_, &QComboBox::currentIndexChanged, this,
            [this](int i) { TP::iconaRiquadro.scrivi(preferenze_, i == 1); });
    connect(arancione_, &QPushButton::clicked, this,
            [this] { TP::coloreRiquadro.scrivi(preferenze_, RB::hex(RB::arancio())); });
    connect(colore_, &PozzettoColore::aperto, this,
            [this] { colorePrima_ = preferenze_.valore(TP::coloreRiquadro.chiave); });
    connect(colore_, &PozzettoColore::scelto, this, &Impostazioni::scegliColore);
    connect(colore_, &PozzettoColore::annullato, this, [this] {
        if (colorePrima_)
            preferenze_.scrivi(TP::coloreRiquadro.chiave, *colorePrima_);
        else
            preferenze_.rimuovi(TP::coloreRiquadro.chiave);
    });
    colonna->addWidget(barra);

    // Prometheus
    auto* prometheus = new SezioneModulo(QStringLiteral("Prometheus"), this);
    esporta_ = new Interruttore(QStringLiteral("Esporta le misure per Prometheus"));
    esporta_->setObjectName(TP::esportaMisure.chiave);
    prometheus->aggiungi(esporta_);
    prometheus->aggiungi(secondaria(didascalia(
        QStringLiteral("Su http://%1:%2/metrics, raggiungibile solo da questa macchina. Per un altro "
                       "indirizzo avvia Pulsaro con --esporta [indirizzo:]porta.")
            .arg(QLatin1String(indirizzoEsportazione))
            .arg(portaEsportazione))));
    connect(esporta_, &QAbstractButton::toggled, this,
            [this](bool v) { TP::esportaMisure.scrivi(preferenze_, v); });
    colonna->addWidget(prometheus);

    // Stato
    auto* stato = new SezioneModulo(QStringLiteral("Stato"), this);
    griglia_ = new GrigliaStato(monitor_);
    griglia_->setObjectName("grigliaStato");
    stato->aggiungi(griglia_);
    secondaria(stato->piede(desktop(TestoDesktop::piedeStato, forma_)));
    colonna->addWidget(stato);

    nonSalvate_ = didascalia(
        QStringLiteral("Impostazioni non salvate: le modifiche valgono fino alla chiusura di Pulsaro."));
    nonSalvate_->setObjectName("nonSalvate");
    nonSalvate_->hide();
    colonna->addWidget(nonSalvate_);
    messoDaParte_ = secondaria(didascalia(QString()));
    messoDaParte_->setObjectName("messoDaParte");
    messoDaParte_->hide();
    colonna->addWidget(messoDaParte_);
    colonna->addStretch(1);
}

void Impostazioni::rileggi() {
    if (nonSalvate_->isHidden() == preferenze_.scritturaFallita()) {
        nonSalvate_->setVisible(preferenze_.scritturaFallita());
        adatta();
    }
    if (const auto daParte = preferenze_.messoDaParte(); daParte && messoDaParte_->isHidden()) {
        messoDaParte_->setText(
            QStringLiteral(
                "Il vecchio file delle impostazioni non si leggeva: è stato messo da parte come ") +
            QFileInfo(QString::fromStdString(*daParte)).fileName() + QLatin1Char('.'));
        messoDaParte_->show();
        adatta();
    }
    const int n = static_cast<int>(numero.leggi(preferenze_));
    if (processi_->value() != n) {
        // Shown, not stored: an out-of-range value is written only when the user changes it.
        const QSignalBlocker b(processi_);
        processi_->setValue(n);
    }
    const bool barra = TP::barraMenu.leggi(preferenze_);
    const bool riquadro = RB::attivo(preferenze_);
    const auto imposta = [](QAbstractButton* w, bool v) {
        const QSignalBlocker b(w);
        w->setChecked(v);
    };
    imposta(barraMenu_, barra);
    imposta(menuContestuale_, TP::menuContestuale.leggi(preferenze_));
    imposta(iconaStato_, TP::iconaStato.leggi(preferenze_));
    imposta(esporta_, TP::esportaMisure.leggi(preferenze_));
    {
        const QSignalBlocker b(nellaBarra_);
        nellaBarra_->setCurrentIndex(riquadro ? 1 : 0);
    }
    menuContestuale_->setEnabled(barra);
    iconaStato_->setEnabled(barra && !riquadro);
    rigaNellaBarra_->setEnabled(barra);

    for (std::size_t i = 0; i < RB::voci.size(); ++i) imposta(voci_[i], RB::mostra(preferenze_, RB::voci[i]));
    // An unparsable stored colour shows as orange and stays stored until one is chosen.
    const QColor sfondo = RB::sfondo(preferenze_);
    colore_->setColore(sfondo);
    anteprima_->setColore(sfondo);
    anteprima_->aggiorna();

    const bool cambia = rigaColore_->isHidden() == riquadro;
    for (QWidget* w : {rigaColore_, rigaMostra_, rigaAnteprima_, static_cast<QWidget*>(didascaliaRiquadro_)})
        w->setVisible(riquadro);
    if (cambia) adatta();
}

void Impostazioni::scegliColore(const QColor& c) {
    TP::coloreRiquadro.scrivi(preferenze_, RB::hex(c));
}

void Impostazioni::cambiaAvvio(bool v) {
    errore_.reset();
    const auto e = v ? login_.registra() : login_.annulla();
    if (e) errore_ = QStringLiteral("Non riuscito: ") + QString::fromStdString(*e);
    const StatoLogin s = login_.stato();
    // Show what the system really did, without counting it as a new change of the switch.
    if (avvio_->isChecked() != (s == StatoLogin::attivo)) {
        const QSignalBlocker b(avvio_);
        avvio_->setChecked(s == StatoLogin::attivo);
    }
    mostraStatoLogin(s);
}

void Impostazioni::mostraStatoLogin(StatoLogin s) {
    // A desktop with nothing to approve has no line for it.
    daApprovare_ =
        s == StatoLogin::richiedeApprovazione && !testoDesktop(TestoDesktop::daApprovare, forma_).empty();
    const bool prima = !rigaApprovazione_->isHidden() || !erroreEtichetta_->isHidden();
    rigaApprovazione_->setVisible(daApprovare_);
    erroreEtichetta_->setText(errore_.value_or(QString()));
    erroreEtichetta_->setVisible(errore_.has_value());
    if (prima != (daApprovare_ || errore_)) adatta();
    avvio_->update();
}

void Impostazioni::applicaColori() {
    for (QLabel* l : secondarie_) colora(l, QPalette::WindowText, Tema::testoSecondario());
    colora(erroreEtichetta_, QPalette::WindowText, Tema::red());
    colora(nonSalvate_, QPalette::WindowText, Tema::red());
    colora(processi_, QPalette::Text, Tema::orange());
    griglia_->applicaColori();
}

void Impostazioni::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Narrower beside a scroll bar: the captions wrap anew.
    if (e->oldSize().width() != width()) adatta();
}

void Impostazioni::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) applicaColori();
}

void Impostazioni::adatta() {
    // As tall as the content at the form's width, wrapped captions included; the window that
    // holds the form follows when rows come and go.
    if (QLayout* l = layout()) {
        // Layouts keep the sizes of their rows until told; before the window is shown nobody
        // tells them that rows came or went.
        for (QWidget* w : findChildren<QWidget*>()) w->updateGeometry();
        l->activate();
        setFixedHeight(l->totalHeightForWidth(width()));
    }
    if (QWidget* w = window(); w != this && w->isVisible())
        QTimer::singleShot(0, w, [w] { w->adjustSize(); });
}

}  // namespace pulsaro
