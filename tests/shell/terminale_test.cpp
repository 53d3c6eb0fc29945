// What a start runs, the terminal mode's options and its lines.
#include "shell/terminale.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <streambuf>

#include "shell/avvio.h"

using namespace pulsaro;

TEST(Avvio, ModoDaArgomentiESchermoELAiuto) {
    EXPECT_EQ(modoAvvio({}, true), Modo::applicazione);
    EXPECT_EQ(modoAvvio({"-pannellino", "--da-login"}, true), Modo::applicazione);
    // Whatever else the system or Qt adds does not stop the application.
    EXPECT_EQ(modoAvvio({"-psn_0_12345", "-NSDocumentRevisionsDebugMode", "YES", "-style"}, true),
              Modo::applicazione);
    EXPECT_EQ(modoAvvio({"--terminale"}, true), Modo::terminale);
    EXPECT_EQ(modoAvvio({}, false), Modo::terminale);
    EXPECT_EQ(modoAvvio({"--terminale", "--help"}, true), Modo::aiuto);
    EXPECT_EQ(modoAvvio({"-h"}, false), Modo::aiuto);
    for (const char* o : {"-pannellino", "--da-login", "--terminale", "--campioni", "--intervallo", "--json",
                          "--help", "--storia", "--silenzioso", "--esporta", "--esporta-processi"})
        EXPECT_NE(testoAiuto().find(o), std::string::npos) << o;
}

TEST(Terminale, Opzioni) {
    auto o = leggiOpzioni({"--terminale", "--campioni", "3", "--intervallo", "0.5", "--json"});
    EXPECT_TRUE(o.errore.empty() && o.terminale && o.json);
    EXPECT_EQ(o.campioni, 3);
    EXPECT_DOUBLE_EQ(*o.intervallo, 0.5);

    EXPECT_TRUE(leggiOpzioni({"--help"}).aiuto);
    EXPECT_TRUE(leggiOpzioni({"--terminale", "--storia"}).storia);
    EXPECT_TRUE(leggiOpzioni({}).errore.empty());
    // Wrong values and options are refused with a message, never half-read; a value is a plain
    // decimal, as in the stored preferences.
    const std::pair<const char*, const char*> sbagliate[] = {
        {"--campioni", nullptr}, {"--campioni", "0"},          {"--campioni", "3x"},
        {"--campioni", "-2"},    {"--campioni", "+3"},         {"--campioni", " 3"},
        {"--campioni", "0x3"},   {"--intervallo", "0"},        {"--intervallo", "nan"},
        {"--intervallo", "abc"}, {"--intervallo", "0x1"},      {"--intervallo", " 1"},
        {"--intervallo", "+1"},  {"--intervallo", "1 "},       {"--intervallo", "inf"},
        {"--boh", nullptr},      {"--esporta", nullptr},       {"--esporta", "0"},
        {"--esporta", "65536"},  {"--esporta", "::1:9"},       {"--esporta", ":9"},
        {"--esporta", "[::1]9"}, {"--esporta-processi", "31"}, {"--esporta-processi", "-1"}};
    for (auto [opzione, valore] : sbagliate) {
        std::vector<std::string> args{opzione};
        if (valore) args.push_back(valore);
        EXPECT_FALSE(leggiOpzioni(args).errore.empty()) << opzione << " " << (valore ? valore : "");
    }
    // Only a port means this machine; an IPv6 address goes in brackets.
    for (auto [scritto, atteso] : {std::pair{"9420", "127.0.0.1:9420"},
                                   {"0.0.0.0:80", "0.0.0.0:80"},
                                   {"[::1]:9", "[::1]:9"},
                                   {"localhost:9", "127.0.0.1:9"}}) {
        auto e = leggiOpzioni({"--esporta", scritto}).esporta.dove;
        EXPECT_EQ(e ? e->testo() : "", atteso) << scritto;
    }
    EXPECT_DOUBLE_EQ(*leggiOpzioni({"--intervallo", "2"}).intervallo, 2.0);
    EXPECT_DOUBLE_EQ(*leggiOpzioni({"--intervallo", "1e0"}).intervallo, 1.0);
}

TEST(Terminale, RigheDiTestoEJson) {
    Campione c;
    c.riepilogo.memoria = 62.4;
    c.totale.cpu = 23.25;
    c.totale.core = {3, 2, 4, 4};
    c.totale.gpu = 5;
    c.totale.aneApp = {"Foto"};
    c.stato = {true, false, false};
    c.core = "5/10 core (P 3 \u00B7 E 2)";
    // Names are outside text: quotes, control characters and broken UTF-8 must stay data.
    c.processi = {{42, "a\"b\\c\n\x01", 12.5, 0, 0, true, 52428800}, {7, "bad\xff", 0, 0, 0, false, 0}};

    const std::string t = rigaTesto(c);
    for (const char* pezzo : {"Mem 62 %  CPU 23 %  P 3  E 2  GPU n/d  GPU W n/d  ANE n/d  ANE W n/d  ",
                              "GPU e Neural Engine non disponibili", "50 MB", "pid 42"})
        EXPECT_NE(t.find(pezzo), std::string::npos) << pezzo;

    const std::string j = rigaJson(c);
    EXPECT_EQ(j.find('\n'), std::string::npos) << "one object per line";
    auto v = nlohmann::json::parse(j);
    EXPECT_DOUBLE_EQ(v["memoria"].get<double>(), 62.4);
    EXPECT_DOUBLE_EQ(v["cpu"].get<double>(), 23.25);
    EXPECT_EQ(v["coreE"], 2);
    // Scripts written for earlier releases read the cores as an object.
    EXPECT_EQ(v["core"]["p"], 3);
    EXPECT_EQ(v["core"]["testo"], c.core);
    EXPECT_EQ(v["stato"]["gpu"], false);
    EXPECT_EQ(v["stato"]["testo"], "GPU e Neural Engine non disponibili");
    ASSERT_EQ(v["processi"].size(), 2u);
    EXPECT_EQ(v["processi"][0]["nome"], "a\"b\\c\n\x01");
    EXPECT_EQ(v["processi"][1]["nome"], "bad\xEF\xBF\xBD");

    // A minute of the history: what was read in it, and its heaviest process as plain text.
    Storia::Minuto m;
    m.figure[static_cast<std::size_t>(Figura::cpu)] = {3, 12, 94, 40};
    m.pesante = Storia::Pesante{42, 38, {'a', '\n', 'b'}};
    const std::string minuto = rigaStoria(m, 1796688720, false);
    for (const char* pezzo : {"CPU 12 % (3 % \u2013 94 %)", "pi\u00F9 pesante: a\\nb (pid 42, CPU 38.0%)"})
        EXPECT_NE(minuto.find(pezzo), std::string::npos) << minuto;
    EXPECT_EQ(minuto.find("Mem"), std::string::npos) << "a figure not read in the minute is left out";
    auto jm = nlohmann::json::parse(rigaStoria(m, 1796688720, true));
    EXPECT_EQ(jm["secondi"], 1796688720);
    EXPECT_EQ(jm["cpu"]["massimo"], 94);
    EXPECT_FALSE(jm.contains("memoria"));
    EXPECT_EQ(jm["pesante"]["nome"], "a\nb");

    // A machine without an NPU: no fault, one quiet word.
    c.stato = {true, true, false, false, true};
    EXPECT_NE(rigaTesto(c).find("Tutto funziona \u00B7 Nessuna NPU rilevata"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(rigaJson(c))["stato"]["aneAssente"], true);
}

TEST(Terminale, NomiMostratiInModoSicuroEAllineati) {
    Campione c;
    c.processi = {
        {1, "ab\ncd\x1b[31m\t\x7f\u009b", 0, 0, 0, false, 0},
        {2, "caff\u00e8 \u00e8 perch\u00e9 citt\u00e0 \u00e0 \u00f2 \u00f9 lungo lungo", 0, 0, 0, false, 0},
        {3,
         "\u65e5\u672c\u8a9e\u306e\u30d7\u30ed\u30bb\u30b9\u540d\u524d\u304c\u3068\u3066\u3082\u9577\u3044",
         0, 0, 0, false, 0},
        {4, "bad\xff\xfe", 0, 0, 0, false, 0},
        {5, "e\u0301", 0, 0, 0, false, 0},
        // Names that would print as a blank column.
        {6, "", 0, 0, 0, false, 0},
        {7, "\u200b\u200b", 0, 0, 0, false, 0},
        {8, "\u0301\ufe0f", 0, 0, 0, false, 0},
        {9, "\uffa0\u3164", 0, 0, 0, false, 0}};
    std::vector<std::string> righe;  // the process lines, after the totals line
    std::istringstream in(rigaTesto(c));
    for (std::string riga; std::getline(in, riga);) righe.push_back(riga);
    righe.erase(righe.begin());
    ASSERT_EQ(righe.size(), 9u) << "a newline in a name must not split its record";
    // Each name in a column of 28 display columns, "CPU" after it on every row: escaped, cut before
    // a character that would not fit, "(pid N)" when nothing would show; then the blanks.
    const std::pair<const char*, int> colonne[] = {
        {"ab\\ncd\\x1b[31m\\t\\x7f\\u009b", 2},
        {"caff\u00e8 \u00e8 perch\u00e9 citt\u00e0 \u00e0 \u00f2 \u00f9 l", 0},
        {"\u65e5\u672c\u8a9e\u306e\u30d7\u30ed\u30bb\u30b9\u540d\u524d\u304c\u3068\u3066\u3082", 0},
        {"bad\ufffd\ufffd", 23},
        {"e\u0301", 27},
        {"(pid 6)", 21},
        {"\\u200b\\u200b", 16},
        {"(pid 8)", 21},
        {"(pid 9)", 21}};
    for (std::size_t i = 0; i < righe.size(); ++i)
        EXPECT_EQ(
            righe[i].substr(0, righe[i].find(" CPU ")),
            "   " + std::to_string(i + 1) + "  " + colonne[i].first + std::string(colonne[i].second, ' '));
}

namespace {

// An output that fails every write, as a full disk or a closed descriptor does.
struct UscitaGuasta : std::streambuf {
    int scritture = 0;
    int_type overflow(int_type) override {
        ++scritture;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override {
        ++scritture;
        return 0;
    }
};

}  // namespace

TEST(Terminale, UnaScritturaFallitaFermaLaCorsa) {
    UscitaGuasta guasta;
    std::ostream out(&guasta);
    std::ostringstream errori;
    EXPECT_NE(
        eseguiTerminale(leggiOpzioni({"--terminale", "--campioni", "3", "--intervallo", "0.1"}), out, errori),
        0);
    EXPECT_EQ(errori.str(), "pulsaro: impossibile scrivere i campioni sull'uscita\n");
    EXPECT_EQ(guasta.scritture, 1) << "no more samples after the first failed write";
}
