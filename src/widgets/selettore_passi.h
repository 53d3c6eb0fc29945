// A number stepper that only takes the values of its steps: a typed value snaps to the nearest.
#pragma once

#include <QSpinBox>

namespace pulsaro {

class SelettorePassi : public QSpinBox {
    Q_OBJECT
public:
    SelettorePassi(int minimo, int massimo, int passo, QWidget* padre = nullptr);

    // The allowed value nearest to v: a step from the minimum, within the range.
    int vicino(long long v) const;

protected:
    int valueFromText(const QString& testo) const override;
    QValidator::State validate(QString& testo, int& pos) const override;
    void fixup(QString& testo) const override;
};

}  // namespace pulsaro
