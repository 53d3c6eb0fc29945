#include "widgets/accessibile.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "support/qt_app.h"
#include "widgets/barra.h"
#include "widgets/chip_ane.h"
#include "widgets/contagiri.h"
#include "widgets/vista_barre.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;

namespace {

std::vector<UsoProcesso> tre() {
    return {{11, "cc1plus", 24.2, 0, 0, false, 117u << 20},
            {22, "ld\nlungo", 5, 12.6, 0, true, 1536u << 20},
            {33, "tre", 150, 0, 0, false, 3u << 20}};
}

// What the widgets announce, recorded in place of a screen reader.
struct Annunci {
    struct Voce {
        QAccessible::Event tipo;
        QObject* oggetto;
        int figlio;
        QString nome;
    };
    std::vector<Voce> voci;
    Annunci() {
        prova::appQt();
        registraAccessibilitaWidget();
        impostaRegistratoreAnnunci([this](QAccessibleEvent& e) {
            QAccessibleInterface* i = e.accessibleInterface();
            voci.push_back({e.type(), e.object(), e.child(), i ? i->text(QAccessible::Name) : QString()});
        });
    }
    ~Annunci() { impostaRegistratoreAnnunci({}); }
    auto conta(QAccessible::Event tipo) const {
        return std::count_if(voci.begin(), voci.end(), [&](const Voce& v) { return v.tipo == tipo; });
    }
};

QAccessibleInterface* interfaccia(QObject* o) {
    registraAccessibilitaWidget();
    return QAccessible::queryAccessibleInterface(o);
}

}  // namespace

TEST(Accessibile, TestiDeiValoriEDelleRighe) {
    // One decimal below 10, as the dials show; as measured, not clamped.
    for (auto [valore, testo] :
         {std::pair{23.4, "23 %"}, {0.0, "0,0 %"}, {9.96, "10,0 %"}, {-3.0, "-3,0 %"}, {150.0, "150 %"}})
        EXPECT_EQ(testoValoreAccessibile(valore), testo) << valore;
    EXPECT_EQ(testoValoreAccessibile(40, false), QStringLiteral("—"));

    const auto p = tre();
    EXPECT_EQ(nomeRigaAccessibile(p[0]), "cc1plus, CPU 24 %, GPU 0,0 %, 117 MB");
    EXPECT_EQ(nomeRigaAccessibile(p[1]), "ld\\nlungo, CPU 5,0 %, GPU 13 %, 1,5 GB, ANE")
        << "one line, its newline written out, and the Neural Engine mark";
    EXPECT_EQ(descrizioneRigaAccessibile(p[0]), "pid 11");
    EXPECT_EQ(descrizioneRigaAccessibile(p[1]),
              "pid 22, Usa il Neural Engine (consumo per processo non disponibile)");
}

TEST(Accessibile, QuadrantiBarreEChipComeMisuratori) {
    registraAccessibilitaWidget();
    Contagiri c(23.4, Qt::red, QStringLiteral("CPU"), true);
    // A dial without a label takes the name its panel gives it; an inactive one has no figure.
    Contagiri senza(120, Qt::red, QString(), false);
    senza.setAccessibleName(QStringLiteral("GPU"));
    Barra b(0.04, Qt::red, QStringLiteral("GPU"), true);
    MiniBarra m(42, Qt::red, true);
    m.setAccessibleName(QStringLiteral("CPU"));
    ChipANE chip(false);
    const auto leggi = [](QWidget* w) {
        QAccessibleInterface* i = interfaccia(w);
        EXPECT_EQ(i->role(), QAccessible::ProgressBar);
        return std::tuple{i->text(QAccessible::Name), i->text(QAccessible::Value),
                          i->valueInterface()->currentValue().toDouble()};
    };
    using T = std::tuple<QString, QString, double>;
    EXPECT_EQ(leggi(&c), (T{"CPU", "23 %", 23.4}));
    EXPECT_EQ(leggi(&senza), (T{"GPU", "—", 0}));
    EXPECT_EQ(leggi(&b), (T{"GPU", "0,0 %", 0.04}));
    EXPECT_EQ(leggi(&m), (T{"CPU", "42 %", 42}));
    EXPECT_EQ(leggi(&chip), (T{"Neural Engine", "a riposo", 0}));
    senza.setAttivo(true);
    EXPECT_EQ(leggi(&senza), (T{"GPU", "120 %", 100})) << "the number stays in range";
    chip.setAcceso(true);
    EXPECT_EQ(leggi(&chip), (T{"Neural Engine", "acceso", 1}));
}

TEST(Accessibile, UnAnnuncioPerCampioneMaiPerFotogramma) {
    Annunci annunci;
    QWidget finestra;
    auto* l = new QVBoxLayout(&finestra);
    auto* c = new Contagiri(0, Qt::red, QStringLiteral("CPU"), true);
    auto* chip = new ChipANE(false);
    l->addWidget(c);
    l->addWidget(chip);
    finestra.show();
    const auto contaValori = [&](int ms) {
        QElapsedTimer t;
        t.start();
        do QApplication::processEvents(QEventLoop::AllEvents, 10);
        while (t.elapsed() < ms);
        return annunci.conta(QAccessible::ValueChanged);
    };
    contaValori(50);
    annunci.voci.clear();
    c->setValore(80);       // the needle springs over many frames
    chip->setAcceso(true);  // and the chip fades in
    EXPECT_EQ(contaValori(400), 2) << "the animation frames announce nothing";
    EXPECT_GT(c->frazioneMostrata(), 0.0) << "the needle has moved meanwhile";
    c->setValore(80.3);  // the next sample, the same figure read aloud
    chip->setAcceso(true);
    EXPECT_EQ(contaValori(0), 2);
    c->setValore(9.5);
    EXPECT_EQ(contaValori(0), 3);
    EXPECT_EQ(annunci.voci.back().oggetto, c);
}

TEST(Accessibile, ListeUnaVocePerProcessoAnnuncianoSoloQuelCheCambia) {
    Annunci annunci;
    VistaBarre barre;
    VistaContagiri griglia;
    for (ListaProcessi* lista :
         {static_cast<ListaProcessi*>(&barre), static_cast<ListaProcessi*>(&griglia)}) {
        lista->resize(700, 400);
        lista->impostaProcessi(tre());
        lista->impostaSelezionato(22);
        QAccessibleInterface* i = interfaccia(lista);
        EXPECT_EQ(i->role(), QAccessible::List);
        ASSERT_EQ(i->childCount(), 3);
        QAccessibleInterface* riga = i->child(0);
        EXPECT_EQ(riga->role(), QAccessible::ListItem);
        EXPECT_EQ(riga->text(QAccessible::Name), "cc1plus, CPU 24 %, GPU 0,0 %, 117 MB");
        EXPECT_EQ(riga->text(QAccessible::Description), "pid 11");
        EXPECT_EQ(riga->parent(), i);
        EXPECT_EQ(i->indexOfChild(i->child(2)), 2);
        EXPECT_FALSE(riga->state().selected);
        EXPECT_TRUE(i->child(1)->state().selected) << "the followed process";
        ASSERT_EQ(riga->childCount(), 2);
        QAccessibleInterface* gpu = riga->child(1);
        EXPECT_EQ(gpu->role(), QAccessible::ProgressBar);
        EXPECT_EQ(gpu->text(QAccessible::Name), "cc1plus GPU");
        EXPECT_EQ(gpu->text(QAccessible::Value), "0,0 %");
        EXPECT_EQ(riga->indexOfChild(gpu), 1);
        EXPECT_EQ(i->child(2)->child(0)->valueInterface()->currentValue().toDouble(), 100)
            << "150 %, in range";

        // Only what reads differently is announced: row 3's GPU, not row 1's "24 %" again.
        annunci.voci.clear();
        lista->impostaProcessi(tre());
        EXPECT_TRUE(annunci.voci.empty()) << "the same figures again: nothing to say";
        auto dopo = tre();
        dopo[2].gpu = 40;
        dopo[0].cpu = 24.4;
        lista->impostaProcessi(dopo);
        ASSERT_EQ(annunci.conta(QAccessible::NameChanged), 1);
        EXPECT_EQ(annunci.conta(QAccessible::ValueChanged), 1);
        EXPECT_EQ(annunci.voci.back().nome, "tre GPU");

        // The rows follow the list: a shorter one has fewer, and a row reads its new process.
        dopo.erase(dopo.begin());
        lista->impostaProcessi(dopo);
        EXPECT_EQ(i->childCount(), 2);
        EXPECT_EQ(i->child(2), nullptr);
        EXPECT_EQ(riga->text(QAccessible::Name), "ld\\nlungo, CPU 5,0 %, GPU 13 %, 1,5 GB, ANE");
        EXPECT_EQ(gpu->text(QAccessible::Name), "ld\\nlungo GPU");
        EXPECT_TRUE(riga->state().selected);
    }
}

TEST(Accessibile, TastieraSulleListe) {
    Annunci annunci;
    QWidget finestra;
    auto* lista = new VistaBarre;
    (new QVBoxLayout(&finestra))->addWidget(lista);
    std::vector<std::int32_t> seguiti;
    lista->impostaSeleziona([&](std::int32_t pid) { seguiti.push_back(pid); });
    lista->impostaProcessi(tre());
    finestra.resize(700, 400);
    finestra.show();
    QApplication::setActiveWindow(&finestra);
    EXPECT_EQ(lista->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << "Tab reaches the list";
    lista->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(lista->hasFocus());
    EXPECT_EQ(lista->rigaCorrente(), 0);
    for (int k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Space}) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(lista, &e);
    }
    EXPECT_EQ(lista->rigaCorrente(), 1) << "stopped at the last row, then up one";
    EXPECT_EQ(seguiti, (std::vector<std::int32_t>{22, 22})) << "Return and Space follow the row's process";

    // While the keyboard is on the list the rows keep their order; the focus gone, the order
    // catches up and the keyboard's row moves with its process; its process gone, it stays.
    auto nuovo = tre();
    std::swap(nuovo[0], nuovo[1]);
    lista->impostaProcessi(nuovo);
    EXPECT_EQ(lista->rigaCorrente(), 1);
    lista->clearFocus();
    EXPECT_EQ(lista->rigaCorrente(), 0);
    nuovo.erase(nuovo.begin());
    lista->impostaProcessi(nuovo);
    EXPECT_EQ(lista->rigaCorrente(), 0);
    lista->impostaProcessi(tre());
    lista->setFocus(Qt::TabFocusReason);

    QAccessibleInterface* i = interfaccia(lista);
    EXPECT_EQ(i->focusChild(), i->child(0));
    EXPECT_TRUE(i->child(0)->state().focused);
    int fuochi = 0;
    for (const auto& v : annunci.voci)
        fuochi += v.tipo == QAccessible::Focus && v.oggetto == lista && v.figlio >= 0;
    EXPECT_EQ(fuochi, 6) << "each focus and each key on the rows are announced on the row";
    // A screen reader's press follows the row too.
    i->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(seguiti.back(), 33);
}
