// The small pieces the two panels are built of: plain-text labels in theme colours, the turning
// chevron, a click area, the spinner, the divider, fading, and the text styles the panels add.
#pragma once

#include <QEasingCurve>
#include <QFont>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <optional>

#include "widgets/simboli.h"
#include "widgets/tema.h"

class QTimer;
class QVariantAnimation;

namespace pulsaro {

// The toolkit's ease-in-out: a cubic Bézier through (0.42, 0) and (0.58, 1).
QEasingCurve curvaEaseInOut();

// Text styles beyond those of the widgets, in logical pixels.
QFont carattereTitolo2();    // 17, bold
QFont carattereTitolo3();    // 15, bold
QFont carattereTitoletto();  // headline: 13, semibold

using ColoreTema = std::function<QColor(Aspetto)>;
ColoreTema colorePrimario();
ColoreTema coloreSecondario();

// One line of plain text (never markup), cut with "…" when narrower than its text, optionally
// after a symbol. Repaints only when its text changes.
class Testo : public QWidget {
public:
    Testo(const QString& testo, const QFont& font, ColoreTema colore, QWidget* padre = nullptr);

    void setTesto(const QString& testo);
    const QString& testo() const { return testo_; }
    void setAllineamento(Qt::Alignment a);
    // Every digit in one cell, so a changing figure keeps its place.
    void setCifreFisse(bool fisse);
    void setSimbolo(std::optional<Simbolo> s) {
        simbolo_ = s;
        updateGeometry();
        update();
    }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    double larghezzaSimbolo() const;
    QSizeF misura(const QString& testo) const;

    QString testo_;
    ColoreTema colore_;
    Qt::Alignment allineamento_ = Qt::AlignLeft | Qt::AlignVCenter;
    std::optional<Simbolo> simbolo_;
    bool cifreFisse_ = false;
};

// Wrapped plain text in a theme colour.
class TestoACapo : public QLabel {
public:
    TestoACapo(const QString& testo, const QFont& font, ColoreTema colore, QWidget* padre = nullptr);

protected:
    void changeEvent(QEvent* e) override;

private:
    void applicaColore();
    ColoreTema colore_;
    bool applicando_ = false;
};

// The "chevron.right" symbol in Tema.orange, turned a quarter clockwise while open.
class Chevron : public QWidget {
public:
    Chevron(double lato, int durataMs, QWidget* padre = nullptr);

    // Turns over the duration while on screen, at once otherwise.
    void setAperto(bool aperto);
    double angolo() const { return angolo_; }
    bool inMovimento() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double lato_;
    double angolo_ = 0;
    QVariantAnimation* rotazione_;
};

// A plain button: everything inside it is its hit area; a left click released inside calls azione.
class AreaCliccabile : public QWidget {
public:
    explicit AreaCliccabile(std::function<void()> azione, QWidget* padre = nullptr);
    void setAzione(std::function<void()> azione) { azione_ = std::move(azione); }
    // What a click does, for the keyboard and a screen reader's press.
    void premi() {
        if (azione_) azione_();
    }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::function<void()> azione_;
    bool premuto_ = false;
};

// The indeterminate progress spinner: twelve spokes turning while it is on screen.
class Rotella : public QWidget {
public:
    explicit Rotella(double lato, QWidget* padre = nullptr);
    bool gira() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    double lato_;
    int passo_ = 0;
    QTimer* timer_;
};

// A horizontal separator line.
class Divisore : public QWidget {
public:
    explicit Divisore(QWidget* padre = nullptr);
    QSize sizeHint() const override { return {10, 1}; }

protected:
    void paintEvent(QPaintEvent*) override;
};

// Shows or hides w, fading over durataMs while its window is on screen; `fatto` runs once the
// widget has its final visibility. The fading effect is removed when settled.
void dissolvi(QWidget* w, bool mostra, int durataMs, std::function<void()> fatto = {});

}  // namespace pulsaro
