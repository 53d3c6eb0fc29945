// For measurements: counts the frames the windows paint and the area they repaint, and keeps the
// totals in a small text file ("fotogrammi N", "pixel N": device pixels), rewritten at most once a
// second while frames are painted.
#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QRegion>
#include <QString>

class QWidget;

namespace pulsaro {

class ContaFotogrammi : public QObject {
public:
    // An empty file name counts without writing (tests).
    explicit ContaFotogrammi(QString file, QObject* padre = nullptr);
    ~ContaFotogrammi() override;

    long fotogrammi() const { return fotogrammi_; }
    double pixel() const { return pixel_; }
    // Closes the frames painted so far (the next update request would).
    void chiudi();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void scrivi();

    QString file_;
    QFile aperto_;
    // What each window painted since its last update request, and its pixel ratio then: a window
    // may be gone by the time its frame is closed.
    struct Frame {
        QRegion regione;
        double scala = 1;
    };
    QHash<const QWidget*, Frame> frame_;
    long fotogrammi_ = 0;
    double pixel_ = 0;
    QElapsedTimer scritto_;
};

}  // namespace pulsaro
