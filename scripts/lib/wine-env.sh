# Sourced by every script that runs chimeday under Wine: the Wine and the prefix kind of
# CHIMEDAY_WINE_ARCH, win64 (the default) or win32.
# win64 runs the program's 64-bit build everywhere, even where the kernel runs no 32-bit Linux
# code (scripts/can-run-32bit). win32 runs the shipped 32-bit build with Debian's 32-bit Wine in
# a 32-bit prefix, so that no WoW64 redirection of the registry or system32 comes between the
# program and what the tests read. Debian's `wine` wrapper picks its 32-bit loader whenever that
# is installed, runnable or not, so the loader and the server are named here instead.
# shellcheck shell=bash
CHIMEDAY_WINE_ARCH=${CHIMEDAY_WINE_ARCH:-win64}
case $CHIMEDAY_WINE_ARCH in
  win64)
    WINE=${WINE:-/usr/lib/wine/wine64}
    WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver64}
    ;;
  win32)
    WINE=${WINE:-/usr/lib/wine/wine}
    WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver32}
    ;;
  *)
    echo "wine-env: CHIMEDAY_WINE_ARCH is '$CHIMEDAY_WINE_ARCH', not win64 or win32" >&2
    return 1
    ;;
esac
# Processes that Wine starts itself (ShellExecute, explorer) use the same loader.
WINELOADER=$WINE
WINEARCH=$CHIMEDAY_WINE_ARCH
export CHIMEDAY_WINE_ARCH WINE WINESERVER WINELOADER WINEARCH

# Debian's loaders have no preloader: now and then one dies at start with "failed to map the
# shared user data" when the kernel has put something at random where that page must go.
# Without address randomization (inherited by every process Wine starts) the address is free.
wine() { setarch -R "$WINE" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
