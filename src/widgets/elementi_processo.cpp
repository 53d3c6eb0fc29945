#include "widgets/elementi_processo.h"

#include "sampling/testi.h"
#include "widgets/simboli.h"

namespace pulsaro {

void disegnaIngranaggio(QPainter& p, const QRectF& cornice, Aspetto a) {
    const QRectF dentro = cornice.adjusted(4, 4, -4, -4);
    if (dentro.width() <= 0 || dentro.height() <= 0) return;
    disegnaSimbolo(p, Simbolo::ingranaggioPieno, dentro, Tema::testoSecondario(a));
}

QString testoMemoriaPid(const UsoProcesso& p) {
    return QString::fromStdString(memoriaTesto(p.memoria)) + QStringLiteral(" · pid ") + QString::number(p.id);
}

QString unaRiga(const QString& testo) {
    QString r = testo;
    for (QChar& c : r)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return r;
}

}  // namespace pulsaro
