#!/usr/bin/env bash
# A Wine prefix is marked ready only when every set-up command succeeded; a failed build keeps
# its whole log in the build tree and shows how it ended; packages install past a mirror mid-sync.
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

# A mirror mid-sync: the update fails, so does the plain install; the install is made again from
# the sources without the security stanza, and the run goes on.
printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\n\nTypes: deb\nURIs: http://deb.debian.org/debian-security\nSuites: bookworm-security\n' \
  >"$WORK/debian.sources"
MISSING="wine32:i386 openbox" UPDATE_STATUS=100 INSTALL_STATUS=100 APT_SOURCES="$WORK/debian.sources" RUN_TIME=0 \
  start_run test ctest
stop_run wait
expect_status "install without the security sources" zero
apt="$RUN_DIR/marks/apt-get" parts="$RUN_DIR/marks/parts/debian.sources"
[ "$(grep -c '^install .*wine32:i386 openbox$' "$apt")" = 2 ] || fail "install without the security sources: $(cat "$apt")"
tail -1 "$apt" | grep -q 'Dir::Etc::SourceParts=' || fail "the second install did not name its sources"
grep -qx 'Suites: bookworm bookworm-updates' "$parts" && ! grep -q security "$parts" \
  || fail "the sources of the second install: $(cat "$parts")"

finish "prefix readiness, build log and installing past a mirror mid-sync"
