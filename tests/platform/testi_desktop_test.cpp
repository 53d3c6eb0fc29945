#include "platform/testi_desktop.h"

#include <gtest/gtest.h>

#include <string>

namespace pulsaro {
namespace {

TEST(TestiDesktop, OgniSistemaHaLeSueParole) {
    const auto mac = [](TestoDesktop t) { return std::string(testoDesktop(t, FormaTesti::mac)); };
    const auto gnu = [](TestoDesktop t) { return std::string(testoDesktop(t, FormaTesti::gnuLinux)); };
    EXPECT_EQ(mac(TestoDesktop::avvioAccesso), "Apri Pulsaro all'accesso al Mac");
    EXPECT_EQ(
        mac(TestoDesktop::chiusura),
        "Chiudendo l'app dal Dock o con ⌘Q l'icona resta attiva. Per chiuderla del tutto usa «Esci» dal "
        "pannellino o dal menu contestuale.");
    EXPECT_EQ(mac(TestoDesktop::daApprovare), "Da approvare in Impostazioni di Sistema › Elementi login.");
    EXPECT_EQ(mac(TestoDesktop::aiutoCapacita),
              "Clic su un processo per ingrandirlo in alto. Valori in % della capacità totale del Mac (");
    EXPECT_EQ(mac(TestoDesktop::piedeStato),
              "Spunta: Pulsaro legge questi dati. Poi i core del Mac (del Neural Engine macOS non dice il "
              "numero) e quanto sono usati adesso: per la CPU i core impegnati sopra il 50% (P ad alte "
              "prestazioni, E a basso consumo).");

    EXPECT_EQ(gnu(TestoDesktop::avvioAccesso), "Apri Pulsaro all'accesso al computer");
    EXPECT_EQ(
        gnu(TestoDesktop::chiusura),
        "Chiudendo le finestre o con Ctrl+Q l'icona resta attiva. Per chiuderla del tutto usa «Esci» dal "
        "pannellino o dal menu contestuale.");
    EXPECT_EQ(gnu(TestoDesktop::daApprovare), "") << "nothing waits for approval there";
    EXPECT_EQ(
        gnu(TestoDesktop::aiutoCapacita),
        "Clic su un processo per ingrandirlo in alto. Valori in % della capacità totale del computer (");
    EXPECT_EQ(gnu(TestoDesktop::piedeStato),
              "Spunta: Pulsaro legge questi dati. Poi i core del computer (di una NPU Linux non dice il "
              "numero) e quanto sono usati adesso: per la CPU i core impegnati sopra il 50% (P ad alte "
              "prestazioni, E a basso consumo).");
}

}  // namespace
}  // namespace pulsaro
