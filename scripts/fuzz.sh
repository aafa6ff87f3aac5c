#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B $build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVIK_FUZZ=ON >/dev/null
cmake --build $build -j "$(nproc)" --target fuzz_datagram fuzz_receive fuzz_seeds
corpus=$build/corpus
rm -rf "$corpus"
$build/tests/fuzz/fuzz_seeds "$corpus/seeds"
for target in datagram receive; do
    mkdir -p "$corpus/$target"
    echo "== fuzz_$target for ${seconds}s"
    rc=0
    # Leaks are looked for; the one known leak outside our code is suppressed.
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
        LSAN_OPTIONS=suppressions=tests/fuzz/lsan.supp:print_suppressions=0 \
        $build/tests/fuzz/fuzz_$target -max_total_time="$seconds" -dict=tests/fuzz/datagram.dict \
        -artifact_prefix="$build/" -print_final_stats=1 "$corpus/$target" "$corpus/seeds/$target" \
        >"$build/fuzz_$target.log" 2>&1 || rc=$?
    grep -E '^(#[0-9]+.*(INITED|DONE)|stat::number_of_executed_units|stat::peak_rss|==.*ERROR|SUMMARY)' \
        "$build/fuzz_$target.log" || true
    if [ $rc -ne 0 ]; then
        tail -n 40 "$build/fuzz_$target.log"
        exit $rc
    fi
done
