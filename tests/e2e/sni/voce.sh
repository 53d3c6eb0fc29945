# shellcheck shell=bash
# Pulsaro's StatusNotifierItem as the tray's host sees it over D-Bus: its name, its menu's labels,
# and a click on an entry. Sourced by the end-to-end scripts that run under a D-Bus tray.

# The item Pulsaro registered with the watcher: "service/path", or nothing.
voce_sni() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems 2>/dev/null | awk -F'"' '/string "/ {print $2; exit}'
}
c_voce_sni() { [ -n "$(voce_sni)" ]; }

# The exported menu (DBusMenu): with no argument, its labels one a line; with a label, a click
# on that entry (com.canonical.dbusmenu.Event "clicked"), as the host sends it.
menu_sni() {
    /usr/bin/python3 - "$(voce_sni)" "$@" <<'PY'
import sys, time, dbus
voce = sys.argv[1]
servizio, _, percorso = voce.partition('/')
percorso = '/' + percorso if percorso else '/StatusNotifierItem'
bus = dbus.SessionBus()
item = bus.get_object(servizio, percorso)
menu = item.Get('org.kde.StatusNotifierItem', 'Menu', dbus_interface='org.freedesktop.DBus.Properties')
if str(menu) in ('/', '/NO_DBUSMENU'):
    sys.exit(1)
oggetto = bus.get_object(servizio, menu)
_, (_, _, figli) = oggetto.GetLayout(0, -1, dbus.Array([], signature='s'), dbus_interface='com.canonical.dbusmenu')
voci = [(int(i), str(p.get('label', '')).replace('_', '')) for i, p, _ in figli if p.get('type') != 'separator']
if len(sys.argv) < 3:
    print('\n'.join(e for _, e in voci))
    sys.exit(0)
scelte = [i for i, e in voci if e == sys.argv[2]]
if not scelte:
    sys.exit(1)
oggetto.Event(scelte[0], 'clicked', dbus.Int32(0, variant_level=1), dbus.UInt32(int(time.time())),
              dbus_interface='com.canonical.dbusmenu')
PY
}
