#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QToolTip>
#include <vector>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/etichetta_ane.h"
#include "widgets/lista_processi.h"
#include "widgets/ordine_fermo.h"

using namespace pulsaro;

namespace {

// Rows 20 high, one under the other; a process using the ANE has its badge at x 100…130.
class ListaProva : public ListaProcessi {
public:
    std::size_t contateAllImpostazione = 0;

    std::optional<std::int32_t> processoIn(const QPointF& punto) const override {
        const int i = static_cast<int>(punto.y()) / 20;
        if (punto.y() < 0 || i >= static_cast<int>(processi_.size())) return std::nullopt;
        return processi_[static_cast<std::size_t>(i)].id;
    }
    QRectF badge(int i) const { return rettangoloEtichetta(i); }

protected:
    QRectF rettangoloVoce(int i) const override { return QRectF(0, 20 * i, width(), 20); }
    void paintEvent(QPaintEvent*) override {}
    QRectF rettangoloEtichetta(int i) const override {
        if (!processi_[static_cast<std::size_t>(i)].usaANE) return {};
        return QRectF(100, 20 * i + 4, 30, 12);
    }
    void processiImpostati() override { contateAllImpostazione = processi_.size(); }
};

void premi(QWidget& w, QEvent::Type tipo, QPointF punto, Qt::MouseButton tasto) {
    QMouseEvent e(tipo, punto, w.mapToGlobal(punto), tasto,
                  tipo == QEvent::MouseButtonPress ? tasto : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

UsoProcesso uso(std::int32_t id, double cpu) {
    return UsoProcesso{id, "p" + std::to_string(id), cpu, 0, 0, false, 0};
}

std::vector<std::int32_t> ids(const std::vector<UsoProcesso>& v) {
    std::vector<std::int32_t> r;
    for (const auto& u : v) r.push_back(u.id);
    return r;
}

// Whether the list took the tooltip request at this point.
bool suggerisce(QWidget& w, QPoint punto) {
    QHelpEvent e(QEvent::ToolTip, punto, w.mapToGlobal(punto));
    QApplication::sendEvent(&w, &e);
    return e.isAccepted();
}

}  // namespace

TEST(ListaProcessi, ProcessiClicESuggerimento) {
    ListaProva l;
    l.resize(200, 100);
    l.impostaProcessi({{7, "a", 0, 0, 0, false, 0}, {8, "b", 0, 0, 0, true, 0}});
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

    // The tooltip only on the badge.
    EXPECT_TRUE(suggerisce(l, l.badge(1).center().toPoint()));
    EXPECT_EQ(QToolTip::text(), suggerimentoANE());
    EXPECT_FALSE(suggerisce(l, QPoint(110, 10)));  // the same place on a row with no badge
    EXPECT_FALSE(suggerisce(l, QPoint(5, 25)));
    QToolTip::hideText();
}

TEST(ListaProcessi, IconaAllaScalaVeraDelPittore) {
    // A red 32-pixel and a blue 64-pixel picture: a 32-point frame on a 2x device takes the 64 one.
    QIcon icona;
    for (const auto& [lato, colore] : {std::pair{32, QColor(Qt::red)}, {64, QColor(Qt::blue)}}) {
        QPixmap pm(lato, lato);
        pm.fill(colore);
        icona.addPixmap(pm);
    }
    for (const auto& [dpr, origine] : prova::situazioni) {
        const auto t = prova::dipingiSu(QSizeF(40, 40), dpr, origine, Qt::white, [&](QPainter& p) {
            disegnaIconaApplicazione(p, QRectF(3, 3, 32, 32), icona);
        });
        EXPECT_EQ(t.colore(QPointF(19, 19)), QColor(dpr > 1 ? Qt::blue : Qt::red)) << dpr;
    }
}

TEST(ListaProcessi, FermaSottoIlPuntatoreEConIlFuoco) {
    ListaProva l;
    l.resize(300, 80);
    l.show();
    std::int32_t cliccato = 0;
    l.impostaSeleziona([&cliccato](std::int32_t pid) { cliccato = pid; });
    const auto p = uso;
    const auto ordine = [&l] { return ids(l.processi()); };
    const auto evento = [&l](QEvent&& e) { QApplication::sendEvent(&l, &e); };
    l.impostaProcessi({p(1, 50), p(2, 40), p(3, 10)});

    // The pointer comes over the list; the next sample swaps the first two rows.
    evento(QEnterEvent(QPointF(10, 5), QPointF(10, 5), l.mapToGlobal(QPointF(10, 5))));
    l.impostaProcessi({p(2, 60), p(1, 45), p(3, 10)});
    EXPECT_EQ(ordine(), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(l.processi()[0].cpu, 45) << "the figures change in place";
    // The click lands on the row that was under the pointer when the user aimed.
    prova::clic(l, QPointF(10, 5));
    EXPECT_EQ(cliccato, 1);
    // A process that leaves gives its row to the one that came.
    l.impostaProcessi({p(2, 60), p(4, 30), p(1, 20)});
    EXPECT_EQ(ordine(), (std::vector<std::int32_t>{1, 2, 4}));
    // The pointer leaves: the order catches up.
    evento(QEvent(QEvent::Leave));
    EXPECT_EQ(ordine(), (std::vector<std::int32_t>{2, 4, 1}));

    // A focus the mouse gave does not hold it once the pointer has left; the keyboard's does.
    evento(QFocusEvent(QEvent::FocusIn, Qt::MouseFocusReason));
    l.impostaProcessi({p(1, 90), p(2, 60), p(4, 30)});
    EXPECT_EQ(ordine(), (std::vector<std::int32_t>{1, 2, 4}));
    evento(QFocusEvent(QEvent::FocusOut));
    evento(QFocusEvent(QEvent::FocusIn, Qt::TabFocusReason));
    l.impostaProcessi({p(2, 90), p(4, 60), p(1, 30)});
    EXPECT_EQ(ordine(), (std::vector<std::int32_t>{1, 2, 4}));
    evento(QFocusEvent(QEvent::FocusOut));
    EXPECT_EQ(ordine(), (std::vector<std::int32_t>{2, 4, 1}));
}

TEST(OrdineFermo, PostiTenutiELasciati) {
    const auto lista = [](std::vector<std::int32_t> v) {
        std::vector<UsoProcesso> r;
        for (auto id : v) r.push_back(uso(id, id));
        return r;
    };
    using V = std::vector<std::int32_t>;
    EXPECT_EQ(ids(ordineFermo(lista({1, 2, 3}), lista({3, 2, 1}))), (V{1, 2, 3}));
    EXPECT_EQ(ids(ordineFermo(lista({1, 2, 3}), lista({5, 3, 4}))), (V{5, 4, 3}))
        << "new ones fill places in rank";
    EXPECT_EQ(ids(ordineFermo(lista({1, 2, 3}), lista({3, 1}))), (V{1, 3})) << "fewer: the gap closes";
    EXPECT_EQ(ids(ordineFermo(lista({1, 2}), lista({2, 7, 1, 8}))), (V{1, 2, 7, 8})) << "more: at the end";
    EXPECT_EQ(ids(ordineFermo({}, lista({2, 1}))), (V{2, 1}));
}
