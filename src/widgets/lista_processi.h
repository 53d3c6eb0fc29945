// What the two process lists share: the ranked processes, the selection, the icon hook, the click
// that selects, the ANE badge's tooltip and the repaint on palette or font changes.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "sampling/uso.h"
#include "widgets/elementi_processo.h"
#include "widgets/tema.h"

namespace pulsaro {

class ListaProcessi : public QWidget {
public:
    explicit ListaProcessi(QWidget* padre = nullptr);

    // While the pointer is over the list or it has the keyboard focus, the rows keep their order
    // and only their figures change, so a click lands on the row it aimed at; the order catches
    // up when the pointer leaves and the focus goes.
    void impostaProcessi(std::vector<UsoProcesso> processi);
    // A focus the mouse brought does not count: it would hold the order after the pointer left.
    bool ordineBloccato() const { return sopra_ || (fuoco_ && anello_); }
    void impostaSelezionato(std::optional<std::int32_t> pid);
    void impostaSeleziona(std::function<void(std::int32_t)> seleziona) { seleziona_ = std::move(seleziona); }
    void impostaIcona(DisegnoIcona disegno);

    const std::vector<UsoProcesso>& processi() const { return processi_; }
    std::optional<std::int32_t> selezionato() const { return selezionato_; }

    // The process under a point of this widget, if any.
    virtual std::optional<std::int32_t> processoIn(const QPointF& punto) const = 0;
    // Where row i (a card among gauges) is drawn, in this widget's coordinates.
    QRectF rettangoloProcesso(int i) const { return rettangoloVoce(i); }

    // The keyboard's row: it keeps its process while the order changes, and its place when the
    // process leaves the list; none before the list has had the focus or while it is empty.
    std::optional<int> rigaCorrente() const;
    // What Return or Space does on row i: follow its process, or stop following it.
    void attivaRiga(int i);
    // Puts the keyboard on row i and the focus on the list.
    void portaARiga(int i);

    bool hasHeightForWidth() const override { return true; }

protected:
    // Where item i is drawn, in this widget's coordinates.
    virtual QRectF rettangoloVoce(int i) const = 0;
    // The ANE badge of item i in this widget's coordinates; empty when it has none.
    virtual QRectF rettangoloEtichetta(int i) const = 0;
    // Called once the new processes are in place, before the widget is laid out and repainted.
    virtual void processiImpostati() {}
    // What item i must repaint when its process draws differently, its selection staying the
    // same: by default its whole card.
    virtual QRegion zonaCambiata(int i, const UsoProcesso& prima, const UsoProcesso& dopo) const;
    // The whole of item i, with its edges' smoothing.
    QRegion zonaVoce(int i) const;

    bool scelto(const UsoProcesso& p) const { return selezionato_ && *selezionato_ == p.id; }
    // The card of an item: filled, and outlined when selected.
    static void disegnaFondo(QPainter& p, const QRectF& r, double raggio, bool scelto, Aspetto a);
    // The panel's colour under the event's rectangle: the list is opaque.
    static void disegnaSfondo(QPainter& p, const QPaintEvent* e);
    void disegnaIcona(QPainter& p, const QRectF& cornice, std::int32_t pid, Aspetto a) const;

    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

    std::vector<UsoProcesso> processi_;

private:
    std::optional<std::int32_t> selezionato_;
    std::function<void(std::int32_t)> seleziona_;
    DisegnoIcona icona_;
    mutable ImmaginiIngranaggio ingranaggi_;  // the gear without an icon hook
    std::optional<std::int32_t> premuto_;
    void mostra(std::vector<UsoProcesso> processi);
    void riprendiOrdine();

    std::vector<UsoProcesso> ultimi_;  // the latest list, in its rank
    bool sopra_ = false;
    bool fuoco_ = false;

    std::optional<std::int32_t> corrente_;  // the keyboard's row, by process
    bool anello_ = false;                   // the keyboard brought the focus: its row is outlined

    void vaiA(int i);
    void aggiornaAnello(std::optional<int> prima);
    void annunciaCambi(const std::vector<UsoProcesso>& prima);
    void annunciaFuoco();
};

}  // namespace pulsaro
