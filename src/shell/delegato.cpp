#include "shell/delegato.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMenuBar>

#include "platform/tabella_preferenze.h"
#include "shell/finestre.h"

namespace pulsaro {

namespace {

QKeySequence tastoImpostazioni() {
    // Command-, on the Mac; some Linux desktops name no key for it.
    const auto chiavi = QKeySequence::keyBindings(QKeySequence::Preferences);
    return chiavi.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Comma) : chiavi.first();
}

}  // namespace

Delegato::Delegato(Finestre& finestre, FattiDesktop& desktop, std::function<void()> termina)
    : finestre_(finestre), desktop_(desktop), termina_(std::move(termina)) {
    impostazioni_ = new QAction(QStringLiteral("Impostazioni…"), this);
    impostazioni_->setShortcut(tastoImpostazioni());
    impostazioni_->setMenuRole(QAction::PreferencesRole);
    connect(impostazioni_, &QAction::triggered, this, [this] { finestre_.impostazioni(); });

    finestra_ = new QAction(QStringLiteral("Finestra Pulsaro"), this);
    finestra_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(finestra_, &QAction::triggered, this, [this] { finestre_.apriPrincipale(); });

    esci_ = new QAction(QStringLiteral("Esci da Pulsaro"), this);
    esci_->setShortcut(QKeySequence::Quit);
    esci_->setMenuRole(QAction::QuitRole);
    // The platform's Quit key: a request the decision may turn into keeping only the item.
    connect(esci_, &QAction::triggered, this, [this] {
        if (termina_) termina_();
    });

    finestre_.impostaComandi({impostazioni_, finestra_, esci_});
    connect(&finestre_, &Finestre::esciChiesto, this, &Delegato::esci);
    connect(&finestre_, &Finestre::ultimaFinestraChiusa, this, &Delegato::ultimaFinestraChiusa);

    // A menu bar without a parent is the application's menu bar where the desktop has a global
    // one (the Mac); elsewhere it is never shown and the windows carry the commands.
    barra_ = std::make_unique<QMenuBar>();
    QMenu* file = barra_->addMenu(QStringLiteral("File"));
    file->addAction(finestra_);
    file->addAction(impostazioni_);
    file->addAction(esci_);

    if (auto* app = QCoreApplication::instance()) app->installEventFilter(this);
    desktop_.quandoRiapertura([this] { riapri(); });
}

Delegato::~Delegato() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void Delegato::avvia() {
    // A logout, restart or shutdown is a real quit.
    desktop_.quandoSpegnimento([this] { esciDavvero_ = true; });
    desktop_.quandoAvviata([this] { finestre_.avvia(desktop_.daLogin()); });
}

bool Delegato::restaInBarra() const {
    return TabellaPreferenze::barraMenu.leggi(finestre_.preferenze()) && finestre_.voceMostrata();
}

bool Delegato::decidiUscita() {
    if (esciDavvero_ || !restaInBarra() || desktop_.uscitaDiSistema()) return true;
    finestre_.soloBarra();
    return false;
}

bool Delegato::terminaDopoUltimaFinestra() const {
    return !restaInBarra();
}

void Delegato::ultimaFinestraChiusa() {
    if (terminaDopoUltimaFinestra()) {
        if (termina_) termina_();
        return;
    }
    finestre_.soloBarra();  // the Dock icon goes with the last window
}

void Delegato::esci() {
    esciDavvero_ = true;
    if (termina_) termina_();
}

void Delegato::riapri() {
    finestre_.apriPrincipale();
}

bool Delegato::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::Quit && oggetto == QCoreApplication::instance()) {
        if (!decidiUscita()) {
            evento->ignore();
            return true;
        }
    }
    return QObject::eventFilter(oggetto, evento);
}

}  // namespace pulsaro
