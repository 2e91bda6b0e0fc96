#!/usr/bin/env bash
# Runs the notch checks (vornela_wm_tests) once under each named environment on a private Xvfb
# display and session bus, then prints a table: environment x check -> pass, FAIL, n/a (not
# applicable there) or "could not run" with the reason. Exits non-zero when a check failed or an
# environment could not run. Usage: matrix.sh BUILD_DIR ENVIRONMENT...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
shift
binary="$build/bin/vornela_wm_tests"
checks=$("$binary" --gtest_list_tests | awk '/^[^ ]/ {suite=$1} /^  / {print suite $1}')
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
failed=0

for environment in "$@"; do
    out="$results/$environment.log"
    start=$(date +%s)
    "$here/../desktop/with-xvfb.sh" "$here/with-wm.sh" "$environment" "$binary" >"$out" 2>&1
    status=$?
    echo "matrix: $environment finished with status $status in $(($(date +%s) - start)) s"
    if [ $status -ne 0 ]; then
        failed=1
        # What went wrong, for the log.
        grep -E -A12 '^\[  FAILED  \].*\(|could not run|with-wm:|Failure' "$out" | head -n 60
    fi
    reason=$(grep -m1 -o 'could not run: .*' "$out" || true)
    if [ -n "$reason" ]; then
        printf '%s\t%s\t%s\n' "$environment" "(every check)" "$reason" >>"$results/table"
        continue
    fi
    for check in $checks; do
        if grep -q "^\[       OK \] $check (" "$out"; then
            result=pass
        elif grep -q "^\[  SKIPPED \] $check (" "$out"; then
            result=n/a
        elif grep -q "^\[  FAILED  \] $check (" "$out"; then
            result=FAIL
        else
            result="did not run (status $status)"
        fi
        printf '%s\t%s\t%s\n' "$environment" "$check" "$result" >>"$results/table"
    done
done

echo
printf '%-14s %-72s %s\n' environment check result
while IFS=$'\t' read -r environment check result; do
    printf '%-14s %-72s %s\n' "$environment" "$check" "$result"
done <"$results/table"
exit $failed
