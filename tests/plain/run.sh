#!/usr/bin/env bash
# Runs the plain-system tests in the plain prefix and ends that prefix's Wine processes after.
BUILD=${1:?build directory}
shift
source "$(dirname "$0")/../../scripts/plain-prefix.sh"
plain_wine_prefix "$BUILD"
plain_wine "$BUILD/bin/plain_tests.exe" "$@"
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
