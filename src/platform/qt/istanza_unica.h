// One running application per user: the first start listens on a local socket, a later one
// asks it to show its main window and ends.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;

namespace pulsaro {

// The user id of the process at the other end of a connected local socket; none when the system
// cannot tell.
using UtenteDelPari = std::function<std::optional<long>(qintptr descrittore)>;
UtenteDelPari utenteDelPariDiSistema();

// `percorso` as a folder only this user can enter: made with mode 0700 when missing, its mode
// narrowed when it is this user's own. False (with the reason) when it is someone else's, a
// link or not a folder.
bool cartellaPrivata(const QString& percorso, QString* perche = nullptr);

class IstanzaUnica : public QObject {
    Q_OBJECT
public:
    // The socket's path: in the user's runtime folder, else in a private folder of this user
    // under the temporary folder, never loose in a folder others can write to.
    static QString percorsoPredefinito();
    // Where the socket goes when the folder of the first is refused: anyone can make
    // /tmp/pulsaro-<uid> first, only this user a folder in the user's own cache.
    static QString percorsoDiRiserva();

    explicit IstanzaUnica(QString percorso = percorsoPredefinito(),
                          UtenteDelPari utenteDelPari = utenteDelPariDiSistema(),
                          QString riserva = percorsoDiRiserva());
    ~IstanzaUnica() override;

    // True when this process should run: it listens now, or another listener or both folders
    // cannot be trusted (logged). False when another run of this user answers; with `riapri` it is
    // asked to show its main window, without it (a login launch) nothing is asked; `gettone`, this
    // start's activation token, goes with the request. A socket left by a crashed run is taken over.
    bool prendi(bool riapri = true, const QByteArray& gettone = {});

signals:
    // Another start asked this one to show itself; gettone: its activation token, or empty.
    void riapertura(const QByteArray& gettone);

private:
    void leggi();

    QString percorso_;
    UtenteDelPari utenteDelPari_;
    QString riserva_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace pulsaro
