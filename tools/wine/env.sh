# Sourced by the wine scripts. Wine settings for the project's own prefix.
# WINE_PREFIX_DIR may be set by the caller; the default sits in the build tree.
: "${WINE_PREFIX_DIR:?WINE_PREFIX_DIR must name the wine prefix of the project}"
case "$WINE_PREFIX_DIR" in /*) ;; *) WINE_PREFIX_DIR="$PWD/$WINE_PREFIX_DIR" ;; esac
export WINEPREFIX="$WINE_PREFIX_DIR"
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG="${WINEDEBUG:--all}"
# Keep Wine from popping up its Mono/Gecko installers while making a prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE64=/usr/lib/wine/wine64
