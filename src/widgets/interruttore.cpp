#include "widgets/interruttore.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/caratteri.h"
#include "widgets/tema.h"

namespace pulsaro {

namespace {
constexpr int distanza = 16;  // between the label and the toggle
constexpr int altezzaRiga = 22;
}  // namespace

Interruttore::Interruttore(const QString& testo, QWidget* padre) : QAbstractButton(padre) {
    setText(testo);
    setCheckable(true);
    setFont(carattere(StileTesto::body));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize Interruttore::sizeHint() const {
    const QFontMetrics m(font());
    return {m.horizontalAdvance(text()) + distanza + static_cast<int>(larghezzaLevetta),
            std::max(altezzaRiga, m.height())};
}

QRectF Interruttore::levetta() const {
    return {width() - larghezzaLevetta - 1, (height() - altezzaLevetta) / 2, larghezzaLevetta,
            altezzaLevetta};
}

void Interruttore::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool attivo = isEnabled();
    const bool scuro = Tema::aspetto() == Aspetto::scuro;

    p.setFont(font());
    p.setPen(palette().color(attivo ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRectF testo(0, 0, levetta().left() - distanza, height());
    p.drawText(testo, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());

    const QRectF l = levetta();
    const double raggio = l.height() / 2;
    QColor pista = isChecked() ? palette().color(QPalette::Active, QPalette::Highlight)
                               : (scuro ? QColor(255, 255, 255, 38) : QColor(0, 0, 0, 28));
    if (!attivo) pista = conOpacita(pista, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(pista);
    p.drawRoundedRect(l, raggio, raggio);
    if (!isChecked()) {
        p.setPen(QPen(scuro ? QColor(255, 255, 255, 20) : QColor(0, 0, 0, 20), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(l.adjusted(0.5, 0.5, -0.5, -0.5), raggio - 0.5, raggio - 0.5);
    }

    const double d = l.height() - 4;
    const QRectF pomello(isChecked() ? l.right() - 2 - d : l.left() + 2, l.top() + 2, d, d);
    p.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    p.setBrush(attivo ? QColor(Qt::white) : (scuro ? QColor(170, 170, 170) : QColor(250, 250, 250)));
    p.drawEllipse(pomello);

    if (hasFocus()) {
        QColor anello = palette().color(QPalette::Active, QPalette::Highlight);
        anello.setAlpha(140);
        p.setPen(QPen(anello, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(l.adjusted(-2, -2, 2, 2), raggio + 2, raggio + 2);
    }
}

}  // namespace pulsaro
