// The normal build's stand-in for libFuzzer: runs every file of the given folders (or the given
// files) through the target once, so the seeds and every crash input found stay regression tests.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> file;
    for (int i = 1; i < argc; ++i) {
        const fs::path p = argv[i];
        if (fs::is_directory(p)) {
            for (const auto& e : fs::directory_iterator(p))
                if (e.is_regular_file()) file.push_back(e.path());
        } else if (fs::is_regular_file(p)) {
            file.push_back(p);
        } else {
            std::cerr << "non trovato: " << p << '\n';
            return 2;
        }
    }
    if (file.empty()) {
        std::cerr << "nessun ingresso\n";
        return 2;
    }
    for (const auto& f : file) {
        std::ifstream in(f, std::ios::binary);
        const std::vector<char> dati{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(dati.data()), dati.size());
    }
    std::cout << file.size() << " ingressi eseguiti\n";
    return 0;
}
