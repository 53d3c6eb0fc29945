#include "panels/cache_icone.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QImageReader>
#include <QPixmap>
#include <QStandardPaths>

#include "platform/applicazioni.h"
#include "widgets/simboli.h"

namespace pulsaro {

namespace {

constexpr int latoBitmapMassimo = 1024;

// The icon themes and folders Qt itself uses, as plain paths (Qt's resource folders left out).
DoveIcone doveIconeQt() {
    DoveIcone d;
    d.temi = {QIcon::themeName().toStdString(), QIcon::fallbackThemeName().toStdString()};
    const auto assolute = [](const QStringList& l, const QString& sotto, std::vector<std::string>& in) {
        for (const QString& c : l)
            if (QDir::isAbsolutePath(c)) in.push_back((c + sotto).toStdString());
    };
    assolute(QIcon::themeSearchPaths(), QString(), d.cartelleTemi);
    assolute(QIcon::fallbackSearchPaths(), QString(), d.cartelleSciolte);
    assolute(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation),
             QStringLiteral("/pixmaps"), d.cartelleSciolte);
    const QList<QByteArray> formati = QImageReader::supportedImageFormats();
    for (const char* f : {"png", "svg", "xpm"})
        if (formati.contains(f)) d.estensioni.emplace_back(f);
    return d;
}

}  // namespace

CacheIcone::CacheIcone(Ricerca ricerca) : ricerca_(std::move(ricerca)), lettore_([this] { lavora(); }) {}

CacheIcone::~CacheIcone() {
    {
        std::lock_guard lock(mutex_);
        fine_ = true;
        coda_.clear();
    }
    sveglia_.notify_one();
    lettore_.join();  // before contesto_ goes, so no answer is posted to it afterwards
}

QIcon CacheIcone::ingranaggio(QRgb colore) {
    if (const auto it = ingranaggiColore_.find(colore); it != ingranaggiColore_.end()) return it->second;
    if (ingranaggiColore_.size() >= coloriIngranaggio) ingranaggiColore_.clear();
    return ingranaggiColore_[colore] = QIcon(QPixmap::fromImage(
               immagineSimbolo(Simbolo::ingranaggio, QSizeF(12, 12), QColor::fromRgba(colore), 2)));
}

std::optional<QIcon> CacheIcone::icona(std::int32_t pid) {
    if (const auto it = icone_.find(pid); it != icone_.end()) return it->second.value_or(std::nullopt);
    if (aperte_ >= inCoda) return std::nullopt;  // asked again at a later paint
    if (icone_.size() >= capienza) icone_.clear();
    icone_.emplace(pid, std::nullopt);
    ++aperte_;
    {
        std::lock_guard lock(mutex_);
        coda_.push_back(pid);
    }
    sveglia_.notify_one();
    return std::nullopt;
}

Abbonamento CacheIcone::osserva(std::function<void(std::int32_t)> arrivata) {
    return arrivate_.aggiungi(std::move(arrivata));
}

std::size_t CacheIcone::inAttesa() const {
    return aperte_;
}

void CacheIcone::lavora() {
    while (true) {
        std::int32_t pid = 0;
        {
            std::unique_lock lock(mutex_);
            sveglia_.wait(lock, [this] { return fine_ || !coda_.empty(); });
            if (fine_) return;
            pid = coda_.front();
            coda_.pop_front();
        }
        QImage immagine = ricerca_ ? ricerca_(pid) : QImage();
        QMetaObject::invokeMethod(
            &contesto_, [this, pid, immagine = std::move(immagine)] { arriva(pid, immagine); },
            Qt::QueuedConnection);
    }
}

void CacheIcone::arriva(std::int32_t pid, const QImage& immagine) {
    --aperte_;
    std::optional<QIcon> icona;
    if (!immagine.isNull()) icona = QIcon(QPixmap::fromImage(immagine));
    // Emptied at the bound since it was asked: the answer is still good.
    if (icone_.size() >= capienza && !icone_.contains(pid)) icone_.clear();
    icone_[pid] = icona;
    if (icona) arrivate_.chiama(pid);  // without one the gear stays: nothing to repaint
}

QImage CacheIcone::decodifica(const std::vector<unsigned char>& dati) {
    if (dati.empty()) return {};
    QByteArray byte = QByteArray::fromRawData(reinterpret_cast<const char*>(dati.data()),
                                              static_cast<qsizetype>(dati.size()));
    QBuffer buffer(&byte);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lettore(&buffer);
    const QSize lato = lettore.size();
    const bool disegno = lettore.format().startsWith("svg");  // drawn at any size, for nothing
    if (!disegno && (lato.width() > latoBitmapMassimo || lato.height() > latoBitmapMassimo)) return {};
    if (lettore.supportsOption(QImageIOHandler::ScaledSize) &&
        (lato.width() > latoMassimo || lato.height() > latoMassimo))
        lettore.setScaledSize(lato.scaled(latoMassimo, latoMassimo, Qt::KeepAspectRatio));
    QImage immagine = lettore.read();
    if (immagine.isNull()) return {};
    if (immagine.width() > latoMassimo || immagine.height() > latoMassimo)
        immagine = immagine.scaled(latoMassimo, latoMassimo, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return immagine;
}

CacheIcone::Ricerca CacheIcone::ricercaDiSistema() {
    return [dove = doveIconeQt()](std::int32_t pid) {
        return decodifica(applicazioniDiSistema().datiIcona(pid, dove));
    };
}

}  // namespace pulsaro
