#include "widgets/conta_fotogrammi.h"

#include <QCoreApplication>
#include <QFile>
#include <QPaintEvent>
#include <QWidget>
#include <utility>

namespace pulsaro {

ContaFotogrammi::ContaFotogrammi(QString file, QObject* padre) : QObject(padre), file_(std::move(file)) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

ContaFotogrammi::~ContaFotogrammi() {
    chiudi();
    scrivi();
}

void ContaFotogrammi::chiudi() {
    for (const Frame& f : std::as_const(frame_)) {
        if (f.regione.isEmpty()) continue;
        ++fotogrammi_;
        for (const QRect& r : f.regione)
            pixel_ += static_cast<double>(r.width()) * r.height() * f.scala * f.scala;
    }
    frame_.clear();
}

void ContaFotogrammi::scrivi() {
    if (file_.isEmpty()) return;
    // Kept open and rewritten in place with fields of fixed width: opening and truncating a file
    // every second would cost a measured process more than the counting itself.
    if (!aperto_.isOpen()) {
        aperto_.setFileName(file_);
        if (!aperto_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    }
    const QByteArray testo = QByteArray("fotogrammi ") +
                             QByteArray::number(static_cast<qlonglong>(fotogrammi_)).rightJustified(20) +
                             "\npixel " + QByteArray::number(pixel_, 'f', 0).rightJustified(24) + "\n";
    aperto_.seek(0);
    aperto_.write(testo);
    aperto_.flush();
    scritto_.start();
}

bool ContaFotogrammi::eventFilter(QObject* oggetto, QEvent* evento) {
    if (!oggetto->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(oggetto);
    if (evento->type() == QEvent::Paint) {
        // One window's repaint is one frame, however many widgets it paints.
        QWidget* finestra = w->window();
        Frame& f = frame_[finestra];
        f.regione += static_cast<QPaintEvent*>(evento)->region().translated(w->mapTo(finestra, QPoint()));
        f.scala = finestra->devicePixelRatioF();
    } else if (evento->type() == QEvent::UpdateRequest && w->isWindow()) {
        chiudi();
        if (!scritto_.isValid() || scritto_.elapsed() >= 1000) scrivi();
    }
    return false;
}

}  // namespace pulsaro
