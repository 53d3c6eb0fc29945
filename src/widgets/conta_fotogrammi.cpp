#include "widgets/conta_fotogrammi.h"

#include <QCoreApplication>
#include <QFile>
#include <QPaintEvent>
#include <QWidget>

namespace pulsaro {

ContaFotogrammi::ContaFotogrammi(QString file, QObject* padre) : QObject(padre), file_(std::move(file)) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

ContaFotogrammi::~ContaFotogrammi() {
    chiudi();
    scrivi();
}

void ContaFotogrammi::chiudi() {
    for (auto it = frame_.begin(); it != frame_.end(); ++it) {
        if (it.value().isEmpty()) continue;
        ++fotogrammi_;
        const double s = it.key() ? it.key()->devicePixelRatioF() : 1;
        for (const QRect& r : it.value()) pixel_ += static_cast<double>(r.width()) * r.height() * s * s;
    }
    frame_.clear();
}

void ContaFotogrammi::scrivi() {
    if (file_.isEmpty()) return;
    QFile f(file_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    f.write(QStringLiteral("fotogrammi %1\npixel %2\n").arg(fotogrammi_).arg(pixel_, 0, 'f', 0).toUtf8());
    scritto_.start();
}

bool ContaFotogrammi::eventFilter(QObject* oggetto, QEvent* evento) {
    if (!oggetto->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(oggetto);
    if (evento->type() == QEvent::Paint) {
        // One window's repaint is one frame, however many widgets it paints.
        QWidget* finestra = w->window();
        frame_[finestra] +=
            static_cast<QPaintEvent*>(evento)->region().translated(w->mapTo(finestra, QPoint()));
    } else if (evento->type() == QEvent::UpdateRequest && w->isWindow()) {
        chiudi();
        if (!scritto_.isValid() || scritto_.elapsed() >= 1000) scrivi();
    }
    return false;
}

}  // namespace pulsaro
