// The normal build's stand-in for libFuzzer: runs every given file through the target once, so
// the seeds and every crash input found stay regression tests.
#include <fstream>
#include <iostream>
#include <iterator>

#include "fuzz/fuzz.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "nessun ingresso\n";
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::cerr << "non trovato: " << argv[i] << '\n';
            return 2;
        }
        const std::string dati{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(dati.data()), dati.size());
    }
    std::cout << argc - 1 << " ingressi eseguiti\n";
    return 0;
}
