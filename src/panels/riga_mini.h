// One process of the popover's list: icon, name, memory and a small bar per resource.
#pragma once

#include <QWidget>

#include "sampling/uso.h"

namespace pulsaro {

class CacheIcone;

inline constexpr double larghezzaNomeMini = 92;
inline constexpr double latoIconaMini = 16;

class RigaMini : public QWidget {
public:
    explicit RigaMini(CacheIcone& icone, QWidget* padre = nullptr);

    // Repaints only when the process shown changes.
    void imposta(const UsoProcesso& p);
    const UsoProcesso& processo() const { return processo_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    CacheIcone& icone_;
    UsoProcesso processo_;
};

}  // namespace pulsaro
