// One section of the grouped settings form: a title, a rounded card whose rows are parted by
// thin lines, and an optional footer under the card.
#pragma once

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace pulsaro {

class SchedaModulo;

class SezioneModulo : public QWidget {
    Q_OBJECT
public:
    SezioneModulo(const QString& titolo, QWidget* padre = nullptr);

    // Adds a row to the card; hidden rows take no room and no line.
    void aggiungi(QWidget* riga);
    void aggiungi(QLayout* riga);
    // The footer text, under the card.
    QLabel* piede(const QString& testo);

    QLabel* titolo() const { return titolo_; }

private:
    QLabel* titolo_;
    SchedaModulo* scheda_;
    QVBoxLayout* colonna_;
};

// A caption: small, wrapped, plain text; the colour is set by whoever shows it.
QLabel* didascalia(const QString& testo, QWidget* padre = nullptr);

// A row: a label at the leading edge, flexible space, a control at the trailing edge.
QWidget* rigaEtichetta(QLabel* etichetta, QWidget* controllo, QWidget* padre = nullptr);

class SchedaModulo : public QWidget {
    Q_OBJECT
public:
    explicit SchedaModulo(QWidget* padre = nullptr);
    QVBoxLayout* righe() const { return righe_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QVBoxLayout* righe_;
};

}  // namespace pulsaro
