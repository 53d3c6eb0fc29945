// A small HTTP server on a thread of its own that answers `GET /metrics` and nothing else
// (404). Qt's HTTP server parses; a guard in front of it bounds what Qt 6.4's server does not:
// connections, bytes and lines of a request, and the time a request may take.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pulsaro {

class ServerMetriche {
public:
    struct Risposta {
        int stato = 200;
        std::string tipo;  // Content-Type
        std::string corpo;
    };
    // Called on the server's thread with the request's Accept header; may block that thread.
    using Gestore = std::function<Risposta(const std::string& accept)>;

    struct Limiti {
        // Past this, a new connection closes the oldest one: holding sockets open shuts nobody out.
        int connessioni = 8;
        // Bytes and lines (headers included) of one request before an answer.
        long long byte = 8192;
        int righe = 64;
        // A connection that sends no whole request within this time, from its opening or its
        // last answer, is closed: a slow sender, or a kept-alive socket left idle.
        int millisecondi = 10000;
    };

    explicit ServerMetriche(Gestore gestore);
    ServerMetriche(Gestore gestore, Limiti limiti);
    ~ServerMetriche();
    ServerMetriche(const ServerMetriche&) = delete;
    ServerMetriche& operator=(const ServerMetriche&) = delete;

    // Listens on the address (an IPv4 or IPv6 literal) and port (0: any free one); the Italian
    // reason when it cannot. Needs a QCoreApplication (the server's thread runs an event loop).
    std::optional<std::string> ascolta(const std::string& indirizzo, std::uint16_t porta);
    // The port listened on, 0 before.
    std::uint16_t porta() const { return porta_; }

    // Whether the address is one of this machine's loopback addresses.
    static bool locale(const std::string& indirizzo);

private:
    struct Filo;
    std::unique_ptr<Filo> filo_;
    std::uint16_t porta_ = 0;
};

}  // namespace pulsaro
