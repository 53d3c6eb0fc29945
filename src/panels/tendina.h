// A pop-up choice drawn like the segmented picker beside it: its font, its height, its rounded
// fill, and a small chevron; the list that opens is the toolkit's.
#pragma once

#include <QComboBox>

namespace pulsaro {

class Tendina : public QComboBox {
public:
    explicit Tendina(QWidget* padre = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
};

}  // namespace pulsaro
