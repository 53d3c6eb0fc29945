// A window of the application around one content: its title, the application commands, and
// released with its content once closed, so that the next opening makes a new one.
#pragma once

#include <QAction>
#include <QList>
#include <QTimer>
#include <QWidget>

class QCloseEvent;
class QShowEvent;

namespace pulsaro {

class OspiteFinestra : public QWidget {
    Q_OBJECT
public:
    OspiteFinestra(const QString& titolo, const QString& nome, Qt::WindowFlags tipo, QList<QAction*> comandi);

    // Takes the content, edge to edge.
    void impostaContenuto(QWidget* contenuto);
    // In front and active, restored if minimised.
    void portaAvanti();

signals:
    // The close went through (the content did not refuse it); the window is deleted next.
    void chiusa();
    // After each show, once the window manager's frame is known: the time to fit the window,
    // title bar included, on its screen. The frame comes after the window maps, and when the
    // window stays where it was nothing else tells.
    void corniceNota();

protected:
    void closeEvent(QCloseEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    QTimer attesaCornice_;
    int tentativi_ = 0;
};

}  // namespace pulsaro
