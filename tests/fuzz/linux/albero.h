// A fake root folder for the /proc readers: the input becomes one file under it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace pulsaro::fuzz {

class Albero {
public:
    Albero() {
        std::string modello = (std::filesystem::temp_directory_path() / "pulsaro-fuzz-XXXXXX").string();
        radice_ = ::mkdtemp(modello.data()) ? modello : std::string();
        std::filesystem::create_directories(radice_ + "/proc");
    }
    ~Albero() {
        std::error_code e;
        std::filesystem::remove_all(radice_, e);
    }
    Albero(const Albero&) = delete;
    Albero& operator=(const Albero&) = delete;

    void scrivi(const std::string& relativo, std::string_view testo) const {
        if (std::FILE* f = std::fopen((radice_ + "/" + relativo).c_str(), "wb")) {
            std::fwrite(testo.data(), 1, testo.size(), f);
            std::fclose(f);
        }
    }
    const std::string& radice() const { return radice_; }

private:
    std::string radice_;
};

}  // namespace pulsaro::fuzz
