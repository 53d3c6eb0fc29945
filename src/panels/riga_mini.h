// One process of the popover's list: icon, name, memory and a small bar per resource.
#pragma once

#include <QRectF>
#include <QWidget>
#include <cstddef>

#include "platform/abbonamento.h"
#include "sampling/uso.h"

namespace pulsaro {

class CacheIcone;

inline constexpr double larghezzaNomeMini = 92;
inline constexpr double latoIconaMini = 16;

class RigaMini : public QWidget {
public:
    explicit RigaMini(CacheIcone& icone, QWidget* padre = nullptr);

    // Repaints only when the process shown changes; seguito: it is the followed process.
    void imposta(const UsoProcesso& p, bool seguito = false);
    const UsoProcesso& processo() const { return processo_; }
    bool seguito() const { return seguito_; }
    // The keyboard's row of a focused list: outlined.
    void impostaCorrente(bool corrente);
    bool corrente() const { return corrente_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    // Where the name block ends and each resource's small bar lies; the icon, name and memory.
    double fineNome() const;
    QRect testata() const;
    QRectF rettangoloBarra(std::size_t k) const;

    CacheIcone& icone_;
    UsoProcesso processo_;
    bool seguito_ = false;
    bool corrente_ = false;
    Abbonamento arrivate_;  // icons read after the first paint
};

}  // namespace pulsaro
