#!/bin/sh
# Stands in for tarnel-engine in the tests of analysis while editing. The first line of the
# project says how to behave; any other first line runs the real engine, $TARNEL_REAL_ENGINE.
#   crash           dies of a segmentation fault
#   hang            never ends (its pid goes to $TARNEL_FAKE_PID, when set)
#   sleep SECONDS   waits, then runs the real engine
#   exit CODE       ends with that code, writing nothing
read -r what arg < "$1" || true
case "$what" in
crash) kill -SEGV $$ ;;
hang)
    [ -n "${TARNEL_FAKE_PID:-}" ] && echo $$ > "$TARNEL_FAKE_PID"
    exec sleep 60 ;;
sleep) sleep "$arg" ;;
exit) exit "$arg" ;;
esac
exec "$TARNEL_REAL_ENGINE" "$1"
