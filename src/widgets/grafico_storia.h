// One time graph of the history: a few figures over the last 10 minutes, hour or day, drawn one
// pixel column at a time, with a marker that the pointer and the arrow keys move.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "sampling/storia.h"
#include "widgets/tema.h"

namespace pulsaro {

enum class Intervallo { dieciMinuti, ora, giorno };
inline constexpr std::array<Intervallo, 3> tuttiGliIntervalli{Intervallo::dieciMinuti, Intervallo::ora,
                                                              Intervallo::giorno};
QString testoIntervallo(Intervallo i);  // "10 minuti", "1 ora", "24 ore"
double secondiIntervallo(Intervallo i);

struct SerieGrafico {
    enum class Stile { area, linea, periodi };
    Figura figura;
    QString nome;  // in the legend and the marker: "CPU", "core P"
    ColoreAdattivo colore;
    Stile stile;
    double scala;  // the value at the top; 0: the greatest in view (powers)
};

// What a pixel column of the graph covers: per figure, the least, the sum and the greatest of the
// values that fall in it, and the minute whose heaviest process it names.
struct Colonna {
    struct Valore {
        float minimo = 0, massimo = 0;
        double somma = 0;
        int n = 0;
        double media() const { return n ? somma / n : 0; }
    };
    std::array<Valore, numeroFigure> valori;
    const Storia::Minuto* minuto = nullptr;
    double secondi = 0;  // the newest entry's time
};

// The columns of [fine − span, fine) at `larghezza` pixels: every sample for the ten minutes, the
// minutes for longer spans. A sample covers the gap since the one before it, up to 10 s.
std::vector<Colonna> colonne(const Storia& s, Intervallo i, double fine, int larghezza);

class GraficoStoria : public QWidget {
public:
    GraficoStoria(const QString& titolo, std::vector<SerieGrafico> serie, const Storia& storia,
                  QWidget* padre = nullptr);

    void impostaIntervallo(Intervallo i);
    Intervallo intervallo() const { return intervallo_; }
    // The history took a sample; `ora` is the queue's clock now and `scarto` the wall clock's
    // lead over it, in seconds. Repaints the columns it changed, or all when the view moved on.
    void nuovoCampione(double ora, double scarto);

    // The summary read by a screen reader: "CPU nelle ultime 24 ore: media 12 %, massimo 94 %
    // alle 03:12, cc1plus".
    QString riassunto() const;
    // The marker's column and text; none while it is hidden.
    std::optional<int> marcatore() const { return marcatore_; }
    QString testoMarcatore() const;
    void impostaMarcatore(std::optional<int> colonna);
    QRect areaGrafico() const;
    // The end of the time in view, on the queue's clock.
    double fine() const { return fine_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    double passo() const { return secondiIntervallo(intervallo_) / 10; }
    int colonnaDi(double secondi) const;
    QString orario(double secondi) const;
    double scalaDi(const SerieGrafico& s, const std::vector<Colonna>& c) const;
    void aggiornaRiassunto();

    QString titolo_;
    std::vector<SerieGrafico> serie_;
    const Storia& storia_;
    Intervallo intervallo_ = Intervallo::dieciMinuti;
    double ora_ = 0, scarto_ = 0, fine_ = 0;
    double ultimo_ = 0;  // the newest sample drawn
    std::vector<double> scale_;
    std::optional<int> marcatore_;
    std::int64_t minutoRiassunto_ = -1;
};

}  // namespace pulsaro
