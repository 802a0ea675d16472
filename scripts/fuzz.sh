# Shared set-up for scripts/test and scripts/fuzz-long: builds the fuzz
# targets with clang's libFuzzer in a build tree of their own and runs each on
# a copy of its seed corpus, several at a time.
# shellcheck shell=bash

# Builds the fuzz targets in the given build tree.
lumaprex_fuzz_build() {
  local build_dir=$1
  CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMAPREX_FUZZ=ON -DLUMAPREX_WERROR=ON >/dev/null
  cmake --build "$build_dir" -j "$(nproc)" >/dev/null
}

# Runs one target for the given seconds on the corpus folder (which it adds
# to); writes its log and any failing input beside the corpus. Fails on any
# crash, sanitizer report, leak, time-out or broken property.
lumaprex_fuzz_one() {
  local build_dir=$1 target=$2 seconds=$3 corpus=$4
  local log="$corpus.log" scratch status=0
  # The target's own files, in memory when the machine has it; the fuzzer
  # ends without cleaning up, so the folder goes here.
  scratch=$(mktemp -d /dev/shm/lumaprex-fuzz-XXXXXX 2>/dev/null || mktemp -d)
  TMPDIR=$scratch lumaprex_fuzz_run "$build_dir" "$target" "$seconds" "$corpus" "$log" || status=1
  rm -rf "$scratch"
  return "$status"
}

lumaprex_fuzz_run() {
  local build_dir=$1 target=$2 seconds=$3 corpus=$4 log=$5
  if ! ASAN_OPTIONS="detect_leaks=1:quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
      UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
      "$build_dir/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$corpus-" "$corpus" >"$log" 2>&1; then
    return 1
  fi
  ! grep -qE "ERROR: (Address|Leak|Undefined)Sanitizer|runtime error:" "$log"
}

# Runs every target; work_dir receives a folder per target holding its
# corpus, started from the seeds when it does not exist yet. Prints one line
# per target, the report of each failure and a closing count; returns 1 when
# any target failed.
lumaprex_fuzz_all() {
  local build_dir=$1 seconds=$2 work_dir=$3
  local jobs=${LUMAPREX_FUZZ_JOBS:-$(( $(nproc) > 8 ? 4 : ($(nproc) + 1) / 2 ))}
  local targets target running=0 started=$SECONDS
  mapfile -t targets <"$build_dir/fuzz/targets.txt"
  mkdir -p "$work_dir"
  for target in "${targets[@]}"; do
    if [ ! -d "$work_dir/$target" ]; then
      cp -r "fuzz/corpus/$target" "$work_dir/$target"
    fi
    rm -f "$work_dir/$target.failed"
    ( lumaprex_fuzz_one "$build_dir" "$target" "$seconds" "$work_dir/$target" ||
        touch "$work_dir/$target.failed" ) &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
      wait -n || true
      running=$((running - 1))
    fi
  done
  wait
  local passed=0 failed=0
  for target in "${targets[@]}"; do
    if [ -e "$work_dir/$target.failed" ]; then
      failed=$((failed + 1))
      echo "fuzz $target: FAILED"
      lumaprex_fuzz_show_report "$work_dir/$target.log"
      lumaprex_fuzz_show_inputs "$work_dir/$target"
    else
      passed=$((passed + 1))
      echo "fuzz $target: passed ($(grep -m1 -oE 'stat::number_of_executed_units: *[0-9]+' \
        "$work_dir/$target.log" | grep -oE '[0-9]+$' || echo 0) inputs)"
    fi
  done
  echo "fuzz stage: $((SECONDS - started)) s, ${#targets[@]} targets of $seconds s, $jobs at a time"
  echo "fuzz: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# Shows a failed run's report: from the first failure line on.
lumaprex_fuzz_show_report() {
  local first
  first=$(grep -n -m1 -E "property failed|ERROR: |runtime error:|==[0-9]+==" "$1" | cut -d: -f1)
  tail -n +"${first:-1}" "$1" | head -n 80
}

# Shows each failing input in hexadecimal, so that a run whose files are
# gone (a CI machine) still tells what to add to the seeds.
lumaprex_fuzz_show_inputs() {
  local input
  for input in "$1"-*; do
    [ -f "$input" ] || continue
    echo "failing input $input:"
    od -A x -t x1z -v "$input" | head -n 64
  done
}
