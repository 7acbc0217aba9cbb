#!/usr/bin/env bash
# Cross-compiles the Qt-free Windows calls with their test and runs it under
# Wine in a private prefix. Usage: tests/windows/run.sh [build folder]
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
build_dir="${1:-$source_dir/build/windows}"
mkdir -p "$build_dir"
# Wine wants its prefix as an absolute path.
build_dir="$(cd "$build_dir" && pwd)"

# Debian keeps wine64 in wine's library folder, off PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# Static, so Wine needs none of MinGW's DLLs.
compile=(x86_64-w64-mingw32-g++ -std=c++20 -O1 -Wall -Wextra -Wpedantic
         -static -static-libgcc -static-libstdc++ -I"$source_dir/src")
"${compile[@]}" -o "$build_dir/RecordArguments.exe" "$source_dir/tests/windows/RecordArguments.cpp"
"${compile[@]}" -o "$build_dir/tst_WindowsBoundary.exe" \
    "$source_dir/tests/windows/tst_WindowsBoundary.cpp" \
    "$source_dir/src/platform/WindowsProcess.cpp" \
    "$source_dir/src/platform/WindowsRegistry.cpp" -ladvapi32
rm -rf "$build_dir/processes"

export WINEPREFIX="$build_dir/wineprefix" WINEDEBUG=-all WINEARCH=win64
# No prompts for the .NET and HTML engines a new prefix would offer.
export WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # A new prefix reports its set-up, the absent 32-bit half included.
    echo "Creating the Wine prefix $WINEPREFIX"
    if ! timeout 60 "$wine" wineboot --init >"$build_dir/wineboot.log" 2>&1; then
        cat "$build_dir/wineboot.log"
        exit 1
    fi
fi
timeout 60 "$wine" "$build_dir/tst_WindowsBoundary.exe"
