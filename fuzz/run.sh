#!/bin/sh
# Builds the libFuzzer harnesses (the fuzz preset) and runs each for the given number of seconds,
# one after the other, starting from its committed seed corpus in fuzz/corpus/<harness>/.
#   fuzz/run.sh <seconds> [harness...]     (all harnesses when none is named)
# New inputs go to build/fuzz/corpus/<harness>/ (kept between runs, never into the repository);
# a failing input is saved in build/fuzz/artifacts/ and the script exits with an error. To keep
# a finding as a regression input, copy it into fuzz/corpus/<harness>/.
# FUZZ_JOBS=<n> runs n harnesses at a time (default 1); FUZZ_NICE=<n> lowers their priority.
set -eu
cd "$(dirname "$0")/.."

if [ $# -lt 1 ]; then
  echo "usage: fuzz/run.sh <seconds> [harness...]" >&2
  exit 2
fi
seconds=$1
shift

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

bin=build/fuzz/fuzz
work=build/fuzz
if [ $# -eq 0 ]; then
  set -- $(cd fuzz/corpus && ls)
fi
mkdir -p "$work/artifacts" "$work/logs"

run_one() {
  name=$1
  mkdir -p "$work/corpus/$name"
  log="$work/logs/$name.log"
  # The files the harness writes: on a memory file system where there is one, removed after.
  scratch=$(mktemp -d /dev/shm/purselog-fuzz-run.XXXXXX 2>/dev/null || mktemp -d)
  # -max_len: month files, settings and grid files of a few kilobytes are the interesting sizes.
  if PURSELOG_FUZZ_SCRATCH=$scratch nice -n "${FUZZ_NICE:-0}" "$bin/$name" \
      -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" \
      "$work/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
    rm -rf "$scratch"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$name: ok, $runs executions in ${seconds}s"
  else
    rm -rf "$scratch"
    echo "$name: FAILED (log: $log)"
    grep -E "ERROR|property failed|Test unit written" "$log" | head -5
    return 1
  fi
}

status=0
jobs=${FUZZ_JOBS:-1}
pids=""
for name in "$@"; do
  if [ ! -x "$bin/$name" ]; then
    echo "$name: no such harness" >&2
    status=1
    continue
  fi
  run_one "$name" &
  pids="$pids $!"
  if [ "$(echo $pids | wc -w)" -ge "$jobs" ]; then
    for pid in $pids; do wait "$pid" || status=1; done
    pids=""
  fi
done
for pid in $pids; do wait "$pid" || status=1; done
exit $status
