# A desktop of our own for the long-running scripts (soak.sh, misura.sh): Xvfb, openbox and a
# trayer tray, a temporary HOME, and the few xdotool moves that open and close Pulsaro's
# popover and main window. Sourced, not run. Needs: Xvfb openbox trayer xdotool xwininfo import.

SCR_TMP=$(mktemp -d)
SCR_PIDS=()
SCR_APP=""

scr_pulisci() {
    set +e
    [ -n "$SCR_APP" ] && kill -TERM "$SCR_APP" 2>/dev/null
    for ((i = ${#SCR_PIDS[@]} - 1; i >= 0; i--)); do kill "${SCR_PIDS[i]}" 2>/dev/null; done
    for p in "${SCR_PIDS[@]}" $SCR_APP; do
        for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$p" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$SCR_TMP"
}

# Polls a command until it succeeds, every 0.1 s, for at most $1 seconds.
scr_aspetta() {
    local limite=$(($(date +%s%N) + ${1%.*} * 1000000000))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -gt "$limite" ] && return 1
        sleep 0.1
    done
}

scr_errore() {
    echo "ERRORE: $*" >&2
    exit 1
}

# Starts the display (SCR_SCHERMO pixels, 1280x800 unless set), the window manager and the tray;
# sets HOME and XDG_CONFIG_HOME to temporary folders, so the machine's own preferences are neither
# read nor changed. The tray is trayer (XEmbed), SCR_VASSOIO_ALTEZZA pixels tall (22 unless set),
# or with SCR_VASSOIO=sni a StatusNotifierItem host, Xfce's status tray over D-Bus, as most desktops
# have: then the caller runs inside dbus-run-session.
scr_avvia_scrivania() {
    for c in Xvfb openbox trayer xdotool xwininfo xprop; do
        command -v "$c" >/dev/null || scr_errore "manca $c (bash scripts/dipendenze.sh test)"
    done
    export HOME="$SCR_TMP/home" XDG_CONFIG_HOME="$SCR_TMP/home/.config" XDG_RUNTIME_DIR="$SCR_TMP/run"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER
    [ "${SCR_VASSOIO:-trayer}" = sni ] || unset DBUS_SESSION_BUS_ADDRESS
    export LC_ALL=C.UTF-8
    Xvfb -displayfd 5 -screen 0 "${SCR_SCHERMO:-1280x800}x24" -nolisten tcp 5>"$SCR_TMP/display" 2>"$SCR_TMP/xvfb.log" &
    SCR_PIDS+=($!)
    scr_aspetta 20 test -s "$SCR_TMP/display" || scr_errore "Xvfb non parte: $(cat "$SCR_TMP/xvfb.log")"
    export DISPLAY=":$(head -n1 "$SCR_TMP/display")"
    openbox --sm-disable >"$SCR_TMP/openbox.log" 2>&1 &
    SCR_PIDS+=($!)
    _wm() { [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *'window id'* ]]; }
    scr_aspetta 20 _wm || scr_errore "openbox non parte"
    if [ "${SCR_VASSOIO:-trayer}" = sni ]; then
        command -v xfce4-panel >/dev/null || scr_errore "manca xfce4-panel (bash scripts/dipendenze.sh test)"
        [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || scr_errore "il vassoio sni vuole una sessione D-Bus (dbus-run-session)"
        local SNI_PIDS
        # shellcheck source=../../tests/e2e/sni/avvia.sh
        source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/sni/avvia.sh" >"$SCR_TMP/sni.log" 2>&1
        # shellcheck disable=SC2206
        SCR_PIDS+=($SNI_PIDS)
        scr_aspetta 20 scr_c_vassoio_sni || scr_errore "il vassoio sni non parte"
        return
    fi
    trayer --edge top --align right --widthtype pixel --width 120 --height "${SCR_VASSOIO_ALTEZZA:-22}" \
        --SetDockType true --expand false --transparent false >"$SCR_TMP/trayer.log" 2>&1 &
    SCR_PIDS+=($!)
    scr_aspetta 20 scr_c_vassoio || scr_errore "trayer non parte: $(tail -5 "$SCR_TMP/trayer.log")"
}

# The StatusNotifierItem host is there: the watcher says a host has registered.
scr_c_vassoio_sni() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q 'boolean true'
}

# The whole tree is read before it is matched: a reader that stops at the first match (grep -q,
# awk's exit) makes xwininfo die of SIGPIPE, and under pipefail the match counts as a failure.
scr_albero() { xwininfo -root -tree 2>/dev/null; }
scr_c_vassoio() {
    xdotool search --classname trayer >/dev/null 2>&1 && return 0
    local albero
    albero=$(scr_albero)
    [[ $albero == *'"panel"'* ]]
}

SCR_CONF() { echo "$XDG_CONFIG_HOME/Pulsaro/Pulsaro.conf"; }

# Sets one preference in the file QSettings keeps on Linux (section [General]).
scr_preferenza() {
    local chiave=$1 valore=$2 file
    file=$(SCR_CONF)
    mkdir -p "$(dirname "$file")"
    [ -f "$file" ] || printf '[General]\n' >"$file"
    grep -q '^\[General\]' "$file" || sed -i '1i [General]' "$file"
    if grep -q "^$chiave=" "$file"; then
        sed -i "s|^$chiave=.*|$chiave=$valore|" "$file"
    else
        sed -i "/^\[General\]/a $chiave=$valore" "$file"
    fi
}

# Starts pulsaro ($1, then its arguments) in the background; SCR_APP is its pid.
scr_avvia_pulsaro() {
    local eseguibile=$1
    shift
    "$eseguibile" "$@" >"$SCR_TMP/pulsaro.log" 2>&1 &
    SCR_APP=$!
}

scr_ferma_pulsaro() {
    [ -n "$SCR_APP" ] || return 0
    kill -TERM "$SCR_APP" 2>/dev/null
    scr_aspetta 20 scr_morto || kill -KILL "$SCR_APP" 2>/dev/null
    wait "$SCR_APP" 2>/dev/null
    SCR_APP=""
}
scr_vivo() { kill -0 "$SCR_APP" 2>/dev/null; }
scr_morto() { ! scr_vivo; }

# The tray icon: the small window of class pulsaro inside the tray. Prints its id.
scr_icona() {
    local albero
    albero=$(scr_albero)
    awk '/\("pulsaro" "Pulsaro"\)/ {
        split($0, a, "\\)  "); split(a[2], g, /[x+ ]+/);
        if (g[1] <= 40 && g[2] <= 40) { print $1; exit }
    }' <<<"$albero"
}
scr_c_icona() { [ -n "$(scr_icona)" ]; }

# Viewable windows of pulsaro, "id x y w h": override-redirect ones (popover, menu) with $1 =
# popup, managed ones with $1 = finestra.
scr_finestre() {
    local tipo=$1 id info w h x y
    for id in $(xdotool search --classname pulsaro 2>/dev/null); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q 'Map State: IsViewable' <<<"$info" || continue
        w=$(awk '/^  Width:/ {print $2}' <<<"$info")
        h=$(awk '/^  Height:/ {print $2}' <<<"$info")
        x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
        y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
        [ "$w" -le 40 ] && [ "$h" -le 40 ] && continue
        if grep -q 'Override Redirect State: yes' <<<"$info"; then
            [ "$tipo" = popup ] && echo "$id $x $y $w $h"
        else
            [ "$tipo" = finestra ] && echo "$id $x $y $w $h"
        fi
    done
}
scr_c_popup() { [ -n "$(scr_finestre popup)" ]; }
scr_c_nessun_popup() { [ -z "$(scr_finestre popup)" ]; }
scr_principale() { scr_finestre finestra | awk '$4 >= 600 {print $1; exit}'; }
scr_c_principale() { [ -n "$(scr_principale)" ]; }
scr_c_nessuna_principale() { [ -z "$(scr_principale)" ]; }

scr_apri_popover() {
    xdotool mousemove --window "$(scr_icona)" 8 8 click 1
    scr_aspetta 10 scr_c_popup
}
scr_chiudi_popover() {
    xdotool mousemove 300 500 click 1
    scr_aspetta 10 scr_c_nessun_popup
}

# Right click on the icon, then the menu's second entry, "Apri Pulsaro" (after "Mostra
# pannellino"), found as the second band of text in the menu's pixels.
scr_apri_principale() {
    local menu mx my righe
    xdotool mousemove --window "$(scr_icona)" 8 8 click 3
    scr_aspetta 10 scr_c_popup || return 1
    read -r menu mx my _ <<<"$(scr_finestre popup | head -n1)"
    sleep 0.3 # drawn
    import -window "$menu" -depth 8 "$SCR_TMP/menu.ppm" 2>/dev/null || return 1
    read -r -a righe <<<"$(python3 "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/pixel.py" righe "$SCR_TMP/menu.ppm")"
    [ ${#righe[@]} -ge 2 ] || return 1
    xdotool mousemove $((mx + 40)) $((my + righe[1])) click 1
    scr_aspetta 15 scr_c_principale
}
# Moves the main window a little ($1 pixels from the left edge), so that the application saves
# its frame: a write of its own, after which it also reads what was written to its file.
scr_sposta_principale() {
    local id
    id=$(scr_principale)
    [ -n "$id" ] && xdotool windowmove --sync "$id" "$1" 60 2>/dev/null
    return 0
}

# True when the tray icon shows the tile (orange) rather than the gauge symbol (grey): the
# icon's average colour is much redder than it is blue.
scr_c_riquadro() {
    local id rgb
    id=$(scr_icona)
    [ -n "$id" ] || return 1
    rgb=$(import -window "$id" -resize 1x1\! -depth 8 txt:- 2>/dev/null | tail -n1 | grep -o '([0-9, .]*)' | head -n1)
    awk -v c="$rgb" 'BEGIN { gsub(/[() ]/, "", c); split(c, v, ","); exit !(v[1] - v[3] > 50) }'
}

# The main window's own close shortcut (the application's Ctrl+Q closes the window and keeps the
# icon); the window is activated first, as Qt ignores keys sent to an inactive window.
scr_chiudi_principale() {
    local id
    id=$(scr_principale)
    [ -n "$id" ] || return 0
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null
    xdotool key --clearmodifiers ctrl+q
    scr_aspetta 10 scr_c_nessuna_principale
}

# What /proc says about a process: "rss_kib fd threads children cpu_ticks".
scr_misure() {
    local pid=$1 rss thr fd figli tick
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null) || return 1
    thr=$(awk '/^Threads:/ {print $2}' "/proc/$pid/status")
    fd=$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
    figli=$(cat /proc/"$pid"/task/*/children 2>/dev/null | wc -w)
    tick=$(scr_tick "$pid")
    echo "${rss:-0} $fd ${thr:-0} $figli $tick"
}

# utime + stime of a process in clock ticks (fields 14 and 15 of /proc/PID/stat, counted after
# the command name, which may hold blanks).
scr_tick() {
    local s
    s=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    s=${s##*) }
    awk '{print $12 + $13}' <<<"$s"
}
