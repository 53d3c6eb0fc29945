// The Neural Engine chip: a microchip drawing that lights up green while the engine is on.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <map>
#include <tuple>

#include "widgets/tema.h"

class QVariantAnimation;

namespace pulsaro {

inline constexpr int durataChipMs = 350;

// The images a chip is copied from: the glow at full strength, and the whole chip off or fully
// lit, per size, place on the pixel grid, look and label. Owned by what repaints the chip.
struct ImmaginiChip {
    static constexpr std::size_t massimo = 8;  // of each kind; one more empties that kind
    std::map<std::tuple<long, long, long, long, QRgb>, QImage> bagliori;
    std::map<std::tuple<long, long, long, long, int, bool, QString, QString>, QImage> fermi;
};

// Paints the chip in `cornice`; luce goes from 0 (off) to 1 (on) and blends every colour.
void disegnaChipANE(QPainter& p, const QRectF& cornice, double luce, const QString& etichetta, Aspetto a,
                    ImmaginiChip& immagini);

class ChipANE : public QWidget {
public:
    explicit ChipANE(QWidget* padre = nullptr);
    ChipANE(bool acceso, const QString& etichetta = QStringLiteral("ANE"), QWidget* padre = nullptr);

    // Switching `acceso` fades the colours and the glow over 0.35 s while the chip is on screen.
    void setAcceso(bool acceso);
    void setEtichetta(const QString& etichetta);
    bool acceso() const { return acceso_; }
    const QString& etichetta() const { return etichetta_; }
    double luce() const { return luce_; }

    QSize sizeHint() const override { return {170, 150}; }
    QSize minimumSizeHint() const override { return {20, 20}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    bool acceso_ = false;
    QString etichetta_ = QStringLiteral("ANE");
    double luce_ = 0;
    ImmaginiChip immagini_;
    QVariantAnimation* dissolvenza_;
};

}  // namespace pulsaro
