#!/usr/bin/env bash
# The deep check: builds with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-deep/, apart from the normal build),
# runs each fuzz target of fuzz/ for a set time, then the test suite with
# leak detection on. Exits non-zero on any finding.
#
#   scripts/check-deep.sh [SECONDS_PER_FUZZ_TARGET [TEST_REGEX]]
#
# SECONDS defaults to 60. With TEST_REGEX only the tests whose names match
# are built and run (a quicker look after a change in one place); without
# it, the whole suite.
#
# Findings of the fuzzers land in build-deep/fuzz-findings/ (the input that
# failed; run the target with it as argument to see the failure again). The
# corpora grown by earlier runs are kept in build-deep/fuzz-corpus/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
regex="${2:-}"
build=build-deep
jobs="${ORVANTA_DEEP_JOBS:-2}"

command -v clang++ >/dev/null || { echo "clang++ fehlt: scripts/install-deps.sh ausführen" >&2; exit 2; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# -O1 and line tables only: readable stack traces at a fraction of the build time.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
    -DORVANTA_FUZZ=ON -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
    "${launcher[@]}" >/dev/null || exit 2

# Findings stop the process at once; leaks are reported when it ends.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1:suppressions=$PWD/scripts/asan-suppressions.txt"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"

findings=0
fuzzers=()
for target in fuzz/fuzz_*.cpp; do fuzzers+=("$(basename "$target" .cpp)"); done
cmake --build "$build" --parallel "$jobs" --target "${fuzzers[@]}" || exit 2

echo "== Fuzzing, ${seconds} s je Ziel"
mkdir -p "$build/fuzz-findings" "$build/fuzz-corpus"
summary=()
for name in "${fuzzers[@]}"; do
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
    echo "${summary[-1]}"
done

echo "== Tests unter ASan/UBSan/LSan${regex:+ (nur $regex)}"
if [ -z "$regex" ]; then
    cmake --build "$build" --parallel "$jobs" || exit 2
    ctest_args=()
else
    # The executables of the chosen tests (a test without one of its own,
    # such as the Python cross-check, needs the tool) and the delivered data.
    targets=(orvanta_data orvanta-tool)
    known="$(ninja -C "$build" -t targets all 2>/dev/null | cut -d: -f1)"
    while read -r t; do
        grep -qx "$t" <<<"$known" && targets+=("$t")
    done < <(ctest --test-dir "$build" -N -R "$regex" | sed -n 's/^ *Test *#[0-9]*: //p')
    cmake --build "$build" --parallel "$jobs" --target "${targets[@]}" || exit 2
    ctest_args=(-R "$regex")
fi
if ! ctest --test-dir "$build" --output-on-failure --timeout 900 -j "$jobs" "${ctest_args[@]}"; then
    findings=1
fi

echo "== Ergebnis"
printf '%s\n' "${summary[@]}"
[ $findings -eq 0 ] && echo "Keine Befunde." || echo "Befunde: siehe oben."
exit $findings
