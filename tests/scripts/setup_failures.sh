#!/usr/bin/env bash
# A Wine prefix is marked ready only when every set-up command succeeded; a failed build keeps
# its whole log in the build tree and shows how it ended.
source "$(dirname "$0")/lib.bash"

for step in wineboot reg-import reg-add; do
  FAIL_AT=$step RUN_TIME=0 start_run test ctest
  stop_run wait
  expect_status "prefix set-up failing at $step" nonzero
  [ -e "$RUN_DIR/build/wineprefix/.ready" ] && fail "prefix set-up failing at $step: marked ready"
  [ -e "$RUN_DIR/marks/ctest" ] && fail "prefix set-up failing at $step: went on to the tests"
  expect_nothing_left "prefix set-up failing at $step"
done

RUN_TIME=0 start_run test ctest
stop_run wait
expect_status "prefix set-up succeeding" zero
[ -e "$RUN_DIR/build/wineprefix/.ready" ] || fail "prefix set-up succeeding: not marked ready"

BUILD_LINES=100 BUILD_STATUS=2 start_run test ctest
stop_run wait
expect_status "failed build" nonzero
log="$RUN_DIR/build/build.log"
grep -qx 'build step 1' "$log" && grep -qx 'build step 100' "$log" || fail "failed build: $log lacks lines"
grep -qx 'build step 70' "$RUN_DIR/output" && grep -qx 'build step 100' "$RUN_DIR/output" \
  || fail "failed build: its last lines were not shown"

finish "prefix readiness and build log"
