#include "widgets/grafico_storia.h"

#include <QAccessible>
#include <QDateTime>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "widgets/caratteri.h"

namespace pulsaro {

namespace {

// Each range's name in the picker, its length and how a summary says it.
struct DatiIntervallo {
    const char* testo;
    double secondi;
    const char* frase;
};

const DatiIntervallo& dati(Intervallo i) {
    static constexpr DatiIntervallo tabella[] = {
        {"10 minuti", Storia::secondiDettaglio, "negli ultimi 10 minuti"},
        {"1 ora", 3600, "nell'ultima ora"},
        {"24 ore", 86400, "nelle ultime 24 ore"},
    };
    return tabella[static_cast<std::size_t>(i)];
}

QString frase(Intervallo i) {
    return QString::fromUtf8(dati(i).frase);
}

}  // namespace

QString testoIntervallo(Intervallo i) {
    return QString::fromUtf8(dati(i).testo);
}

double secondiIntervallo(Intervallo i) {
    return dati(i).secondi;
}

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

void aggiungi(Colonna::Valore& v, float minimo, float media, float massimo) {
    if (std::isnan(media)) return;
    v.minimo = v.n ? std::min(v.minimo, minimo) : minimo;
    v.massimo = v.n ? std::max(v.massimo, massimo) : massimo;
    v.somma += media;
    ++v.n;
}

const Storia::Minuto* minutoDi(const Storia& s, std::int64_t indice) {
    std::size_t a = 0, b = s.numeroMinuti();
    while (a < b) {
        const std::size_t m = (a + b) / 2;
        if (s.minuto(m).indice < indice)
            a = m + 1;
        else
            b = m;
    }
    return a < s.numeroMinuti() && s.minuto(a).indice == indice ? &s.minuto(a) : nullptr;
}

double cpuPesante(const Storia::Minuto* m) {
    return m && m->pesante ? m->pesante->cpu : -1;
}

constexpr int margine = 12;
constexpr int altezzaTitolo = 24;
constexpr int altezzaOrari = 16;
constexpr int altezzaTracciato = 64;

}  // namespace

std::vector<Colonna> colonne(const Storia& s, Intervallo i, double fine, int larghezza) {
    std::vector<Colonna> c(static_cast<std::size_t>(std::max(larghezza, 0)));
    if (c.empty()) return c;
    const double span = secondiIntervallo(i), inizio = fine - span;
    auto x = [&](double t) {
        return std::clamp(static_cast<int>(std::floor((t - inizio) / span * larghezza)), 0, larghezza - 1);
    };
    auto metti = [&](Colonna& col, double t, const Storia::Minuto* m) {
        col.secondi = std::max(col.secondi, t);
        if (!col.minuto || cpuPesante(m) > cpuPesante(col.minuto)) col.minuto = m;
    };
    if (i == Intervallo::dieciMinuti) {
        double prima = -1e300;
        for (std::size_t k = 0; k < s.punti().size(); ++k) {
            const Storia::Punto& p = s.punti()[k];
            const double precedente = std::exchange(prima, p.secondi);
            if (p.secondi < inizio || p.secondi >= fine) continue;
            const int x1 = x(p.secondi);
            // A sample stands for the time since the one before it, when that is close.
            const int x0 =
                p.secondi - precedente <= 10 && precedente >= inizio ? std::min(x(precedente) + 1, x1) : x1;
            const Storia::Minuto* m = minutoDi(s, static_cast<std::int64_t>(std::floor(p.secondi / 60)));
            for (int k2 = x0; k2 <= x1; ++k2) {
                Colonna& col = c[static_cast<std::size_t>(k2)];
                for (std::size_t f = 0; f < numeroFigure; ++f)
                    aggiungi(col.valori[f], p.valori[f], p.valori[f], p.valori[f]);
                metti(col, p.secondi, m);
            }
        }
        return c;
    }
    for (std::size_t k = 0; k < s.numeroMinuti(); ++k) {
        const Storia::Minuto& m = s.minuto(k);
        const double t0 = static_cast<double>(m.indice) * 60, t1 = t0 + 60;
        if (t1 <= inizio || t0 >= fine) continue;
        const int x0 = x(std::max(t0, inizio)), x1 = x(std::min(t1, fine) - 1e-6);
        for (int k2 = x0; k2 <= x1; ++k2) {
            Colonna& col = c[static_cast<std::size_t>(k2)];
            for (std::size_t f = 0; f < numeroFigure; ++f)
                if (m.figure[f].campioni)
                    aggiungi(col.valori[f], m.figure[f].minimo, m.figure[f].media, m.figure[f].massimo);
            metti(col, t0, &m);
        }
    }
    return c;
}

GraficoStoria::GraficoStoria(const QString& titolo, std::vector<SerieGrafico> serie, const Storia& storia,
                             QWidget* padre)
    : QWidget(padre), titolo_(titolo), serie_(std::move(serie)), storia_(storia) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(titolo_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize GraficoStoria::sizeHint() const {
    return {480, altezzaTitolo + altezzaTracciato + altezzaOrari + 8};
}

QSize GraficoStoria::minimumSizeHint() const {
    return {200, sizeHint().height()};
}

QRect GraficoStoria::areaGrafico() const {
    return QRect(margine, altezzaTitolo, std::max(1, width() - 2 * margine), altezzaTracciato);
}

int GraficoStoria::colonnaDi(double secondi) const {
    const double span = secondiIntervallo(intervallo_);
    const int w = areaGrafico().width();
    return std::clamp(static_cast<int>(std::floor((secondi - (fine_ - span)) / span * w)), 0, w - 1);
}

QString GraficoStoria::orario(double secondi) const {
    const auto t = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(secondi + scarto_)));
    return t.toString(intervallo_ == Intervallo::dieciMinuti ? QStringLiteral("HH:mm:ss")
                                                             : QStringLiteral("HH:mm"));
}

void GraficoStoria::impostaIntervallo(Intervallo i) {
    if (i == intervallo_) return;
    intervallo_ = i;
    marcatore_.reset();
    if (!storia_.punti().empty()) fine_ = (std::floor(ultimo_ / passo()) + 1) * passo();
    minutoRiassunto_ = -1;
    aggiornaRiassunto();
    update();
}

void GraficoStoria::nuovoCampione(double ora, double scarto) {
    ora_ = ora;
    scarto_ = scarto;
    if (storia_.punti().empty()) return;
    const double prima = ultimo_;
    ultimo_ = storia_.punti().back().secondi;
    const double fine = (std::floor(ultimo_ / passo()) + 1) * passo();
    const auto c = colonne(storia_, intervallo_, fine, areaGrafico().width());
    std::vector<double> scale;
    for (const auto& s : serie_) scale.push_back(scalaDi(s, c));
    if (fine != fine_ || scale != scale_ || !(prima > fine - secondiIntervallo(intervallo_))) {
        fine_ = fine;
        scale_ = std::move(scale);
        update();
    } else {
        // Only the columns the new sample changed: its own and, for minutes, its minute's.
        double da = prima;
        if (intervallo_ != Intervallo::dieciMinuti) da = std::min(da, std::floor(ultimo_ / 60) * 60);
        const QRect a = areaGrafico();
        const int x0 = colonnaDi(da), x1 = colonnaDi(ultimo_);
        update(QRect(a.left() + x0, a.top(), x1 - x0 + 1, a.height()));
    }
    aggiornaRiassunto();
}

double GraficoStoria::scalaDi(const SerieGrafico& s, const std::vector<Colonna>& c) const {
    if (s.scala > 0) return s.scala;
    double m = 0;
    for (const auto& col : c)
        if (col.valori[static_cast<std::size_t>(s.figura)].n)
            m = std::max(m, static_cast<double>(col.valori[static_cast<std::size_t>(s.figura)].massimo));
    return std::max(1.0, std::ceil(m));
}

QString GraficoStoria::riassunto() const {
    const SerieGrafico& s = serie_.front();
    const auto f = static_cast<std::size_t>(s.figura);
    const double inizio = fine_ - secondiIntervallo(intervallo_);
    QString t = titolo_ + u' ' + frase(intervallo_) + QStringLiteral(": ");
    double somma = 0, massimo = 0, quando = 0;
    int n = 0, accesi = 0;
    const Storia::Minuto* minuto = nullptr;
    for (std::size_t k = 0; k < storia_.numeroMinuti(); ++k) {
        const Storia::Minuto& m = storia_.minuto(k);
        const Storia::Aggregato& a = m.figure[f];
        if (!a.campioni || static_cast<double>(m.indice) * 60 + 60 <= inizio) continue;
        somma += static_cast<double>(a.media) * a.campioni;
        n += a.campioni;
        accesi += aneAttivo(a.massimo);
        if (!minuto || a.massimo > massimo) {
            massimo = a.massimo;
            quando = static_cast<double>(m.indice) * 60;
            minuto = &m;
        }
    }
    if (!n) return t + QStringLiteral("nessun dato");
    if (voce(s.figura).unita == Unita::attivita) {
        t += QStringLiteral("attivo in %1 %2").arg(accesi).arg(accesi == 1 ? "minuto" : "minuti");
        return t;
    }
    t += QStringLiteral("media ") + q(testo(s.figura, somma / n)) + QStringLiteral(", massimo ") +
         q(testo(s.figura, massimo)) + QStringLiteral(" alle ") +
         QDateTime::fromSecsSinceEpoch(static_cast<qint64>(quando + scarto_))
             .toString(QStringLiteral("HH:mm"));
    if (minuto->pesante) t += QStringLiteral(", ") + QString::fromUtf8(minuto->pesante->testo());
    return t;
}

void GraficoStoria::aggiornaRiassunto() {
    // Once a minute is enough for a summary of minutes; a screen reader hears of each change.
    const std::int64_t minuto = static_cast<std::int64_t>(std::floor(ultimo_ / 60));
    if (minuto == minutoRiassunto_) return;
    minutoRiassunto_ = minuto;
    const QString r = riassunto();
    if (r != accessibleDescription()) setAccessibleDescription(r);
}

QString GraficoStoria::testoMarcatore() const {
    if (!marcatore_) return {};
    const auto c = colonne(storia_, intervallo_, fine_, areaGrafico().width());
    const Colonna& col = c[static_cast<std::size_t>(*marcatore_)];
    const double span = secondiIntervallo(intervallo_);
    const double t = col.secondi > 0 ? col.secondi : fine_ - span + (*marcatore_ + 0.5) * span / c.size();
    QStringList parti{orario(t)};
    bool dati = false;
    for (const auto& s : serie_) {
        const Colonna::Valore& v = col.valori[static_cast<std::size_t>(s.figura)];
        if (!v.n) continue;
        dati = true;
        const double valore = s.stile == SerieGrafico::Stile::periodi ? v.massimo : v.media();
        parti << s.nome + u' ' + q(testo(s.figura, valore));
    }
    if (!dati) parti << QStringLiteral("nessun dato");
    if (col.minuto && col.minuto->pesante)
        parti << QString::fromUtf8(col.minuto->pesante->testo()) + u' ' +
                     q(testo(Figura::cpu, col.minuto->pesante->cpu));
    return parti.join(QStringLiteral(" \u00B7 "));
}

void GraficoStoria::impostaMarcatore(std::optional<int> colonna) {
    if (colonna) colonna = std::clamp(*colonna, 0, areaGrafico().width() - 1);
    if (colonna == marcatore_) return;
    marcatore_ = colonna;
    update();
    // The marker's text is the graph's name while it shows: a screen reader announces it.
    setAccessibleName(marcatore_ ? titolo_ + QStringLiteral(": ") + testoMarcatore() : titolo_);
}

void GraficoStoria::mouseMoveEvent(QMouseEvent* e) {
    const QRect a = areaGrafico();
    const int x = static_cast<int>(e->position().x());
    impostaMarcatore(x >= a.left() && x <= a.right() ? std::optional<int>(x - a.left()) : std::nullopt);
}

void GraficoStoria::leaveEvent(QEvent* e) {
    if (!hasFocus()) impostaMarcatore(std::nullopt);
    QWidget::leaveEvent(e);
}

void GraficoStoria::focusOutEvent(QFocusEvent* e) {
    impostaMarcatore(std::nullopt);
    QWidget::focusOutEvent(e);
}

void GraficoStoria::keyPressEvent(QKeyEvent* e) {
    const int passo = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
    const int da = marcatore_.value_or(colonnaDi(ultimo_));
    switch (e->key()) {
        case Qt::Key_Left:
            impostaMarcatore(marcatore_ ? da - passo : da);
            break;
        case Qt::Key_Right:
            impostaMarcatore(marcatore_ ? da + passo : da);
            break;
        case Qt::Key_Home:
            impostaMarcatore(0);
            break;
        case Qt::Key_End:
            impostaMarcatore(colonnaDi(ultimo_));
            break;
        case Qt::Key_Escape:
            if (!marcatore_) return QWidget::keyPressEvent(e);
            impostaMarcatore(std::nullopt);
            break;
        default:
            return QWidget::keyPressEvent(e);
    }
}

void GraficoStoria::resizeEvent(QResizeEvent* e) {
    marcatore_.reset();
    QWidget::resizeEvent(e);
}

void GraficoStoria::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

void GraficoStoria::paintEvent(QPaintEvent* e) {
    const Aspetto asp = Tema::aspetto();
    QPainter p(this);
    p.setClipRegion(e->region());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Tema::card(asp));
    p.drawRoundedRect(QRectF(rect()), 10, 10);
    p.setRenderHint(QPainter::Antialiasing, false);

    const QRect a = areaGrafico();
    const auto c = colonne(storia_, intervallo_, fine_, a.width());
    if (scale_.size() != serie_.size()) {
        scale_.clear();
        for (const auto& s : serie_) scale_.push_back(scalaDi(s, c));
    }

    // Title, then the marker's text or the legend.
    const QFont titolo = carattere(13, QFont::DemiBold), piccolo = carattere(StileTesto::caption2);
    if (e->rect().top() < altezzaTitolo) {
        p.setFont(titolo);
        p.setPen(Tema::text(asp));
        const int wt = QFontMetrics(titolo).horizontalAdvance(titolo_);
        p.drawText(QRect(margine, 0, wt + 1, altezzaTitolo), Qt::AlignVCenter, titolo_);
        p.setFont(piccolo);
        const QRect resto(margine + wt + 12, 0, width() - 2 * margine - wt - 12, altezzaTitolo);
        if (marcatore_) {
            p.setPen(Tema::text(asp));
            p.drawText(resto, Qt::AlignVCenter | Qt::AlignRight,
                       QFontMetrics(piccolo).elidedText(testoMarcatore(), Qt::ElideRight, resto.width()));
        } else {
            int x = resto.right();
            for (std::size_t k = serie_.size(); k-- > 0;) {
                const SerieGrafico* s = &serie_[k];
                QString n = s->nome;
                if (s->scala <= 0) n += QStringLiteral(" (max ") + q(testo(s->figura, scale_[k])) + u')';
                const int w = QFontMetrics(piccolo).horizontalAdvance(n);
                p.setPen(Tema::muted(asp));
                p.drawText(QRect(x - w, 0, w + 1, altezzaTitolo), Qt::AlignVCenter, n);
                p.fillRect(QRect(x - w - 12, altezzaTitolo / 2 - 4, 8, 8), s->colore(asp));
                x -= w + 24;
            }
        }
    }

    // Grid: the base and half height.
    p.fillRect(QRect(a.left(), a.bottom(), a.width(), 1), Tema::line(asp));
    p.fillRect(QRect(a.left(), a.top() + a.height() / 2, a.width(), 1), conOpacita(Tema::line(asp), 0.6));

    const int x0 = std::max(0, e->rect().left() - a.left()),
              x1 = std::min(a.width() - 1, e->rect().right() - a.left());
    for (std::size_t k = 0; k < serie_.size(); ++k) {
        const SerieGrafico& s = serie_[k];
        const QColor colore = s.colore(asp);
        const double scala = scale_[k];
        auto y = [&](double v) {
            return a.bottom() -
                   static_cast<int>(std::lround(std::clamp(v / scala, 0.0, 1.0) * (a.height() - 1)));
        };
        for (int x = x0; x <= x1; ++x) {
            const Colonna::Valore& v =
                c[static_cast<std::size_t>(x)].valori[static_cast<std::size_t>(s.figura)];
            if (!v.n) continue;
            const int px = a.left() + x;
            switch (s.stile) {
                case SerieGrafico::Stile::area:
                    if (v.massimo > v.minimo)
                        p.fillRect(QRect(QPoint(px, y(v.massimo)), QPoint(px, y(v.minimo))),
                                   conOpacita(colore, 0.25));
                    p.fillRect(QRect(QPoint(px, y(v.media())), QPoint(px, a.bottom())),
                               conOpacita(colore, 0.55));
                    p.fillRect(QRect(px, y(v.media()), 1, 2), colore);
                    break;
                case SerieGrafico::Stile::linea:
                    p.fillRect(QRect(px, y(v.media()) - 1, 1, 2), colore);
                    break;
                case SerieGrafico::Stile::periodi:
                    if (aneAttivo(v.massimo))
                        p.fillRect(QRect(px, a.top() + a.height() / 3, 1, a.height() * 2 / 3),
                                   conOpacita(colore, 0.7));
                    break;
            }
        }
    }

    if (marcatore_) p.fillRect(QRect(a.left() + *marcatore_, a.top(), 1, a.height()), Tema::text(asp));

    // Four times under the graph.
    if (e->rect().bottom() >= a.bottom()) {
        p.setFont(piccolo);
        p.setPen(Tema::muted(asp));
        const double span = secondiIntervallo(intervallo_);
        for (int k = 0; k <= 4; ++k) {
            const double t = fine_ - span + span * k / 4;
            const int x = a.left() + a.width() * k / 4;
            const Qt::Alignment al = k == 0 ? Qt::AlignLeft : k == 4 ? Qt::AlignRight : Qt::AlignHCenter;
            const QRect r = k == 0   ? QRect(x, a.bottom() + 2, 80, altezzaOrari)
                            : k == 4 ? QRect(x - 80, a.bottom() + 2, 80, altezzaOrari)
                                     : QRect(x - 40, a.bottom() + 2, 80, altezzaOrari);
            p.drawText(r, al | Qt::AlignVCenter, orario(t).left(5));
        }
    }
}

}  // namespace pulsaro
