// The gallery: every drawing of the interface rendered to a PNG, to be looked at.
// Each file registers its pictures with GALLERIA(name) { return image; }.
#pragma once

#include <QImage>
#include <functional>
#include <string>

namespace galleria {

using Disegno = std::function<QImage()>;

int registra(const std::string& nome, Disegno disegno);

}  // namespace galleria

#define GALLERIA_CONCAT2(a, b) a##b
#define GALLERIA_CONCAT(a, b) GALLERIA_CONCAT2(a, b)
#define GALLERIA(nome)                                                            \
    static QImage GALLERIA_CONCAT(galleria_disegno_, __LINE__)();                 \
    [[maybe_unused]] static const int GALLERIA_CONCAT(galleria_voce_, __LINE__) = \
        galleria::registra(nome, &GALLERIA_CONCAT(galleria_disegno_, __LINE__));  \
    static QImage GALLERIA_CONCAT(galleria_disegno_, __LINE__)()
