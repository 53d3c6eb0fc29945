// A colour well: a swatch of the chosen colour that opens the colour chooser, without opacity.
// The colour is applied as it is chosen; cancelling the chooser puts the earlier one back.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <functional>

namespace pulsaro {

class PozzettoColore : public QAbstractButton {
    Q_OBJECT
public:
    explicit PozzettoColore(const QString& titolo, QWidget* padre = nullptr);

    void setColore(const QColor& c);
    QColor colore() const { return colore_; }

    // The open chooser, if any.
    QColorDialog* scelta() const { return scelta_; }

    QSize sizeHint() const override { return {44, 22}; }

signals:
    // The chooser opened.
    void aperto();
    // A colour chosen in the chooser, as it is chosen.
    void scelto(const QColor& c);
    // The chooser was cancelled: whatever was there before it opened comes back.
    void annullato();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void apri();

    QString titolo_;
    QColor colore_;
    QPointer<QColorDialog> scelta_;
};

}  // namespace pulsaro
