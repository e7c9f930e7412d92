#!/usr/bin/env bash
# However scripts/test, scripts/run and scripts/bench end (their work done or failed, Ctrl-C,
# or killed), no Xvfb, window manager, Wine server or child process of theirs is left running.
source "$(dirname "$0")/lib.bash"

start_run test ctest
expect_running Xvfb openbox wineserver ctest "ctest's-child"
stop_run ctrl-c
expect_status "test, Ctrl-C while testing" nonzero
expect_nothing_left "test, Ctrl-C while testing"

start_run test ctest
expect_running Xvfb openbox wineserver ctest "ctest's-child"
stop_run term
expect_status "test, killed while testing" nonzero
expect_nothing_left "test, killed while testing"

HANG_AT=wineboot start_run test wineboot
expect_running Xvfb openbox wineboot
stop_run term
expect_nothing_left "test, killed while making the Wine prefix"

CTEST_STATUS=1 RUN_TIME=1 start_run test ctest
expect_running Xvfb openbox wineserver ctest
stop_run wait
expect_status "test, a test failed" nonzero
expect_nothing_left "test, a test failed"

start_run run program
expect_running Xvfb openbox wineserver program
stop_run ctrl-c
expect_nothing_left "run, Ctrl-C"

RUN_TIME=1 start_run run program
expect_running Xvfb openbox wineserver program
stop_run wait
expect_status "run, program closed" zero
expect_nothing_left "run, program closed"

start_run bench program --sizes 640x480 --moves 1 --repeats 1
expect_running Xvfb openbox wineserver program
stop_run term
expect_status "bench, killed" nonzero
expect_nothing_left "bench, killed"

finish "nothing left behind by test, run or bench"
