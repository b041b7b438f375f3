#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS on a
# scratch copy of its seed corpus, so fuzz/corpus/ only ever holds our chosen seeds.
# Exits non-zero if any target finds a crash, a leak or a failed check; the input that did
# it is kept in build-fuzz/findings/. Needs clang and libclang-rt-14-dev; installs nothing.
# VALMORA_CMAKE_ARGS, if set, is passed on to CMake, as scripts/build.sh does.
set -euo pipefail
if [ $# -ne 1 ] || ! [[ $1 =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 SECONDS (per target)" >&2
  exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
targets=(texture_decode texture_read settings records replay season step)

read -r -a extra <<< "${VALMORA_CMAKE_ARGS:-}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVALMORA_FUZZ=ON "${extra[@]}" >/dev/null
cmake --build "$build" --target fuzz_targets -j2

# Scratch space in memory if there is a tmpfs; the targets' own scratch files go in it too,
# so that even a crashed target leaves nothing behind.
scratch=${TMPDIR:-/tmp}
if [ -w /dev/shm ]; then scratch=/dev/shm; fi
work=$(mktemp -d "$scratch/valmora-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work
findings=$build/findings
rm -rf "$findings"
mkdir -p "$findings"

failed=()
total_runs=0
printf '%-16s %12s %8s %10s  %s\n' target executions seconds "exec/s" result
for name in "${targets[@]}"; do
  corpus=$work/corpus-$name
  mkdir -p "$corpus"
  cp "$root/fuzz/corpus/$name/"* "$corpus/"
  log=$work/$name.log
  start=$(date +%s)
  result=ok
  # Run from the scratch folder: libFuzzer may drop files into its working folder.
  (cd "$work" && "$build/fuzz/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$corpus") >"$log" 2>&1 || result=FAILED
  elapsed=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  printf '%-16s %12s %8s %10s  %s\n' "$name" "${runs:-?}" "$elapsed" "${rate:-?}" "$result"
  total_runs=$(( total_runs + ${runs:-0} ))
  # The step target tells how many game steps its sessions took.
  steps=$(sed -n 's/^step_fuzz: \([0-9]*\) steps$/\1/p' "$log" | tail -n 1)
  if [ -n "$steps" ]; then
    echo "  $name: $steps game steps, $(( steps / (elapsed > 0 ? elapsed : 1) )) a second"
  fi
  if [ "$result" != ok ]; then
    failed+=("$name")
    echo "---- $name: end of the fuzzer's output" >&2
    tail -n 60 "$log" >&2
  fi
done
echo "total executions: $total_runs"

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
