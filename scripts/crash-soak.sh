#!/bin/sh
# The killed-writer and killed-import tests at length: a saving (or importing) child killed with
# SIGKILL <kills> times each (10,000 unless given; the test suite runs 300 and 200), checking every
# file after each kill.
#   scripts/crash-soak.sh [kills] [seed]
set -eu
cd "$(dirname "$0")/.."
cmake --preset debug >/dev/null
cmake --build --preset debug --target hardening_tests
PURSELOG_KILLS=${1:-10000} PURSELOG_KILL_SEED=${2:-16} \
  ./build/debug/tests/hardening_tests --gtest_filter='Killed*'
