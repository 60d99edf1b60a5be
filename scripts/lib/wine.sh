# Wine prefixes for this build, all under build/wine: a pristine template booted once,
# a shared prefix copied from it for ordinary test runs, and throw-away copies for
# runs that must not see each other's files (installs, shortcuts).
# Sourced by scripts/wine-run, scripts/run and scripts/test.
#
# ORVENDAL_WINE_ARCH=win64 gives the same for the 64-bit build: 64-bit prefixes of
# their own under build/wine64, run by 64-bit Wine's own loader, which runs natively on
# every machine (Debian's `wine` starts the 32-bit loader first).

ORVENDAL_ROOT=${ORVENDAL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
case "${ORVENDAL_WINE_ARCH:=win32}" in
    win32)
        WINE_ROOT=${ORVENDAL_WINE_ROOT:-$ORVENDAL_ROOT/build/wine}
        ORVENDAL_WINE=wine
        ;;
    win64)
        WINE_ROOT=${ORVENDAL_WINE_ROOT:-$ORVENDAL_ROOT/build/wine64}
        ORVENDAL_WINE=/usr/lib/wine/wine64
        ;;
    *)
        echo "wine.sh: ORVENDAL_WINE_ARCH is win32 or win64, not $ORVENDAL_WINE_ARCH" >&2
        return 2
        ;;
esac

# Point Wine at a prefix. HOME moves too: otherwise the prefix's Desktop folder links
# into the real home directory and shortcuts land there. Programs are started with
# "$ORVENDAL_WINE" (exported for other languages' scripts too).
wine_use() {
    export WINEPREFIX="$1/prefix" HOME="$1/home" WINEARCH=$ORVENDAL_WINE_ARCH WINEDEBUG=-all
    export ORVENDAL_WINE_ARCH ORVENDAL_WINE
    # No .desktop files for shortcuts, and no first-run installers. A run can disable
    # more DLLs through ORVENDAL_EXTRA_DLLOVERRIDES (e.g. "ieframe=d").
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${ORVENDAL_EXTRA_DLLOVERRIDES:+;$ORVENDAL_EXTRA_DLLOVERRIDES}"
    mkdir -p "$HOME"
}

wine_boot_template() {
    local dir="$WINE_ROOT/template"
    rm -rf "$dir"
    mkdir -p "$dir"
    (
        wine_use "$dir"
        "$ORVENDAL_WINE" wineboot -i >/dev/null 2>&1
        # Without a window manager every exit would wait for one.
        "$ORVENDAL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        # A crash ends the process instead of waiting in a dialog.
        "$ORVENDAL_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Chinese captions need a font with CJK glyphs behind Tahoma.
        "$ORVENDAL_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
            /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >/dev/null 2>&1
        wineserver -w
    )
    touch "$dir/.ready"
}

# Booting links the user's Desktop and other folders to the template's HOME by its
# absolute path; a copy relinks them to its own home, or all copies share one desktop.
wine_relink_home() {
    local link
    for link in "$1"/prefix/drive_c/users/*/*; do
        if [ -L "$link" ] && [ "$(readlink "$link")" = "$WINE_ROOT/template/home" ]; then
            ln -sfn "$1/home" "$link"
        fi
    done
}

# The first program run in a prefix starts its server and services. Under QEMU's
# emulation two tests doing that side by side once hung for good after passing, so it
# is done here, alone, before any test.
wine_warm_up() {
    (wine_use "$1" && "$ORVENDAL_WINE" cmd /c exit 0 >/dev/null 2>&1; wineserver -w >/dev/null 2>&1) || true
}

# Boots the template and copies the shared prefix once; safe to call concurrently.
# The 64-bit runs all take fresh copies: they have no shared prefix.
wine_ensure_prefixes() {
    mkdir -p "$WINE_ROOT"
    (
        flock 9
        [ -f "$WINE_ROOT/template/.ready" ] || wine_boot_template
        if [ "$ORVENDAL_WINE_ARCH" = win32 ] && [ ! -f "$WINE_ROOT/shared/.ready" ]; then
            rm -rf "$WINE_ROOT/shared"
            cp -a "$WINE_ROOT/template" "$WINE_ROOT/shared"
            wine_relink_home "$WINE_ROOT/shared"
            wine_warm_up "$WINE_ROOT/shared"
        fi
    ) 9>"$WINE_ROOT/.lock"
}

# A new private copy of the template; prints its folder.
wine_fresh_copy() {
    local dir
    dir=$(mktemp -d "$WINE_ROOT/fresh.XXXXXX")
    cp -a "$WINE_ROOT/template/." "$dir/"
    rm -f "$dir/.ready"
    wine_relink_home "$dir"
    echo "$dir"
}

# Ends every process of a prefix (a process started with ShellExecute outlives its parent).
wine_stop() {
    (wine_use "$1" && wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1) || true
}
