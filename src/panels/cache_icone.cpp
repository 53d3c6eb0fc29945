#include "panels/cache_icone.h"

#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include "platform/applicazioni.h"
#include "widgets/simboli.h"

namespace pulsaro {

CacheIcone::CacheIcone(Ricerca ricerca) : ricerca_(std::move(ricerca)) {}

QIcon CacheIcone::ingranaggio(QRgb colore) {
    if (const auto it = ingranaggiColore_.find(colore); it != ingranaggiColore_.end()) return it->second;
    if (ingranaggiColore_.size() >= coloriIngranaggio) ingranaggiColore_.clear();
    return ingranaggiColore_[colore] = QIcon(QPixmap::fromImage(
               immagineSimbolo(Simbolo::ingranaggio, QSizeF(12, 12), QColor::fromRgba(colore), 2)));
}

std::optional<QIcon> CacheIcone::icona(std::int32_t pid) {
    if (const auto it = icone_.find(pid); it != icone_.end()) return it->second;
    if (icone_.size() >= capienza) icone_.clear();
    std::optional<QIcon> trovata = ricerca_ ? ricerca_(pid) : std::nullopt;
    // An icon is read lazily: a file that cannot be decoded (corrupt, or past Qt's allocation
    // limit) gives a non-null icon that draws nothing. Drawn once here, it counts as none.
    if (trovata && (trovata->isNull() || trovata->pixmap(QSize(32, 32)).isNull())) trovata.reset();
    icone_.emplace(pid, trovata);
    return trovata;
}

CacheIcone::Ricerca CacheIcone::ricercaDiSistema() {
    return [](std::int32_t pid) -> std::optional<QIcon> {
        const std::optional<Applicazione> app = applicazioniDiSistema().applicazione(pid);
        if (!app) return std::nullopt;
        if (!app->iconaPng.empty()) {
            QImage immagine;
            if (immagine.loadFromData(app->iconaPng.data(), static_cast<int>(app->iconaPng.size())))
                return QIcon(QPixmap::fromImage(immagine));
        }
        if (app->icona.empty()) return std::nullopt;
        const QString nome = QString::fromStdString(app->icona);
        QIcon icona;
        if (QFileInfo(nome).isAbsolute())
            icona = QFileInfo::exists(nome) ? QIcon(nome) : QIcon();
        else
            icona = QIcon::fromTheme(nome);
        if (icona.isNull()) return std::nullopt;
        return icona;
    };
}

}  // namespace pulsaro
