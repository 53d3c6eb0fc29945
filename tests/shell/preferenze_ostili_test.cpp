// Every stored preference read from the same hostile files by the two sides that act on it: what
// the controller pushes into the engine and what the settings window shows must agree with the
// table's one reading, key by key.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>

#include "banco_finestre.h"
#include "barra/riquadro_barra.h"
#include "impostazioni/impostazioni.h"
#include "panels/pannello.h"
#include "platform/qt/preferenze_qt.h"
#include "platform/tabella_preferenze.h"
#include "widgets/pozzetto_colore.h"

using namespace pulsaro;
namespace TP = pulsaro::TabellaPreferenze;
namespace RB = pulsaro::RiquadroBarra;

namespace {

struct LoginFermo : ElementoLogin {
    StatoLogin stato() override { return StatoLogin::nonRegistrato; }
    std::optional<std::string> registra() override { return std::nullopt; }
    std::optional<std::string> annulla() override { return std::nullopt; }
    void apriImpostazioniSistema() override {}
};

// Each file gives every key one kind of bad value; the last one a value per key that only a
// careless reading gets wrong.
const char* const fileOstili[] = {
    // Garbage.
    "[General]\nnumeroPannelli=molti\nbarraMenu=forse\nmenuContestuale=@ByteArray(\\0)\n"
    "iconaStato=\niconaRiquadro=@Variant(\\0\\0\\0\\x7f)\ncoloreRiquadro=#zz11gg\n"
    "riquadro_mem=,\nriquadro_core=1e999\nvista=contagiri\nlistaAperta=nan\n",
    // Wrong types.
    "[General]\nnumeroPannelli=true\nbarraMenu=0\nmenuContestuale=12\niconaStato=1.5\niconaRiquadro=1\n"
    "coloreRiquadro=123\nriquadro_cpu=12\nriquadro_n=\"false\"\nvista=2\nminiListaAperta=3\n",
    // Out of range.
    "[General]\nnumeroPannelli=9223372036854775808\ncoloreRiquadro=1122334\nvista=Barre, Contagiri\n",
    "[General]\nnumeroPannelli=-40\n",
    "[General]\nnumeroPannelli=100\niconaRiquadro=true\ncoloreRiquadro= #a0b1c2 \n",
    // Off the stepper's steps, and every boolean turned from its default.
    "[General]\nnumeroPannelli=8\nbarraMenu=false\nmenuContestuale=false\niconaStato=false\n"
    "iconaRiquadro=true\nriquadro_mem=false\nriquadro_cpu=false\nriquadro_core=true\nriquadro_gpu=false\n"
    "riquadro_n=false\nvista=Contagiri\nlistaAperta=false\n",
};

}  // namespace

TEST(PreferenzeOstili, MotoreEImpostazioniLeggonoLoStessoValore) {
    QTemporaryDir cartella;
    int caso = 0;
    for (const char* contenuto : fileOstili) {
        SCOPED_TRACE(contenuto);
        QFile f(cartella.filePath(QStringLiteral("caso%1.conf").arg(++caso)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(contenuto) > 0);
        f.close();
        PreferenzeQt preferenze(f.fileName());
        prova::SondeFinte sonde;
        CodaManuale coda;
        prova::DesktopFinto desktop;
        ComponentiFinestre c;
        c.sonde = &sonde;
        c.coda = &coda;
        c.principale = [](std::function<void()> f) { f(); };
        c.preferenze = &preferenze;
        c.desktop = &desktop;
        Finestre finestre(std::move(c));
        LoginFermo login;
        Impostazioni vista(finestre.monitor(), preferenze, login);
        Pannello pannello(finestre.monitor(), preferenze);
        const auto trova = [&vista](const QString& nome) { return vista.findChild<QWidget*>(nome); };
        const auto acceso = [&](const std::string& nome) {
            auto* b = qobject_cast<QAbstractButton*>(trova(QString::fromStdString(nome)));
            return b && b->isChecked();
        };

        const auto numero = TP::numeroPannelli.leggi(preferenze);
        EXPECT_GE(numero, TP::numeroPannelli.minimo);
        EXPECT_LE(numero, TP::numeroPannelli.massimo);
        EXPECT_EQ(finestre.monitor().numeroProcessi(), numero) << "what the engine keeps";
        EXPECT_EQ(qobject_cast<QSpinBox*>(trova(QStringLiteral("processiMostrati")))->value(), numero)
            << "what the stepper shows";
        for (const auto& k : {TP::barraMenu, TP::menuContestuale, TP::iconaStato})
            EXPECT_EQ(acceso(k.chiave), k.leggi(preferenze)) << k.chiave;
        EXPECT_EQ(RB::attivo(preferenze), TP::iconaRiquadro.leggi(preferenze));
        EXPECT_EQ(qobject_cast<QComboBox*>(trova(QStringLiteral("nellaBarra")))->currentIndex(),
                  TP::iconaRiquadro.leggi(preferenze) ? 1 : 0);
        const QColor sfondo = *RB::colore(TP::coloreRiquadro.leggi(preferenze));
        EXPECT_EQ(RB::sfondo(preferenze), sfondo);
        EXPECT_EQ(qobject_cast<PozzettoColore*>(trova(QStringLiteral("colore")))->colore(), sfondo);
        for (RB::Voce v : RB::voci) {
            const auto& k = TP::vociRiquadro[static_cast<std::size_t>(v)];
            EXPECT_EQ(RB::mostra(preferenze, v), k.leggi(preferenze)) << k.chiave;
            EXPECT_EQ(acceso("mostra_" + std::string(RB::id(v))), k.leggi(preferenze)) << k.chiave;
        }
        EXPECT_EQ(pannello.vista(), tutteLeViste[TP::vista.leggi(preferenze)]);
    }
}
