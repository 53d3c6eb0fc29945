#include "widgets/selettore_passi.h"

#include <QLineEdit>
#include <algorithm>

namespace pulsaro {

SelettorePassi::SelettorePassi(int minimo, int massimo, int passo, QWidget* padre) : QSpinBox(padre) {
    setRange(minimo, massimo);
    setSingleStep(passo);
    // A typed value counts when it is confirmed, not at every key.
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

int SelettorePassi::vicino(long long v) const {
    const long long passo = std::max(1, singleStep());
    v = std::clamp<long long>(v, minimum(), maximum());
    long long n = minimum() + (v - minimum() + passo / 2) / passo * passo;
    while (n > maximum()) n -= passo;
    return static_cast<int>(n);
}

int SelettorePassi::valueFromText(const QString& testo) const {
    bool ok = false;
    const long long v = locale().toLongLong(testo.trimmed(), &ok);
    return ok ? vicino(v) : value();
}

QValidator::State SelettorePassi::validate(QString& testo, int&) const {
    const QString t = testo.trimmed();
    if (t.isEmpty()) return QValidator::Intermediate;
    bool ok = false;
    const long long v = locale().toLongLong(t, &ok);
    if (!ok || v < 0) return QValidator::Invalid;
    // Anything short of the maximum's digits may still be on its way to a value in range.
    if (v < minimum()) return QValidator::Intermediate;
    return v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void SelettorePassi::fixup(QString& testo) const {
    bool ok = false;
    const long long v = locale().toLongLong(testo.trimmed(), &ok);
    testo = textFromValue(ok ? vicino(v) : value());
}

}  // namespace pulsaro
