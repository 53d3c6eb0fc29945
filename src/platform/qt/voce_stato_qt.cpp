#include "platform/qt/voce_stato_qt.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstring>

namespace pulsaro {

namespace {

class IconaSenzaCache final : public QIconEngine {
public:
    explicit IconaSenzaCache(QImage immagine) : img_(std::move(immagine)) {}

    void paint(QPainter* p, const QRect& r, QIcon::Mode, QIcon::State) override {
        if (img_.isNull()) return;
        QRectF dove(QPointF(), img_.deviceIndependentSize().scaled(QSizeF(r.size()), Qt::KeepAspectRatio));
        dove.moveCenter(QRectF(r).center());
        p->save();
        p->setRenderHint(QPainter::SmoothPixmapTransform);
        p->drawImage(dove, img_);
        p->restore();
    }
    QSize actualSize(const QSize& lato, QIcon::Mode, QIcon::State) override {
        if (img_.isNull()) return {};
        return img_.deviceIndependentSize().scaled(QSizeF(lato), Qt::KeepAspectRatio).toSize();
    }
    QPixmap pixmap(const QSize& lato, QIcon::Mode, QIcon::State) override {
        if (img_.isNull()) return {};
        const QSize pixel = img_.size().scaled(lato, Qt::KeepAspectRatio);
        return QPixmap::fromImage(
            pixel == img_.size() ? img_ : img_.scaled(pixel, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    QPixmap scaledPixmap(const QSize& lato, QIcon::Mode m, QIcon::State s, qreal) override {
        return pixmap(lato, m, s);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        if (img_.isNull()) return {};
        return {img_.size()};
    }
    bool isNull() override { return img_.isNull(); }
    QString key() const override { return QStringLiteral("pulsaro.senzacache"); }
    QIconEngine* clone() const override { return new IconaSenzaCache(img_); }

private:
    QImage img_;
};
}  // namespace

QIcon iconaSenzaCache(QImage immagine) {
    return QIcon(new IconaSenzaCache(std::move(immagine)));
}

QImage immagineQt(const ImmaginePixel& p) {
    if (p.vuota() || p.argb.size() < static_cast<std::size_t>(p.larghezza) * p.altezza) return {};
    QImage img(p.larghezza, p.altezza, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < p.altezza; ++y)
        std::memcpy(img.scanLine(y), p.argb.data() + static_cast<std::size_t>(y) * p.larghezza,
                    static_cast<std::size_t>(p.larghezza) * 4);
    img.setDevicePixelRatio(p.dpr);
    return img;
}

VoceStatoQt::VoceStatoQt(double attesa, std::unique_ptr<PresenzaVassoio> vassoio)
    : vassoio_(std::move(vassoio)) {
    connect(vassoio_.get(), &PresenzaVassoio::cambiata, this, [this](bool presente) {
        if (icona_) {
            controllaPresenza();
        } else if (presente) {
            attesa_.stop();
            crea();
        }
    });
    const auto dimentica = [this] { letto_.invalidate(); };
    const auto segui = [this, dimentica](QScreen* s) {
        connect(s, &QScreen::geometryChanged, this, dimentica);
        connect(s, &QScreen::logicalDotsPerInchChanged, this, dimentica);
    };
    for (QScreen* s : QGuiApplication::screens()) segui(s);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [segui, dimentica](QScreen* s) {
        segui(s);
        dimentica();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, dimentica);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, dimentica);
    attesa_.setSingleShot(true);
    attesa_.setInterval(static_cast<int>(attesa * 1000));
    connect(&attesa_, &QTimer::timeout, this, [this] { crea(); });
    if (vassoio_->presente() || attesa <= 0)
        // After the caller has had the chance to ask to hear of an absence.
        QTimer::singleShot(0, this, [this] { crea(); });
    else
        attesa_.start();
}

VoceStatoQt::~VoceStatoQt() {
    if (menu_) menu_->deleteLater();
    if (icona_) icona_->setContextMenu(nullptr);
}

void VoceStatoQt::crea() {
    if (icona_) return;
    // Made even without a tray: an XEmbed tray that appears later takes the icon in.
    icona_ = std::make_unique<QSystemTrayIcon>(immagine_);
    icona_->setToolTip(suggerimento_);
    if (allegato_) icona_->setContextMenu(allegato_.get());
    connect(icona_.get(), &QSystemTrayIcon::activated, this, &VoceStatoQt::attivata);
    icona_->show();
    controllaPresenza();
    if (!mostrata_ && !assenteDetta_) {
        assenteDetta_ = true;
        if (assente_) assente_();
    }
}

void VoceStatoQt::controllaPresenza() {
    const bool ora = icona_ && vassoio_->presente();
    if (ora == mostrata_) return;
    mostrata_ = ora;
    letto_.invalidate();  // a tray come or gone places the icon anew
    if (quandoPresenza_) quandoPresenza_(ora);
}

void VoceStatoQt::quandoPresenza(std::function<void(bool)> presenza) {
    quandoPresenza_ = std::move(presenza);
}

void VoceStatoQt::attivata(QSystemTrayIcon::ActivationReason motivo) {
    if (!clic_) return;
    switch (motivo) {
        case QSystemTrayIcon::Trigger:
        case QSystemTrayIcon::MiddleClick:
            clic_(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier));
            break;
        case QSystemTrayIcon::Context:
            // An XEmbed tray's right click has already shown the attached menu; a StatusNotifierItem
            // host that asks for the menu (ContextMenu) instead of drawing it gets it shown here.
            if (!allegato_ || !allegato_->isVisible()) clic_(true);
            break;
        default:  // the second press of a double click: the first one already acted
            break;
    }
}

void VoceStatoQt::impostaImmagine(const ImmaginePixel& immagine) {
    // A tile whose figures read the same is the same picture: the tray is not made to draw it
    // again (on a StatusNotifierItem host every new icon is a message and a fetch).
    if (!immagine_.isNull() && immagine.larghezza == ultima_.larghezza &&
        immagine.altezza == ultima_.altezza && immagine.dpr == ultima_.dpr && immagine.argb == ultima_.argb)
        return;
    ultima_ = immagine;
    immagine_ = iconaSenzaCache(immagineQt(immagine));
    if (icona_) icona_->setIcon(immagine_);
}

QIcon VoceStatoQt::iconaMenu(const ImmaginePixel& immagine) {
    // The same few symbols come back at every opening: one icon each, so that Qt finds their
    // scaled and greyed copies in the pixmap cache instead of adding new ones each time.
    for (const auto& [chiave, icona] : iconeMenu_)
        if (chiave.larghezza == immagine.larghezza && chiave.altezza == immagine.altezza &&
            chiave.dpr == immagine.dpr && chiave.argb == immagine.argb)
            return icona;
    if (iconeMenu_.size() >= 8) iconeMenu_.clear();
    iconeMenu_.emplace_back(immagine, QIcon(QPixmap::fromImage(immagineQt(immagine))));
    return iconeMenu_.back().second;
}

void VoceStatoQt::impostaSuggerimento(const std::string& testo) {
    const QString nuovo = QString::fromStdString(testo);
    if (nuovo == suggerimento_ && icona_ && icona_->toolTip() == nuovo) return;
    suggerimento_ = nuovo;
    if (icona_) icona_->setToolTip(suggerimento_);
}

void VoceStatoQt::impostaEtichetta(const std::string&) {
    // A tray icon's accessible name is its tooltip's first words; nothing more to set.
}

void VoceStatoQt::quandoClic(Clic clic) {
    clic_ = std::move(clic);
}

void VoceStatoQt::mostraMenu(const std::vector<VoceMenu>& voci) {
    if (menu_) menu_->close();
    auto* menu = new QMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    riempi(menu, voci);
    menu_ = menu;
    const Rettangolo r = rettangolo();
    menu->popup(r.vuoto() ? QCursor::pos() : QPoint(r.x, r.y + r.altezza));
}

void VoceStatoQt::impostaMenuAllegato(const std::vector<VoceMenu>& voci) {
    const auto uguali = [](const VoceMenu& a, const VoceMenu& b) {
        return a.titolo == b.titolo && a.tasto == b.tasto && a.separatore == b.separatore &&
               a.abilitata == b.abilitata && a.simbolo == b.simbolo;
    };
    if (voci.size() == vociAllegate_.size() &&
        std::equal(voci.begin(), voci.end(), vociAllegate_.begin(), uguali)) {
        vociAllegate_ = voci;  // the same menu: only the actions are taken anew
        return;
    }
    vociAllegate_ = voci;
    std::unique_ptr<QMenu> nuovo;
    if (!voci.empty()) {
        nuovo = std::make_unique<QMenu>();
        riempi(nuovo.get(), voci);
    }
    // Qt exports the new menu before the old one goes.
    if (icona_) icona_->setContextMenu(nuovo.get());
    allegato_ = std::move(nuovo);
}

void VoceStatoQt::riempi(QMenu* menu, const std::vector<VoceMenu>& voci) {
    for (const auto& v : voci) {
        if (v.separatore) {
            menu->addSeparator();
            continue;
        }
        auto* a = menu->addAction(QString::fromStdString(v.titolo));
        a->setEnabled(v.abilitata);
        if (!v.immagine.vuota()) a->setIcon(iconaMenu(v.immagine));
        if (!v.tasto.empty())
            a->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QString::fromStdString(v.tasto).toUpper()));
        if (v.azione) {
            // After the menu has closed, so the action may open windows or quit.
            connect(a, &QAction::triggered, a, [f = v.azione] { QTimer::singleShot(0, f); });
        }
    }
}

Rettangolo VoceStatoQt::rettangolo() const {
    if (!icona_) return {};
    const QRect g = icona_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

Rettangolo VoceStatoQt::rettangoloRecente() const {
    if (!letto_.isValid() || letto_.elapsed() >= 60000) {
        recente_ = rettangolo();
        QScreen* s = recente_.vuoto() ? QGuiApplication::primaryScreen()
                                      : QGuiApplication::screenAt(QPoint(recente_.x, recente_.y));
        if (!s) s = QGuiApplication::primaryScreen();
        scalaRecente_ = s ? s->devicePixelRatio() : 1.0;
        letto_.start();
    }
    return recente_;
}

int VoceStatoQt::latoQuadrato() const {
    const Rettangolo r = rettangoloRecente();
    if (!r.vuoto()) return std::min(r.larghezza, r.altezza);
    return 22;  // a StatusNotifierItem host does not say; the common panel slot
}

double VoceStatoQt::dpr() const {
    // The scale of the screen the icon was last seen on, asked again with its place.
    rettangoloRecente();
    return scalaRecente_;
}

void VoceStatoQt::quandoAssente(std::function<void()> assente) {
    assente_ = std::move(assente);
    if (assenteDetta_ && assente_) assente_();
}

#if !defined(Q_OS_DARWIN)
// macOS has its own status item of variable length (platform/macos).
std::unique_ptr<VoceStato> voceStatoDiSistema(double attesa) {
    return std::make_unique<VoceStatoQt>(attesa);
}
#endif

}  // namespace pulsaro
