#!/usr/bin/env bash
# Coverage-guided fuzzing of every loader with AFL++ and the sanitizers.
#
#   fuzz/run.sh [TARGET...]       build, seed and run (all targets by default)
#
# Settings (environment):
#   FUZZ_SECONDS   how long each target runs (default 600)
#   FUZZ_PARALLEL  how many targets run at once (default 4)
#   FUZZ_DIR       where the build, seeds and findings go (default build/fuzz)
#   GAME_DIR       the generated game folder the seeds come from (default build/game)
#   FUZZ_TIMEOUT   milliseconds after which an input counts as a hang (default
#                  5000: one input takes milliseconds, but a machine shared with
#                  builds stalls a process for seconds now and then)
#   JOBS           compile jobs (default 4)
#
# Each target's findings land in $FUZZ_DIR/out/<target>/default/{crashes,hangs};
# the summary at the end gives per target the time run, executions, edges
# found, map density and the number of crashes and hangs.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
FUZZ_SECONDS="${FUZZ_SECONDS:-600}"
FUZZ_PARALLEL="${FUZZ_PARALLEL:-4}"
FUZZ_DIR="${FUZZ_DIR:-$root/build/fuzz}"
GAME_DIR="${GAME_DIR:-$root/build/game}"
FUZZ_TIMEOUT="${FUZZ_TIMEOUT:-5000}"
JOBS="${JOBS:-4}"

if ! command -v afl-g++-fast >/dev/null || ! command -v afl-fuzz >/dev/null; then
  echo "installing AFL++ (the Debian package afl++)"
  sudo=""
  if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends afl++
fi
if [ ! -f "$GAME_DIR/Data.dat" ]; then
  echo "fuzz: no generated game folder at $GAME_DIR (run make build first)" >&2
  exit 1
fi

# The loaders' code is instrumented; the story, battle, menu and event code
# they never reach is left out, so the coverage map stays sparse.
# afl-g++-fast's plugin refuses a GCC whose build differs from the one it was
# made for (Debian's point updates do that); then GCC's own basic-block hook
# (-fsanitize-coverage=trace-pc) feeds AFL++'s runtime instead. Both keep
# GCC, so the Shift-JIS literals compile.
mkdir -p "$FUZZ_DIR"
printf '%s\n' '*/story/*' '*/battle/*' '*/menus/*' '*/events/*' > "$FUZZ_DIR/denylist.txt"
export AFL_GCC_DENYLIST="$FUZZ_DIR/denylist.txt" AFL_QUIET=1
probe="$FUZZ_DIR/probe"
echo 'int main() { return 0; }' > "$probe.cpp"
if afl-g++-fast -fexec-charset=CP932 "$probe.cpp" -o "$probe" >/dev/null 2>&1; then
  compilers=(-DCMAKE_C_COMPILER=afl-gcc-fast -DCMAKE_CXX_COMPILER=afl-g++-fast -DCORVADINE_AFL_RUNTIME=)
  echo "fuzz: instrumenting with afl-g++-fast"
else
  runtime=/usr/lib/afl/afl-compiler-rt-64.o
  compilers=(-DCORVADINE_AFL_RUNTIME="$runtime")
  echo "fuzz: afl-g++-fast does not run with this GCC; instrumenting with GCC's trace-pc and AFL++'s runtime"
fi
cmake -S "$root" -B "$FUZZ_DIR/build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  "${compilers[@]}" -DCORVADINE_SANITIZE=ON -DCORVADINE_BUILD_GAME=OFF -DCORVADINE_BUILD_UNIT_TESTS=OFF \
  -DCORVADINE_BUILD_FUZZ=ON >/dev/null
cmake --build "$FUZZ_DIR/build" --target fuzzer -j"$JOBS"
fuzzer="$FUZZ_DIR/build/bin/fuzzer"

if [ $# -gt 0 ]; then targets=("$@"); else mapfile -t targets < <("$fuzzer" --list); fi

# The sanitizers abort, so afl sees a crash; leaks are not looked for in a
# process that runs thousands of inputs.
export ASAN_OPTIONS="abort_on_error=1:symbolize=0:detect_leaks=0:allocator_may_return_null=1:detect_odr_violation=0"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1:symbolize=0"
export AFL_SKIP_CPUFREQ=1 AFL_NO_UI=1 AFL_NO_AFFINITY=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
export SDL_AUDIODRIVER=dummy

run_target() {
  local target="$1" seeds="$FUZZ_DIR/seeds/$1" out="$FUZZ_DIR/out/$1"
  rm -rf "$seeds" "$out"
  mkdir -p "$seeds" "$FUZZ_DIR/out"
  "$fuzzer" --seeds "$target" "$GAME_DIR" "$seeds" >/dev/null
  afl-fuzz -i "$seeds" -o "$out" -m none -t "$FUZZ_TIMEOUT" -V "$FUZZ_SECONDS" -- "$fuzzer" "$target" \
    >"$FUZZ_DIR/$target.log" 2>&1 || echo "fuzz: afl-fuzz ended with an error for $target (see $FUZZ_DIR/$target.log)"
}

echo "fuzzing ${#targets[@]} targets, $FUZZ_SECONDS s each, $FUZZ_PARALLEL at once"
running=0
for target in "${targets[@]}"; do
  run_target "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$FUZZ_PARALLEL" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

status=0
printf '%-12s %8s %12s %8s %8s %8s %6s\n' target seconds executions edges density crashes hangs
for target in "${targets[@]}"; do
  stats="$FUZZ_DIR/out/$target/default/fuzzer_stats"
  if [ ! -f "$stats" ]; then
    printf '%-12s did not run (see %s)\n' "$target" "$FUZZ_DIR/$target.log"
    status=1
    continue
  fi
  value() { sed -n "s/^$1 *: *//p" "$stats"; }
  start=$(value start_time); last=$(value last_update)
  crashes=$(value saved_crashes); hangs=$(value saved_hangs)
  printf '%-12s %8s %12s %8s %8s %8s %6s\n' "$target" "$((last - start))" "$(value execs_done)" \
    "$(value edges_found)" "$(value bitmap_cvg)" "$crashes" "$hangs"
  if [ "${crashes:-0}" != 0 ] || [ "${hangs:-0}" != 0 ]; then status=1; fi
done
if [ "$status" != 0 ]; then
  echo "findings: $FUZZ_DIR/out/<target>/default/{crashes,hangs}; replay one with $fuzzer <target> <file>"
fi
exit "$status"
