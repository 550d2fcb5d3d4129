#!/usr/bin/env bash
# The sanitizer runner repeats a test only when the leak checker's tracer crashed at exit;
# a leak report, a sanitizer error or a failed test function fails at once, and a tracer
# crash that comes back fails too.
set -uo pipefail
runner="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A stand-in test program: $1 says how it ends, a counter file counts its runs.
cat > "$work/fake" <<'FAKE'
#!/usr/bin/env bash
runs=$(cat "$2" 2>/dev/null || echo 0)
echo $((runs + 1)) > "$2"
tracer() { echo "Tracer caught signal 11: addr=0x18a0 pc=0x7f89824e80f0" >&2
           echo "==1==LeakSanitizer has encountered a fatal error." >&2; exit 23; }
case "$1" in
    tracer-once) echo "Totals: 3 passed, 0 failed"; [ "$runs" = 0 ] && tracer; exit 0 ;;
    tracer-always) tracer ;;
    leak) echo "==1==ERROR: LeakSanitizer: detected memory leaks" >&2; exit 23 ;;
    leak-and-tracer) echo "==1==ERROR: LeakSanitizer: detected memory leaks" >&2; tracer ;;
    failed) echo "FAIL!  : T::f() 'x' returned FALSE."; tracer ;;
esac
FAKE
chmod +x "$work/fake"

failures=0
expect() {  # expect <mode> <exit status> <runs>
    rm -f "$work/runs"
    "$runner" "$work/fake" "$1" "$work/runs" > /dev/null 2>&1
    local status=$? runs
    runs=$(cat "$work/runs")
    if [ "$status" -ne "$2" ] || [ "$runs" -ne "$3" ]; then
        echo "FAIL: $1 ended $status after $runs runs; expected $2 after $3"
        failures=$((failures + 1))
    else
        echo "PASS: $1"
    fi
}
expect tracer-once 0 2
expect tracer-always 23 2
expect leak 23 1
expect leak-and-tracer 23 1
expect failed 23 1
exit $((failures > 0))
