#include "widgets/sezione_modulo.h"

#include <QHBoxLayout>
#include <QPainter>

#include "widgets/caratteri.h"
#include "widgets/tema.h"

namespace pulsaro {

namespace {
constexpr int spazioRighe = 14;  // a line is drawn in the middle of it
constexpr int margineScheda = 12;
}  // namespace

SezioneModulo::SezioneModulo(const QString& titolo, QWidget* padre)
    : QWidget(padre), titolo_(new QLabel(titolo, this)), scheda_(new SchedaModulo(this)) {
    titolo_->setTextFormat(Qt::PlainText);
    titolo_->setFont(carattere(StileTesto::body, QFont::Bold));
    titolo_->setContentsMargins(margineScheda - 2, 0, 0, 0);
    colonna_ = new QVBoxLayout(this);
    colonna_->setContentsMargins(0, 0, 0, 0);
    colonna_->setSpacing(6);
    colonna_->addWidget(titolo_);
    colonna_->addWidget(scheda_);
}

void SezioneModulo::aggiungi(QWidget* riga) {
    scheda_->righe()->addWidget(riga);
}

void SezioneModulo::aggiungi(QLayout* riga) {
    auto* contenitore = new QWidget(scheda_);
    contenitore->setLayout(riga);
    riga->setContentsMargins(0, 0, 0, 0);
    aggiungi(contenitore);
}

QLabel* SezioneModulo::piede(const QString& testo) {
    auto* l = didascalia(testo, this);
    l->setContentsMargins(margineScheda - 2, 0, margineScheda - 2, 0);
    colonna_->addWidget(l);
    return l;
}

SchedaModulo::SchedaModulo(QWidget* padre) : QWidget(padre), righe_(new QVBoxLayout(this)) {
    righe_->setContentsMargins(margineScheda, 10, margineScheda, 10);
    righe_->setSpacing(spazioRighe);
}

void SchedaModulo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool scuro = Tema::aspetto() == Aspetto::scuro;
    p.setPen(QPen(scuro ? QColor(255, 255, 255, 22) : QColor(0, 0, 0, 22), 1));
    p.setBrush(scuro ? QColor(255, 255, 255, 13) : QColor(255, 255, 255, 170));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

    // A line halfway between each two visible rows.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(scuro ? QColor(255, 255, 255, 20) : QColor(0, 0, 0, 20), 1));
    const QWidget* prima = nullptr;
    for (int i = 0; i < righe_->count(); ++i) {
        const QWidget* w = righe_->itemAt(i)->widget();
        if (!w || w->isHidden()) continue;
        if (prima) {
            const int y = (prima->geometry().bottom() + w->geometry().top() + 1) / 2;
            p.drawLine(margineScheda, y, width() - margineScheda, y);
        }
        prima = w;
    }
}

QLabel* didascalia(const QString& testo, QWidget* padre) {
    auto* l = new QLabel(testo, padre);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setFont(carattere(StileTesto::caption));
    return l;
}

QWidget* rigaEtichetta(QLabel* etichetta, QWidget* controllo, QWidget* padre) {
    auto* riga = new QWidget(padre);
    auto* l = new QHBoxLayout(riga);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(8);
    etichetta->setParent(riga);
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setFont(carattere(StileTesto::body));
    etichetta->setBuddy(controllo);
    l->addWidget(etichetta);
    l->addStretch(1);
    l->addWidget(controllo);
    return riga;
}

}  // namespace pulsaro
