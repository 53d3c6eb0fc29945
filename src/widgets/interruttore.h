// The settings' on/off switch: its label at the leading edge, a small drawn toggle at the
// trailing edge, the whole row clickable, as in the system's own settings.
#pragma once

#include <QAbstractButton>

namespace pulsaro {

class Interruttore : public QAbstractButton {
    Q_OBJECT
public:
    explicit Interruttore(const QString& testo, QWidget* padre = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The toggle's rectangle inside the row.
    QRectF levetta() const;

    static constexpr double larghezzaLevetta = 32;
    static constexpr double altezzaLevetta = 18;

protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& punto) const override { return rect().contains(punto); }
};

}  // namespace pulsaro
