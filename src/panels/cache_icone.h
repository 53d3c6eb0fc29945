// The icons the windows share for the whole run: application icons by process id, remembered
// together with the processes that have none, and the popover's gear per colour. The controller
// owns one and hands it to the panels it makes.
//
// Icon files are named by desktop entries anyone may write, so they are read and decoded on a
// thread of the cache's own, never while painting: a process shows the gear until its icon
// arrives, and the views showing it repaint then.
#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <QRgb>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/abbonamento.h"
#include "widgets/elementi_processo.h"

namespace pulsaro {

class CacheIcone {
public:
    // The icon of pid as an image, null when there is none; called on the cache's own thread.
    using Ricerca = std::function<QImage(std::int32_t pid)>;

    static constexpr std::size_t capienza = 301;  // a new pid arriving at this size empties the cache
    static constexpr std::size_t inCoda = 32;     // pids waiting to be read; more are asked at a later paint
    static constexpr int latoMassimo = 64;        // images are kept no larger than this

    // ricerca asks the system; by default the running application's icon.
    explicit CacheIcone(Ricerca ricerca = ricercaDiSistema());
    ~CacheIcone();
    CacheIcone(const CacheIcone&) = delete;
    CacheIcone& operator=(const CacheIcone&) = delete;

    // The icon of the application running as pid, or nothing: none, or not read yet (it is then
    // asked for). Asked once per pid.
    std::optional<QIcon> icona(std::int32_t pid);
    // Called on the main thread with the pid whose icon has just arrived.
    Abbonamento osserva(std::function<void(std::int32_t)> arrivata);
    // Questions asked and not answered yet.
    std::size_t inAttesa() const;

    std::size_t dimensione() const { return icone_.size(); }

    // The gear of the popover's settings button in this colour. One per colour for the whole run:
    // a new one at each opening would leave its copies in Qt's pixmap cache every time.
    QIcon ingranaggio(QRgb colore);
    // The gear drawn for processes without an icon.
    ImmaginiIngranaggio& ingranaggi() { return ingranaggi_; }
    static constexpr std::size_t coloriIngranaggio = 4;  // a fifth colour empties them

    // An encoded image (PNG, SVG, XPM…) decoded at most latoMassimo on a side; null when it
    // cannot be, or when a bitmap claims more than 1024 pixels on a side. Safe on any thread.
    static QImage decodifica(const std::vector<unsigned char>& dati);
    // The running application of pid through applicazioniDiSistema(), its icon looked up in the
    // icon themes Qt uses. Make it on the main thread.
    static Ricerca ricercaDiSistema();

private:
    void lavora();
    void arriva(std::int32_t pid, const QImage& immagine);

    Ricerca ricerca_;
    // None: asked, no answer yet; an empty optional inside: the process has no icon.
    std::unordered_map<std::int32_t, std::optional<std::optional<QIcon>>> icone_;
    std::unordered_map<QRgb, QIcon> ingranaggiColore_;
    ImmaginiIngranaggio ingranaggi_;
    Abbonati<std::int32_t> arrivate_;

    QObject contesto_;  // the answers come back as queued calls on it
    mutable std::mutex mutex_;
    std::condition_variable sveglia_;
    std::deque<std::int32_t> coda_;
    bool fine_ = false;
    std::size_t aperte_ = 0;  // main thread: asked, answer not yet here (queued, read or on its way)
    std::thread lettore_;     // last: started once everything above exists
};

}  // namespace pulsaro
