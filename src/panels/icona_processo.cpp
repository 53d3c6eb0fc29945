#include "panels/icona_processo.h"

#include <QEvent>
#include <QPainter>

#include "panels/cache_icone.h"

namespace pulsaro {

void disegnaIconaProcesso(QPainter& p, const QRectF& cornice, std::int32_t pid, Aspetto a,
                          CacheIcone& cache) {
    const std::optional<QIcon> icona = cache.icona(pid);
    if (!icona) {
        disegnaIngranaggio(p, cornice, a, cache.ingranaggi());
        return;
    }
    disegnaIconaApplicazione(p, cornice, *icona);
}

DisegnoIcona disegnoIconaProcesso(CacheIcone& cache) {
    return [&cache](QPainter& p, const QRectF& cornice, std::int32_t pid, Aspetto a) {
        disegnaIconaProcesso(p, cornice, pid, a, cache);
    };
}

IconaProcesso::IconaProcesso(std::int32_t pid, CacheIcone& cache, QWidget* padre)
    : QWidget(padre), pid_(pid), cache_(&cache) {
    arrivate_ = cache.osserva([this](std::int32_t arrivata) {
        if (arrivata == pid_) update();
    });
}

void IconaProcesso::setPid(std::int32_t pid) {
    if (pid == pid_) return;
    pid_ = pid;
    update();
}

void IconaProcesso::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    disegnaIconaProcesso(p, contentsRect(), pid_, Tema::aspetto(), *cache_);
}

void IconaProcesso::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
