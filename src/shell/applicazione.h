// The menu-bar application put together: toolkit, preferences, controller, lifecycle, one
// instance per user, clean ends on SIGTERM, SIGINT and SIGHUP.
#pragma once

namespace pulsaro {

// Runs the application until it quits; returns the process's exit status.
int eseguiApplicazione(int argc, char** argv);

}  // namespace pulsaro
