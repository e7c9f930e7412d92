#!/usr/bin/env bash
# scripts/package packs the same bytes wherever and whenever it runs: two runs into build trees at
# different paths, seconds apart, over the same executable give the same zip. The build is a
# stand-in; the executable's own determinism is a property of the compiler flags, checked by hand
# (README).
source "$(dirname "$0")/lib.bash"

mkdir -p "$WORK/package-bin"
cat >"$WORK/package-bin/cmake" <<'CMAKE'
#!/usr/bin/env bash
# configure: -S ROOT -B BUILD ...; build: --build BUILD ...
case "$1" in
  -S) mkdir -p "$4" && echo 9.8.7 >"$4/version.txt" ;;
  --build) mkdir -p "$2/bin" && printf 'MZ\x90\x00 stand-in' >"$2/bin/screencut.exe" ;;
esac
CMAKE
chmod +x "$WORK/package-bin/cmake"

pack() {  # build tree
  mkdir -p "$(dirname "$1")"
  PATH="$WORK/package-bin:$WORK/bin:$PATH" BUILD_DIR="$1" bash "$ROOT/scripts/package" </dev/null \
    >"$1.output" 2>&1 || fail "scripts/package into $1 failed: $(tail -n 3 "$1.output")"
}
pack "$WORK/first"
sleep 2   # the zip format's clock steps by two seconds
pack "$WORK/elsewhere/second"

zip=screencut-9.8.7-win32.zip
cmp -s "$WORK/first/$zip" "$WORK/elsewhere/second/$zip" || fail "two runs packed different bytes"
listing=$(/usr/bin/python3 - "$WORK/first/$zip" <<'PY'
import sys, zipfile
for info in zipfile.ZipFile(sys.argv[1]).infolist():
    data = zipfile.ZipFile(sys.argv[1]).read(info)
    text = info.filename.endswith(".txt")
    print(info.filename, info.create_system, info.external_attr,
          text and data.startswith(b"\xef\xbb\xbf") and b"\n" not in data.replace(b"\r\n", b""))
PY
)
expected="screencut-9.8.7/LICENSE.txt 0 32 True
screencut-9.8.7/README.txt 0 32 True
screencut-9.8.7/screencut.exe 0 32 False"
[ "$listing" = "$expected" ] || fail "the zip holds: $listing"

finish "scripts/package packs the same bytes"
