#include "panels/accessibile_pannelli.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>

#include "banco_pannelli.h"
#include "panels/lista_mini.h"
#include "panels/mini_pannello.h"
#include "panels/pannello.h"
#include "widgets/vista_barre.h"

using namespace pulsaro;

namespace {

struct Nodo {
    QAccessible::Role ruolo;
    QString nome;
    QString valore;
    QAccessible::State stato;
};

// Every node under i, depth first, as a screen reader walking the tree finds them.
void visita(QAccessibleInterface* i, std::vector<Nodo>& nodi, int profondita = 0) {
    ASSERT_LT(profondita, 30);
    for (int k = 0; k < i->childCount(); ++k) {
        QAccessibleInterface* f = i->child(k);
        ASSERT_NE(f, nullptr) << "child " << k << " of " << i->text(QAccessible::Name).toStdString();
        EXPECT_EQ(i->indexOfChild(f), k);
        nodi.push_back({f->role(), f->text(QAccessible::Name), f->text(QAccessible::Value), f->state()});
        // A combo box's own list is Qt's, and a screen reader knows it.
        if (f->role() != QAccessible::ComboBox) visita(f, nodi, profondita + 1);
    }
}

std::vector<Nodo> albero(QWidget* w) {
    registraAccessibilita();
    std::vector<Nodo> nodi;
    visita(QAccessible::queryAccessibleInterface(w), nodi);
    return nodi;
}

std::vector<Nodo> con(const std::vector<Nodo>& nodi, QAccessible::Role ruolo) {
    std::vector<Nodo> r;
    for (const Nodo& n : nodi)
        if (n.ruolo == ruolo) r.push_back(n);
    return r;
}

}  // namespace

// The main window read and driven as a screen reader's user does.
TEST(AccessibilePannelli, FinestraPrincipaleLettaEGuidataDallaTastiera) {
    prova::BancoPrincipale b;
    b.processi(3);
    registraAccessibilita();
    Pannello& p = b.apri();
    const std::vector<Nodo> nodi = albero(b.finestra.get());

    // Every dial with its value, named after its resource; the rows' own bars too.
    std::vector<QString> misuratori;
    for (const Nodo& n : con(nodi, QAccessible::ProgressBar)) misuratori.push_back(n.nome + ": " + n.valore);
    EXPECT_EQ(misuratori, (std::vector<QString>{"CPU: 0,0 %", "GPU: 0,0 %", "Neural Engine: a riposo",
                                                "p1 CPU: 0,0 %", "p1 GPU: 0,0 %", "p2 CPU: 0,0 %",
                                                "p2 GPU: 0,0 %", "p3 CPU: 0,0 %", "p3 GPU: 0,0 %"}));

    // One list, one item per process, with its figures; nothing hidden, so no "Tutto" yet.
    ASSERT_EQ(con(nodi, QAccessible::List).size(), 1u);
    const auto voci = con(nodi, QAccessible::ListItem);
    ASSERT_EQ(voci.size(), 3u);
    EXPECT_EQ(voci[0].nome, "p1, CPU 0,0 %, GPU 0,0 %, 3 MB");
    for (const Nodo& n : nodi) {
        EXPECT_FALSE(n.stato.invisible) << n.nome.toStdString();
        EXPECT_NE(n.nome, "Tutto");
    }

    // Tab from the first control reaches the list, through no hidden stop.
    QApplication::setActiveWindow(b.finestra.get());
    ListaProcessi* lista = p.barre();
    int fermate = 0;
    for (; fermate < 12 && QApplication::focusWidget() != lista; ++fermate) {
        QWidget* w = QApplication::focusWidget();
        EXPECT_TRUE(!w || w->isVisible());
        prova::tasto(w ? w : b.finestra.get(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), lista);
    EXPECT_LE(fermate, 5) << "the list header's controls, no scroll area, no hidden button";
    prova::tasto(lista, Qt::Key_Down);
    prova::tasto(lista, Qt::Key_Return);
    EXPECT_EQ(b.monitor->seguito(), 102);
    const auto seguendo = albero(b.finestra.get());
    ASSERT_EQ(con(seguendo, QAccessible::ListItem).size(), 3u);
    EXPECT_TRUE(con(seguendo, QAccessible::ListItem)[1].stato.selected);
    EXPECT_TRUE(con(seguendo, QAccessible::ListItem)[1].stato.focused);
    EXPECT_EQ(con(seguendo, QAccessible::Button).front().nome, "Tutto")
        << "the back button shows while following";
    EXPECT_EQ(con(seguendo, QAccessible::StaticText).front().nome, "p2")
        << "the header card names it as the list does, without isolating marks";
    prova::tasto(lista, Qt::Key_Escape);  // sent, so the window's shortcut is tried
    EXPECT_EQ(b.monitor->seguito(), std::nullopt) << "Escape stops following";

    p.impostaVista(Vista::contagiri);
    const auto dopo = albero(b.finestra.get());
    EXPECT_EQ(con(dopo, QAccessible::ListItem).size(), 3u) << "the gauges' cards are the list now";
    EXPECT_EQ(con(dopo, QAccessible::List).size(), 1u) << "the hidden bars are not";
}

TEST(AccessibilePannelli, IlPopoverHaLaSuaListaEUnAnnuncioPerCampione) {
    prova::BancoPannelli b;
    registraAccessibilita();
    b.processi(3);
    b.sonde.lista[102].nome = "cc1plus";
    int aperture = 0;
    MiniPannello m(*b.monitor, b.preferenze, AzioniPannello{[&] { ++aperture; }, {}, {}});
    ASSERT_TRUE(b.mostra(m));
    b.avanza(0.35);
    b.monitor->impostaSeguito(102);
    b.campione();

    std::vector<std::pair<QAccessible::Event, QString>> annunci;
    impostaRegistratoreAnnunci([&](QAccessibleEvent& e) {
        QAccessibleInterface* i = e.accessibleInterface();
        annunci.emplace_back(e.type(), i ? i->text(QAccessible::Name) : QString());
    });

    const auto nodi = albero(&m);
    ASSERT_EQ(con(nodi, QAccessible::List).size(), 1u);
    const auto voci = con(nodi, QAccessible::ListItem);
    ASSERT_EQ(voci.size(), 3u) << "only the rows on show";
    EXPECT_EQ(voci[1].nome, "cc1plus, CPU 0,0 %, GPU 0,0 %, 2 MB");
    EXPECT_TRUE(voci[1].stato.selected) << "the followed process";
    std::vector<QString> misuratori;
    for (const Nodo& n : con(nodi, QAccessible::ProgressBar)) misuratori.push_back(n.nome);
    EXPECT_EQ(misuratori, (std::vector<QString>{"CPU", "GPU", "Neural Engine", "p1 CPU", "p1 GPU",
                                                "cc1plus CPU", "cc1plus GPU", "p3 CPU", "p3 GPU"}));

    // The keyboard walks the rows; Return does what a click does.
    auto* lista = static_cast<ListaMini*>(m.lista());
    QApplication::setActiveWindow(&m);
    lista->setFocus(Qt::TabFocusReason);
    prova::tasto(lista, Qt::Key_Down);
    EXPECT_EQ(lista->rigaCorrente(), 1);
    ASSERT_FALSE(annunci.empty());
    EXPECT_EQ(annunci.back().first, QAccessible::Focus);
    EXPECT_EQ(annunci.back().second, "cc1plus, CPU 0,0 %, GPU 0,0 %, 2 MB");
    prova::tasto(lista, Qt::Key_Return);
    EXPECT_EQ(aperture, 1);

    // A sample whose figures read the same says nothing; one that changes a row says it once.
    annunci.clear();
    b.campione();
    EXPECT_TRUE(annunci.empty());
    b.sonde.lista[102].memoria = (2u << 20) + 600000;  // "3 MB" now, still second
    b.campione();
    int nomi = 0;
    for (const auto& [tipo, nome] : annunci) nomi += tipo == QAccessible::NameChanged;
    EXPECT_EQ(nomi, 1);
    impostaRegistratoreAnnunci({});

    // Shown in a popup, it is among the application's windows while the popup is (Qt leaves
    // popups out), so a screen reader can walk its rows.
    QWidget popup(nullptr, Qt::Popup);
    esponiComeFinestra(&popup);
    QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
    const auto indice = [&] { return app->indexOfChild(QAccessible::queryAccessibleInterface(&popup)); };
    popup.show();
    ASSERT_GE(indice(), 0);
    EXPECT_EQ(app->child(indice())->object(), &popup);
    popup.hide();
    EXPECT_EQ(indice(), -1);
}
