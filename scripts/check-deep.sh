#!/usr/bin/env bash
# The deep check: builds everything with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-deep/, apart from the normal build),
# runs the whole test suite there with leak detection on, then each fuzz
# target of fuzz/ for a set time. Exits non-zero on any finding.
#
#   scripts/check-deep.sh [SECONDS_PER_FUZZ_TARGET]     (default 60)
#
# Findings of the fuzzers land in build-deep/fuzz-findings/ (the input that
# failed; run the target with it as argument to see the failure again). The
# corpora grown by earlier runs are kept in build-deep/fuzz-corpus/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-deep
jobs="${ORVANTA_DEEP_JOBS:-2}"

command -v clang++ >/dev/null || { echo "clang++ fehlt: scripts/install-deps.sh ausführen" >&2; exit 2; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANTA_FUZZ=ON -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
    "${launcher[@]}" || exit 2
cmake --build "$build" --parallel "$jobs" || exit 2

# Findings stop the process at once; leaks are reported when it ends.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"

findings=0
echo "== Tests unter ASan/UBSan/LSan"
if ! ctest --test-dir "$build" --output-on-failure --timeout 900 -j "$jobs"; then
    findings=1
fi

echo "== Fuzzing, ${seconds} s je Ziel"
mkdir -p "$build/fuzz-findings" "$build/fuzz-corpus"
summary=()
for target in fuzz/fuzz_*.cpp; do
    name="$(basename "$target" .cpp)"
    short="${name#fuzz_}"
    corpus="$build/fuzz-corpus/$short"
    mkdir -p "$corpus"
    args=(-max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 -print_final_stats=1
          -artifact_prefix="$build/fuzz-findings/$short-")
    [ -f "fuzz/dict/$short.dict" ] && args+=(-dict="fuzz/dict/$short.dict")
    log="$build/fuzz-findings/$short.log"
    "$build/fuzz/$name" "${args[@]}" "$corpus" "fuzz/corpus/$short" >"$log" 2>&1
    rc=$?
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)"
    if [ $rc -eq 0 ]; then
        summary+=("$short: ${runs:-?} Ausführungen, kein Befund")
    else
        findings=1
        what="$(grep -m1 -E '^==[0-9]+==ERROR|runtime error|ERROR: libFuzzer|SUMMARY' "$log")"
        summary+=("$short: ${runs:-?} Ausführungen, BEFUND: ${what:-Exit-Code $rc} (siehe $log)")
    fi
done
printf '%s\n' "${summary[@]}"
[ $findings -eq 0 ] && echo "Keine Befunde." || echo "Befunde: siehe oben."
exit $findings
