#include "widgets/elementi_pannello.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVariantAnimation>
#include <cmath>
#include <numbers>

#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/testi_statici.h"

namespace pulsaro {

QEasingCurve curvaEaseInOut() {
    QEasingCurve c(QEasingCurve::BezierSpline);
    c.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    return c;
}

QFont carattereTitolo2() {
    return carattere(17, QFont::Bold);
}
QFont carattereTitolo3() {
    return carattere(15, QFont::Bold);
}
QFont carattereTitoletto() {
    return carattere(13, QFont::DemiBold);
}

ColoreTema colorePrimario() {
    return [](Aspetto a) { return Tema::testoPrimario(a); };
}
ColoreTema coloreSecondario() {
    return [](Aspetto a) { return Tema::testoSecondario(a); };
}

namespace {
bool cambioAspetto(const QEvent* e) {
    return e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange;
}
}  // namespace

// --- Testo --------------------------------------------------------------------------------

Testo::Testo(const QString& testo, const QFont& font, ColoreTema colore, QWidget* padre)
    : QWidget(padre), testo_(testo), colore_(std::move(colore)) {
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(testo);
}

void Testo::setTesto(const QString& testo) {
    if (testo == testo_) return;
    const bool larghezza = misura(testo).width() != misura(testo_).width();
    testo_ = testo;
    setAccessibleName(testo);
    if (larghezza) updateGeometry();
    update();
}

void Testo::setAllineamento(Qt::Alignment a) {
    allineamento_ = a;
    update();
}

void Testo::setCifreFisse(bool fisse) {
    if (fisse == cifreFisse_) return;
    cifreFisse_ = fisse;
    updateGeometry();
    update();
}

QSizeF Testo::misura(const QString& testo) const {
    return cifreFisse_ ? misuraCifre(testo, font()) : misuraTesto(testo, font());
}

double Testo::larghezzaSimbolo() const {
    return simbolo_ ? std::ceil(misuraTesto(QStringLiteral("M"), font()).height()) + 4 : 0;
}

QSize Testo::sizeHint() const {
    const QSizeF m = misura(testo_);
    return {static_cast<int>(std::ceil(m.width() + larghezzaSimbolo())),
            static_cast<int>(std::ceil(m.height()))};
}

QSize Testo::minimumSizeHint() const {
    return {static_cast<int>(larghezzaSimbolo()) + 12, sizeHint().height()};
}

void Testo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Aspetto a = Tema::aspetto();
    const QRectF r = contentsRect();
    const double ws = larghezzaSimbolo();
    const double disponibile = std::max(0.0, r.width() - ws);
    const QString t = cifreFisse_ ? testoCifreTagliato(testo_, font(), disponibile + 0.5)
                                  : testoTagliato(testo_, font(), disponibile + 0.5);
    const QSizeF m = misura(t);
    double x = r.left();
    if (allineamento_ & Qt::AlignRight) x = r.right() - m.width() - ws;
    if (allineamento_ & Qt::AlignHCenter) x = r.left() + (r.width() - m.width() - ws) / 2;
    const double y = r.top() + (r.height() - m.height()) / 2;
    const QColor c = colore_(a);
    if (simbolo_) {
        const double lato = ws - 4;
        disegnaSimbolo(p, *simbolo_, QRectF(x, y + (m.height() - lato) / 2, lato, lato), c);
        x += ws;
    }
    p.setPen(c);
    if (cifreFisse_)
        disegnaCifre(p, QPointF(x, y), t, font());
    else
        disegnaTesto(p, QPointF(x, y), t, font());
}

void Testo::changeEvent(QEvent* e) {
    if (cambioAspetto(e)) update();
    if (e->type() == QEvent::FontChange) updateGeometry();
    QWidget::changeEvent(e);
}

// --- TestoACapo ---------------------------------------------------------------------------

TestoACapo::TestoACapo(const QString& testo, const QFont& font, ColoreTema colore, QWidget* padre)
    : QLabel(padre), colore_(std::move(colore)) {
    setTextFormat(Qt::PlainText);
    setText(testo);
    setWordWrap(true);
    setFont(font);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    applicaColore();
}

void TestoACapo::applicaColore() {
    applicando_ = true;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colore_(Tema::aspetto()));
    setPalette(p);
    applicando_ = false;
}

void TestoACapo::changeEvent(QEvent* e) {
    if (cambioAspetto(e) && !applicando_) applicaColore();
    QLabel::changeEvent(e);
}

// --- Chevron ------------------------------------------------------------------------------

Chevron::Chevron(double lato, int durataMs, QWidget* padre)
    : QWidget(padre), lato_(lato), rotazione_(new QVariantAnimation(this)) {
    rotazione_->setDuration(durataMs);
    rotazione_->setEasingCurve(curvaEaseInOut());
    connect(rotazione_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        angolo_ = v.toDouble();
        update();
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Chevron::setAperto(bool aperto) {
    const double obiettivo = aperto ? 90 : 0;
    rotazione_->stop();
    if (!isVisible() || angolo_ == obiettivo) {
        angolo_ = obiettivo;
        update();
        return;
    }
    rotazione_->setStartValue(angolo_);
    rotazione_->setEndValue(obiettivo);
    rotazione_->start();
}

bool Chevron::inMovimento() const {
    return rotazione_->state() == QAbstractAnimation::Running;
}

QSize Chevron::sizeHint() const {
    const int l = static_cast<int>(std::ceil(lato_));
    return {l, l};
}

void Chevron::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    p.translate(c);
    p.rotate(angolo_);
    p.translate(-c);
    const QRectF r(c.x() - lato_ / 2, c.y() - lato_ / 2, lato_, lato_);
    disegnaSimbolo(p, Simbolo::chevronDestra, r, Tema::orange(Tema::aspetto()));
}

// --- AreaCliccabile -----------------------------------------------------------------------

AreaCliccabile::AreaCliccabile(std::function<void()> azione, QWidget* padre)
    : QWidget(padre), azione_(std::move(azione)) {
    setFocusPolicy(Qt::TabFocus);
}

void AreaCliccabile::mousePressEvent(QMouseEvent* e) {
    premuto_ = e->button() == Qt::LeftButton;
    e->setAccepted(premuto_);
}

void AreaCliccabile::mouseReleaseEvent(QMouseEvent* e) {
    const bool dentro = premuto_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    premuto_ = false;
    if (dentro && azione_) azione_();
}

void AreaCliccabile::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && azione_) {
        azione_();
        return;
    }
    QWidget::keyPressEvent(e);
}

// --- Rotella ------------------------------------------------------------------------------

Rotella::Rotella(double lato, QWidget* padre) : QWidget(padre), lato_(lato), timer_(new QTimer(this)) {
    timer_->setInterval(83);  // one spoke on, twelve a second
    connect(timer_, &QTimer::timeout, this, [this] {
        passo_ = (passo_ + 1) % 12;
        update();
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

bool Rotella::gira() const {
    return timer_->isActive();
}

QSize Rotella::sizeHint() const {
    const int l = static_cast<int>(std::ceil(lato_));
    return {l, l};
}

void Rotella::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    const double r = lato_ / 2;
    const QColor base = Tema::testoPrimario(Tema::aspetto());
    p.translate(c);
    for (int i = 0; i < 12; ++i) {
        const int eta = (passo_ - i + 12) % 12;  // 0: the spoke just lit
        p.setPen(QPen(conOpacita(base, 0.85 - 0.055 * eta), std::max(1.5, lato_ / 11), Qt::SolidLine,
                      Qt::RoundCap));
        const double ang = i * 30 * std::numbers::pi / 180;
        const QPointF dir(std::sin(ang), -std::cos(ang));
        p.drawLine(dir * r * 0.45, dir * r * 0.9);
    }
}

void Rotella::showEvent(QShowEvent*) {
    timer_->start();
}

void Rotella::hideEvent(QHideEvent*) {
    timer_->stop();
}

// --- Divisore -----------------------------------------------------------------------------

Divisore::Divisore(QWidget* padre) : QWidget(padre) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(1);
}

void Divisore::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), conOpacita(Tema::testoPrimario(Tema::aspetto()), 0.12));
}

// --- dissolvi -----------------------------------------------------------------------------

void dissolvi(QWidget* w, bool mostra, int durataMs, std::function<void()> fatto) {
    auto* vecchia =
        w->findChild<QPropertyAnimation*>(QStringLiteral("dissolvenza"), Qt::FindDirectChildrenOnly);
    double da = mostra ? 0 : 1;
    if (vecchia) {
        if (auto* e = qobject_cast<QGraphicsOpacityEffect*>(w->graphicsEffect())) da = e->opacity();
        vecchia->stop();
        delete vecchia;
    }
    const bool aSchermo = w->window()->isVisible() && (!w->isHidden() || mostra);
    if (!aSchermo) {
        w->setGraphicsEffect(nullptr);
        w->setVisible(mostra);
        if (fatto) fatto();
        return;
    }
    auto* effetto = qobject_cast<QGraphicsOpacityEffect*>(w->graphicsEffect());
    if (!effetto) {
        effetto = new QGraphicsOpacityEffect(w);
        effetto->setOpacity(da);
        w->setGraphicsEffect(effetto);
    }
    if (mostra) w->show();
    auto* animazione = new QPropertyAnimation(effetto, "opacity", w);
    animazione->setObjectName(QStringLiteral("dissolvenza"));
    animazione->setDuration(durataMs);
    animazione->setEasingCurve(curvaEaseInOut());
    animazione->setStartValue(effetto->opacity());
    animazione->setEndValue(mostra ? 1.0 : 0.0);
    QObject::connect(animazione, &QPropertyAnimation::finished, w, [w, mostra, fatto, animazione] {
        animazione->deleteLater();
        w->setGraphicsEffect(nullptr);  // settled: no effect left to pay for
        if (!mostra) w->hide();
        if (fatto) fatto();
    });
    animazione->start();
}

}  // namespace pulsaro
