#!/usr/bin/env bash
# The sanitizer runner repeats a test, at most twice, only when the leak checker's tracer
# crashed at exit or when every leaked block was allocated from system libraries alone; a
# leak allocated from our own code, a sanitizer error or a failed test function fails at
# once, and a fault that keeps coming back fails too.
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
# A leak report whose direct leak has the given frame below the allocator's own.
leak_report() { cat >&2 <<REPORT
==1==ERROR: LeakSanitizer: detected memory leaks

Direct leak of 152 byte(s) in 1 object(s) allocated from:
    #0 0x7f646aeb94c8 in operator new(unsigned long) ../../../../src/libsanitizer/asan/asan_new_delete.cpp:95
    $1

Indirect leak of 66 byte(s) in 1 object(s) allocated from:
    #0 0x7f646aeb89cf in __interceptor_malloc ../../../../src/libsanitizer/asan/asan_malloc_linux.cpp:69
    #1 0x7f64695f72b2 in QArrayData::allocate (/lib/x86_64-linux-gnu/libQt6Core.so.6+0x1f72b2)
    #2 0x1d29942f6f5bbfff  (<unknown module>)

SUMMARY: AddressSanitizer: 218 byte(s) leaked in 2 allocation(s).
REPORT
exit 23; }
qt_frame='#1 0x7f64695f3481  (/lib/x86_64-linux-gnu/libQt6Core.so.6+0x1f3481)'
our_frame='#1 0x55555559b621 in Session::Session /work/tests/editing/tst_undo.cpp:42'
case "$1" in
    tracer-once) echo "Totals: 3 passed, 0 failed"; [ "$runs" = 0 ] && tracer; exit 0 ;;
    tracer-always) tracer ;;
    leak) echo "==1==ERROR: LeakSanitizer: detected memory leaks" >&2; exit 23 ;;
    leak-and-tracer) echo "==1==ERROR: LeakSanitizer: detected memory leaks" >&2; tracer ;;
    system-leak-once) [ "$runs" = 0 ] && leak_report "$qt_frame"; exit 0 ;;
    system-leak-always) leak_report "$qt_frame" ;;
    our-leak) leak_report "$our_frame" ;;
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
expect tracer-always 23 3
expect system-leak-once 0 2
expect system-leak-always 23 3
expect our-leak 23 1
expect leak 23 1
expect leak-and-tracer 23 1
expect failed 23 1
exit $((failures > 0))
