#include "shell/terminale.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using namespace pulsaro;

TEST(Terminale, Opzioni) {
    auto o = leggiOpzioni({"--terminale", "--campioni", "3", "--intervallo", "0.5", "--json"});
    EXPECT_TRUE(o.errore.empty());
    EXPECT_TRUE(o.terminale);
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.campioni, 3);
    EXPECT_DOUBLE_EQ(*o.intervallo, 0.5);

    EXPECT_TRUE(leggiOpzioni({"--help"}).aiuto);
    EXPECT_TRUE(leggiOpzioni({}).errore.empty());
    // Wrong values are refused with a message, never half-read.
    for (auto args : std::vector<std::vector<std::string>>{{"--campioni"},
                                                           {"--campioni", "0"},
                                                           {"--campioni", "3x"},
                                                           {"--campioni", "-2"},
                                                           {"--intervallo", "0"},
                                                           {"--intervallo", "nan"},
                                                           {"--intervallo", "abc"},
                                                           {"--boh"}})
        EXPECT_FALSE(leggiOpzioni(args).errore.empty()) << args[0];
    EXPECT_NE(testoAiuto().find("--campioni"), std::string::npos);
}

TEST(Terminale, RigheDiTestoEJson) {
    Campione c;
    c.riepilogo.memoria = 62.4;
    c.totale.cpu = 23.25;
    c.totale.core = {3, 2};
    c.totale.gpu = 5;
    c.totale.aneApp = {"Foto"};
    c.stato = {true, false, false};
    c.core = "5/10 core (P 3 \u00B7 E 2)";
    // Names are outside text: quotes, control characters and broken UTF-8 must stay data.
    c.processi = {{42, "a\"b\\c\n\x01", 12.5, 0, 0, true, 52428800}, {7, "bad\xff", 0, 0, 0, false, 0}};

    const std::string t = rigaTesto(c);
    for (const char* pezzo : {"Mem 62%", "CPU 23.2%", "Core 5/10 core (P 3 \u00B7 E 2)", "GPU n/d",
                              "GPU e Neural Engine non disponibili", "50 MB", "pid 42"})
        EXPECT_NE(t.find(pezzo), std::string::npos) << pezzo;

    const std::string j = rigaJson(c);
    EXPECT_EQ(j.find('\n'), std::string::npos) << "one object per line";
    auto v = nlohmann::json::parse(j);
    EXPECT_DOUBLE_EQ(v["memoria"].get<double>(), 62.4);
    EXPECT_EQ(v["core"]["p"], 3);
    EXPECT_EQ(v["stato"]["gpu"], false);
    EXPECT_EQ(v["stato"]["testo"], "GPU e Neural Engine non disponibili");
    ASSERT_EQ(v["processi"].size(), 2u);
    EXPECT_EQ(v["processi"][0]["nome"], "a\"b\\c\n\x01");
    EXPECT_EQ(v["processi"][0]["usaANE"], true);
    EXPECT_EQ(v["processi"][1]["nome"], "bad\xEF\xBF\xBD");
    EXPECT_EQ(v["aneApp"][0], "Foto");
}
