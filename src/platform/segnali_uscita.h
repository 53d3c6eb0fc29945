// SIGTERM, SIGINT and SIGHUP turned into a readable descriptor, so the event loop can end the
// application cleanly: the handler only writes one byte to a pipe.
#pragma once

namespace pulsaro {

// Installs the handlers once; returns the read end of the pipe (non-blocking), or -1.
int installaSegnaliUscita();
// Empties the pipe; returns the last signal received, or 0.
int leggiSegnaleUscita(int descrittore);
// Back to the default handlers.
void ripristinaSegnaliUscita();

}  // namespace pulsaro
