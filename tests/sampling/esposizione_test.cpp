// The catalogue of figures, the text a scrape takes away and the choice of its format.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "sampling/catalogo.h"
#include "sampling/esposizione.h"

using namespace pulsaro;

TEST(Esposizione, FormatoDallAccept) {
    const std::pair<const char*, FormatoEsposizione> casi[] = {
        {"", FormatoEsposizione::openMetrics},
        // What Prometheus sends by default, and with the older format preferred.
        {"application/openmetrics-text;version=1.0.0,application/openmetrics-text;version=0.0.1;q=0.75,"
         "text/plain;version=0.0.4;q=0.5,*/*;q=0.1",
         FormatoEsposizione::openMetrics},
        {"text/plain;version=0.0.4;q=1,application/openmetrics-text;version=1.0.0;q=0.5",
         FormatoEsposizione::prometheus},
        {"TEXT/Plain ; Q=0.9", FormatoEsposizione::prometheus},
        {"text/*", FormatoEsposizione::prometheus},
        // A version we do not write, or a weight of 0, does not count.
        {"application/openmetrics-text;version=2.0.0,text/plain;q=0.2", FormatoEsposizione::prometheus},
        {"text/plain;q=0, application/json", FormatoEsposizione::openMetrics},
        {"text/plain;q=0.50,application/openmetrics-text;q=0.5", FormatoEsposizione::openMetrics},
        {"text/plain;q=0.501,application/openmetrics-text;q=0.5", FormatoEsposizione::prometheus},
        // Malformed weights and stray separators are no weight, never a crash.
        {"text/plain;q=abc,;;,=,application/openmetrics-text;q=1.5", FormatoEsposizione::openMetrics},
    };
    for (auto [accept, atteso] : casi) EXPECT_EQ(formatoPerAccept(accept), atteso) << accept;
}

TEST(Esposizione, NomiOstiliRestanoDentroLEtichetta) {
    const std::pair<const char*, const char*> casi[] = {
        {"firefox", "firefox"},
        {"a\"b", "a\\\"b"},
        {"a\\b", "a\\\\b"},
        {"due\nrighe", "due\\nrighe"},
        {"\"} 1\n# EOF\nfalso{x=\"", "\\\"} 1\\n# EOF\\nfalso{x=\\\""},
        {"rotto\xff", "rotto\xEF\xBF\xBD"},
        {"caff\u00e8", "caff\u00e8"},
    };
    for (auto [nome, atteso] : casi) EXPECT_EQ(valoreEtichetta(nome), atteso) << nome;

    // In a whole exposition every line is still a comment or one sample.
    LetturaEsportata l;
    for (auto [nome, _] : casi) l.processi.push_back({7, nome, 1, 0, 0, false, 10});
    for (auto f : {FormatoEsposizione::openMetrics, FormatoEsposizione::prometheus}) {
        std::istringstream righe(esposizione(l, f));
        int processi = 0;
        for (std::string riga; std::getline(righe, riga);) {
            ASSERT_TRUE(riga.starts_with("# ") || riga.starts_with("pulsaro_")) << riga;
            if (riga.starts_with("pulsaro_processo_cpu_ratio{")) ++processi;
        }
        EXPECT_EQ(processi, static_cast<int>(std::size(casi)));
    }
}

TEST(Esposizione, CampioniInUnitaDiBase) {
    LetturaEsportata l;
    l.totale = {42.5, {3, 2, 6, 4}, 10, 1.5, 2.25, 0.5, {}};
    l.memoria = 25;
    l.memoriaFisica = 16ull << 30;
    l.stato = {true, false, true};
    l.processi = {{99, "x", 50, 12.5, 0, true, 4096}};
    const std::string om = esposizione(l, FormatoEsposizione::openMetrics);
    const std::string pr = esposizione(l, FormatoEsposizione::prometheus);
    for (const char* riga :
         {"pulsaro_cpu_ratio 0.425\n", "pulsaro_core_impegnati{classe=\"P\"} 3\n",
          "pulsaro_core_impegnati{classe=\"E\"} 2\n", "pulsaro_memoria_usata_ratio 0.25\n",
          "pulsaro_memoria_usata_bytes 4294967296\n", "pulsaro_memoria_fisica_bytes 17179869184\n",
          "pulsaro_neural_engine_attivita_ratio 0.015\n", "pulsaro_neural_engine_potenza_watts 0.5\n",
          "pulsaro_neural_engine_attivo 1\n", "pulsaro_fonte_funziona{fonte=\"gpu\"} 0\n",
          "pulsaro_processo_cpu_ratio{pid=\"99\",nome=\"x\"} 0.5\n",
          "pulsaro_processo_gpu_ratio{pid=\"99\",nome=\"x\"} 0.125\n",
          "pulsaro_processo_residente_bytes{pid=\"99\",nome=\"x\"} 4096\n",
          "pulsaro_processo_client_neural_engine{pid=\"99\",nome=\"x\"} 1\n"}) {
        EXPECT_NE(om.find(riga), std::string::npos) << riga;
        EXPECT_NE(pr.find(riga), std::string::npos) << riga;
    }
    EXPECT_TRUE(om.ends_with("# EOF\n"));
    EXPECT_NE(om.find("# UNIT pulsaro_memoria_usata_bytes bytes\n"), std::string::npos);
    // A source that does not work leaves its figures out rather than report a false 0.
    EXPECT_EQ(om.find("pulsaro_gpu_"), std::string::npos);
    // The older format knows neither units nor an end marker.
    EXPECT_EQ(pr.find("# UNIT"), std::string::npos);
    EXPECT_EQ(pr.find("# EOF"), std::string::npos);
    // No processes asked for: no per-process family at all.
    l.processi.clear();
    EXPECT_EQ(esposizione(l, FormatoEsposizione::openMetrics).find("pulsaro_processo_"), std::string::npos);
}

// Another program reads the table by index, id, JSON key and metric name: each must be unique and
// found again (the busy cores share a metric, told apart by their class).
TEST(Catalogo, VociUniche) {
    std::set<std::string> id, json, metriche;
    for (std::size_t i = 0; i < catalogo.size(); ++i) {
        const VoceCatalogo& v = catalogo[i];
        EXPECT_TRUE(static_cast<std::size_t>(v.figura) == i && voce(v.id) == &v) << v.id;
        EXPECT_TRUE(
            id.insert(v.id).second && json.insert(v.json).second &&
            metriche.insert(std::string(v.metrica) + (v.unita == Unita::core ? v.etichetta : "")).second)
            << v.id;
    }
    EXPECT_EQ(voce("Mem"), nullptr);
}
