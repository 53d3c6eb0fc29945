// One running application per user: the first start listens on a local socket, a later one
// asks it to show its main window and ends.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace pulsaro {

class IstanzaUnica : public QObject {
    Q_OBJECT
public:
    // The socket's path: in the user's runtime folder, else a per-user name in the temporary folder.
    static QString percorsoPredefinito();

    explicit IstanzaUnica(QString percorso = percorsoPredefinito());
    ~IstanzaUnica() override;

    // True when this process is the one that runs: it now listens. False when another one
    // runs and has been asked to reopen. A socket left by a crashed run is taken over.
    bool prendi();

signals:
    // Another start asked this one to show itself.
    void riapertura();

private:
    void leggi();

    QString percorso_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace pulsaro
