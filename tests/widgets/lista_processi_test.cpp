#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <vector>

#include "support/qt_app.h"
#include "widgets/etichetta_ane.h"
#include "widgets/lista_processi.h"

using namespace pulsaro;

namespace {

// Rows 20 high, one under the other; a process using the ANE has its badge at x 100…130.
class ListaProva : public ListaProcessi {
public:
    int impostazioni = 0;
    std::size_t contateAllImpostazione = 0;

    std::optional<std::int32_t> processoIn(const QPointF& punto) const override {
        const int i = static_cast<int>(punto.y()) / 20;
        if (punto.y() < 0 || i >= static_cast<int>(processi_.size())) return std::nullopt;
        return processi_[static_cast<std::size_t>(i)].id;
    }
    QRectF badge(int i) const { return rettangoloEtichetta(i); }

protected:
    QRectF rettangoloEtichetta(int i) const override {
        if (!processi_[static_cast<std::size_t>(i)].usaANE) return {};
        return QRectF(100, 20 * i + 4, 30, 12);
    }
    void processiImpostati() override {
        ++impostazioni;
        contateAllImpostazione = processi_.size();
    }
};

void premi(QWidget& w, QEvent::Type tipo, QPointF punto, Qt::MouseButton tasto) {
    QMouseEvent e(tipo, punto, w.mapToGlobal(punto), tasto,
                  tipo == QEvent::MouseButtonPress ? tasto : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// Whether the list took the tooltip request at this point.
bool suggerisce(QWidget& w, QPoint punto) {
    QHelpEvent e(QEvent::ToolTip, punto, w.mapToGlobal(punto));
    QApplication::sendEvent(&w, &e);
    return e.isAccepted();
}

}  // namespace

TEST(ListaProcessi, ProcessiSelezioneEClic) {
    ListaProva l;
    l.resize(200, 100);
    l.impostaProcessi({{7, "a", 0, 0, 0, false, 0}, {8, "b", 0, 0, 0, true, 0}});
    EXPECT_EQ(l.impostazioni, 1);
    EXPECT_EQ(l.contateAllImpostazione, 2u);  // the hook sees the new processes

    std::vector<std::int32_t> scelti;
    prova::clic(l, QPointF(5, 25));  // no callback yet: nothing happens
    l.impostaSeleziona([&](std::int32_t pid) { scelti.push_back(pid); });
    prova::clic(l, QPointF(5, 5));
    prova::clic(l, QPointF(5, 25));
    prova::clic(l, QPointF(5, 60));  // below the last row
    EXPECT_EQ(scelti, (std::vector<std::int32_t>{7, 8}));

    // Released on another row, or with another button, or with no press before: no click.
    premi(l, QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton);
    premi(l, QEvent::MouseButtonRelease, QPointF(5, 25), Qt::LeftButton);
    premi(l, QEvent::MouseButtonPress, QPointF(5, 5), Qt::RightButton);
    premi(l, QEvent::MouseButtonRelease, QPointF(5, 5), Qt::RightButton);
    premi(l, QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton);
    // A press off the rows does not arm a click on the row it is released on.
    premi(l, QEvent::MouseButtonPress, QPointF(5, 60), Qt::LeftButton);
    premi(l, QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton);
    EXPECT_EQ(scelti.size(), 2u);
}

TEST(ListaProcessi, SuggerimentoSoloSullEtichetta) {
    ListaProva l;
    l.resize(200, 100);
    l.impostaProcessi({{7, "a", 0, 0, 0, false, 0}, {8, "b", 0, 0, 0, true, 0}});
    EXPECT_TRUE(l.badge(0).isEmpty());

    EXPECT_TRUE(suggerisce(l, l.badge(1).center().toPoint()));
    EXPECT_EQ(QToolTip::text(), suggerimentoANE());
    EXPECT_FALSE(suggerisce(l, QPoint(110, 10)));  // the same place on a row with no badge
    EXPECT_FALSE(suggerisce(l, QPoint(5, 25)));
    QToolTip::hideText();
}
