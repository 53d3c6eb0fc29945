#!/usr/bin/env bash
# The application bundle after macdeployqt, on a Mac (pulsaro_bundle runs both steps). Written for
# the bash 3.2 that macOS ships.
#
#   bundle_macos.sh firma APP IDENTITY [--runtime]
#       signs every Mach-O file inside APP, innermost first, then APP itself: --deep would sign
#       them all with the outer bundle's options and in no guaranteed order. IDENTITY "-" signs
#       ad hoc; --runtime adds the hardened runtime and a timestamp, as notarisation wants.
#   bundle_macos.sh controlla APP
#       fails when a Mach-O file inside APP refers to a library outside APP, /System and /usr/lib
#       (a bundle still pointing into /opt/homebrew runs on the Mac that built it and nowhere
#       else), when LSMinimumSystemVersion is below the highest minimum macOS (LC_BUILD_VERSION)
#       of those files (Homebrew builds Qt for the macOS it runs on), or when the signature does
#       not verify strictly.
set -euo pipefail

uso() {
    echo "usage: bundle_macos.sh firma APP IDENTITY [--runtime] | controlla APP" >&2
    exit 2
}

# Every Mach-O file inside the bundle, the deepest first.
macho() {
    find "$1/Contents" -type f -print0 | while IFS= read -r -d '' f; do
        if [[ $(file -b "$f") == Mach-O* ]]; then printf '%s\t%s\n' "$(tr -cd / <<<"$f" | wc -c)" "$f"; fi
    done | sort -rn | cut -f2-
}

firma() {
    local app=$1 opzioni=(--force --sign "$2") f
    [ "${3:-}" = --runtime ] && opzioni+=(--options runtime --timestamp)
    # A framework is signed as a whole (its current version), after the files inside it.
    while IFS= read -r f; do
        case $f in
            *.framework/Versions/*/*) ;;
            *) codesign "${opzioni[@]}" "$f" ;;
        esac
    done < <(macho "$app" | grep -v "^$app/Contents/MacOS/")
    find "$app/Contents/Frameworks" -maxdepth 1 -name '*.framework' -print0 2>/dev/null |
        while IFS= read -r -d '' f; do codesign "${opzioni[@]}" "$f"; done
    codesign "${opzioni[@]}" "$app"
}

controlla() {
    local app=$1 errori=0 minimo piu_alto=0 f nome riga riferimento versione
    minimo=$(plutil -extract LSMinimumSystemVersion raw "$app/Contents/Info.plist")
    while IFS= read -r f; do
        # Each reference is a line that starts with a tab; a library's list starts with its own name.
        nome=$(otool -D "$f" | tail -n +2)
        while IFS= read -r riga; do
            [[ $riga == $'\t'* ]] || continue
            riferimento=${riga#$'\t'}
            riferimento=${riferimento% (compatibility version*}
            case $riferimento in
                "$nome" | @executable_path/* | @loader_path/* | @rpath/* | /System/* | /usr/lib/*) ;;
                *)
                    echo "bundle_macos: ${f#"$app"/} refers to $riferimento, outside the bundle" >&2
                    errori=1
                    ;;
            esac
        done < <(otool -L "$f")
        # LC_BUILD_VERSION says "minos", the older LC_VERSION_MIN_MACOSX "version".
        versione=$(otool -l "$f" | awk '/cmd LC_BUILD_VERSION|cmd LC_VERSION_MIN_MACOSX/ { c = 1 }
                                        c && ($1 == "minos" || $1 == "version") { print $2; c = 0 }' |
            sort -V | tail -1)
        if [ -n "$versione" ] && [ "$(printf '%s\n' "$piu_alto" "$versione" | sort -V | tail -1)" = "$versione" ]; then
            piu_alto=$versione
        fi
    done < <(macho "$app")
    if [ "$(printf '%s\n' "$minimo" "$piu_alto" | sort -V | tail -1)" != "$minimo" ]; then
        echo "bundle_macos: LSMinimumSystemVersion is $minimo, but a file inside needs macOS $piu_alto" \
            "(configure with -DCMAKE_OSX_DEPLOYMENT_TARGET=$piu_alto)" >&2
        errori=1
    fi
    codesign --verify --deep --strict --verbose=2 "$app" || errori=1
    [ $errori -eq 0 ] && echo "bundle_macos: $app is self-contained, for macOS $minimo and later, and signed"
    return $errori
}

case ${1:-} in
    firma) [ $# -ge 3 ] || uso; firma "$2" "$3" "${4:-}" ;;
    controlla) [ $# -eq 2 ] || uso; controlla "$2" ;;
    *) uso ;;
esac
