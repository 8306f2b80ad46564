#!/usr/bin/env bash
# The Windows stage of ./dev test, run on Linux with MinGW-w64 and Wine:
#   tests/windows/run-stage.sh LINUX_BUILD_DIR [WINDOWS_BUILD_DIR]
# LINUX_BUILD_DIR is a finished native build (lexano-data and LexanoData_WN.pdb in it).
#  1. tests the scripts that fetch and build the libraries (deps-scripts-test.sh), checks for
#     Debian's MinGW zlib (libz-mingw-w64-dev) and builds wxMSW for x86_64 once per machine
#     (build-deps.sh);
#  2. cross-builds the engine, the pages, lexano-data and the unit tests for x86_64 and i686,
#     the x86_64 one also with the window program (lexano.exe, and lexano_smoke.exe for the
#     smoke test) and its data file, made by the Windows lexano-data under Wine;
#  3. runs the x86_64 unit tests under Wine through ctest, then the window's smoke test
#     (smoke-window.sh; screenshots in WINDOWS_BUILD_DIR/smoke);
#  4. checks that the Windows data file is byte-identical to the Linux one and that the Windows
#     lexano-data answers a few hundred requests byte for byte like the Linux one;
#  5. checks that the programs import Windows' own DLLs only, and makes the portable zip
#     (WINDOWS_BUILD_DIR/x86_64/lexano-*-win64.zip, with lexano.exe).
# The i686 programs are built but not run: that needs 32-bit Wine and a kernel that runs 32-bit
# code. Wine keeps its prefix in ~/.cache/lexano/wine64 (LEXANO_CACHE moves ~/.cache/lexano).
# Closes with the time each step took, as rows of the README's table of stage times.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=$(cd "${1:?usage: run-stage.sh LINUX_BUILD_DIR [WINDOWS_BUILD_DIR]}" && pwd)
OUT=${2:-$ROOT/build/windows}
CACHE=${LEXANO_CACHE:-$HOME/.cache/lexano}
JOBS=${LEXANO_JOBS:-2}
WINE64=/usr/lib/wine/wine64

export WINEPREFIX=$CACHE/wine64 WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="

say() { printf '\n== Windows: %s\n' "$*"; }

# Ends the step under way (its time goes to TIMES) and starts step $1.
STEP='' STEP_START=$SECONDS STAGE_START=$SECONDS
TIMES=()
step() {
    [ -z "$STEP" ] || TIMES+=("$STEP|$((SECONDS - STEP_START))")
    STEP=$1 STEP_START=$SECONDS
    [ -z "$STEP" ] || say "$STEP"
}

# m:ss of $1 seconds.
minutes() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }

print_times() {
    local row
    printf '\n== Windows: time of each step\n'
    for row in "${TIMES[@]}"; do
        printf '| %s | %s |\n' "${row%|*}" "$(minutes "${row##*|}")"
    done
    printf '| whole Windows stage | %s |\n' "$(minutes $((SECONDS - STAGE_START)))"
}

# A wineserver that stays up, started with its output away from ours: a server that a Wine
# program starts itself inherits that program's pipes, and ctest then waits on them forever.
start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    "$WINE64" wineboot -i </dev/null >"$OUT/wineboot.log" 2>&1
    trap 'wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT
}

# Configures and builds for architecture $1 into OUT/$1, with the extra cmake options after it.
cross_build() {
    local arch=$1
    shift
    cmake -S "$ROOT" -B "$OUT/$arch" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchains/mingw-w64-$arch.cmake" \
        "$@" >"$OUT/$arch-configure.log" 2>&1 ||
        { cat "$OUT/$arch-configure.log"; return 1; }
    nice -n 10 cmake --build "$OUT/$arch" -j"$JOBS"
}

run_unit_tests() {
    local log=$OUT/x86_64-ctest.log
    if (cd "$OUT/x86_64" && ctest -j"$JOBS" --output-on-failure >"$log" 2>&1); then
        tail -n 3 "$log"
    else
        cat "$log"
        return 1
    fi
}

# The zip holds no DLLs, so the programs may import Windows' own only: not zlib1.dll (whose
# import library Debian's MinGW zlib installs beside libz.a), nor the MinGW C++ runtime's.
check_imports() {
    local exe imports foreign
    for exe in "$OUT"/x86_64/lexano.exe "$OUT"/x86_64/lexano-data.exe "$OUT"/i686/lexano-data.exe; do
        imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
        foreign=$(grep -i -E '^(zlib|libz|libstdc|libgcc|libwinpthread|wx)' <<<"$imports" || true)
        [ -z "$foreign" ] || { echo "${exe#"$OUT"/} imports $(tr "\n" " " <<<"$foreign")" >&2; return 1; }
    done
    echo "lexano.exe and lexano-data.exe (x86_64, i686) import Windows' own DLLs only"
}

mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
step "tests of the library scripts"
"$ROOT/tests/windows/deps-scripts-test.sh"

step "libraries: Debian's MinGW zlib, wxMSW built once per machine"
"$ROOT/tests/windows/build-deps.sh" x86_64 --wx
"$ROOT/tests/windows/build-deps.sh" i686

step "Wine"
start_wine

step "x86_64 build"
cross_build x86_64 -DLEXANO_BUILD_DATA=ON -DLEXANO_BUILD_GUI=ON
step "i686 build"
cross_build i686 -DLEXANO_BUILD_DATA=OFF -DLEXANO_BUILD_GUI=OFF
echo "i686 built; not run: this machine cannot run 32-bit Windows programs (32-bit Wine and kernel support needed)"

step "x86_64 unit tests under Wine"
run_unit_tests

step "the window under Wine (Xvfb, openbox, xdotool)"
"$ROOT/tests/windows/smoke-window.sh" "$OUT/x86_64" "$OUT/x86_64/LexanoData_WN.pdb" "$OUT/smoke"

step "data file built by the Windows lexano-data"
cmp "$LINUX_BUILD/LexanoData_WN.pdb" "$OUT/x86_64/LexanoData_WN.pdb"
echo "byte-identical to $LINUX_BUILD/LexanoData_WN.pdb"

step "the programs need no DLL beside them"
check_imports

step "portable zip"
(cd "$OUT/x86_64" && cpack -G ZIP >"$OUT/cpack.log" 2>&1) || { cat "$OUT/cpack.log"; exit 1; }
ls "$OUT"/x86_64/lexano-*-win64.zip
# The listing is read whole first: grep -q stops at the first match, and the writer's SIGPIPE
# would then fail the pipeline under pipefail.
listing=$(cmake -E tar tf "$OUT"/x86_64/lexano-*-win64.zip)
grep -q '/lexano\.exe$' <<<"$listing" || { echo "lexano.exe is not in the zip" >&2; exit 1; }

step "lexano-data answers, Windows against Linux"
"$ROOT/tests/windows/compare-tool.sh" "$LINUX_BUILD/lexano-data" \
    "$WINE64 $OUT/x86_64/lexano-data.exe" "$OUT/x86_64/LexanoData_WN.pdb" "$OUT/compare" 32

step ""  # ends the last step
print_times
