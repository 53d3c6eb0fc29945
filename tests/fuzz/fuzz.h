// What every fuzz target shares: the input as text, pieces of it, a folder to write it into, and
// a check that stops the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// The entry point libFuzzer (or the corpus runner of the normal build) calls once per input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n);

namespace pulsaro::fuzz {

inline std::string_view testo(const std::uint8_t* dati, std::size_t n) {
    return {reinterpret_cast<const char*>(dati), n};
}

// The input cut at every NUL byte: one piece per argument, field or value.
inline std::vector<std::string> pezzi(std::string_view t) {
    std::vector<std::string> out;
    std::size_t inizio = 0;
    while (inizio <= t.size()) {
        auto fine = t.find('\0', inizio);
        if (fine == std::string_view::npos) fine = t.size();
        out.emplace_back(t.substr(inizio, fine - inizio));
        inizio = fine + 1;
    }
    return out;
}

// A broken property counts as a crash: the fuzzer keeps the input that broke it.
inline void verifica(bool vero, const char* cosa) {
    if (vero) return;
    std::fprintf(stderr, "proprietà violata: %s\n", cosa);
    std::abort();
}

// A folder of the run's own with a proc/ inside (a fake root for the /proc readers), removed at exit.
struct Cartella {
    const std::string radice =
        std::filesystem::temp_directory_path() / ("pulsaro-fuzz-" + std::to_string(std::random_device()()));
    Cartella() {
        verifica(std::filesystem::create_directory(radice),
                 "una cartella nuova, mai una fatta prima da altri");
        std::filesystem::create_directory(radice + "/proc");
    }
    ~Cartella() {
        std::error_code e;
        std::filesystem::remove_all(radice, e);
    }
    std::string scrivi(const std::string& relativo, std::string_view t) const {
        std::ofstream(radice + "/" + relativo, std::ios::binary)
            .write(t.data(), static_cast<std::streamsize>(t.size()));
        return radice + "/" + relativo;
    }
};

}  // namespace pulsaro::fuzz
