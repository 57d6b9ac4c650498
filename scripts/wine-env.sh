# Sourced: the Wine settings every script of the project shares.
# One prefix for the whole project, kept under build/ and reused between runs.
quorvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$quorvane_root/build/wineprefix}"
export WINEARCH=win64
# No offers to install Wine's .NET or browser engines.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"
