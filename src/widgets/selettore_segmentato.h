// A segmented picker: one segment per choice, the chosen one raised.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

namespace pulsaro {

class SelettoreSegmentato : public QWidget {
public:
    SelettoreSegmentato(const QStringList& voci, QWidget* padre = nullptr);

    int scelta() const { return scelta_; }
    void setScelta(int i);
    // Called when the user picks another segment.
    void setCambiata(std::function<void(int)> f) { cambiata_ = std::move(f); }
    QRectF segmento(int i) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QStringList voci_;
    int scelta_ = 0;
    std::function<void(int)> cambiata_;
};

}  // namespace pulsaro
