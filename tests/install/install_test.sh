#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs into a temporary prefix and builds the .deb, then runs the
# installed program from both against fake rfkill devices.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# One rfkill record: idx (4 bytes), type, op, soft, hard.
printf '\0\0\0\0\1\0\0\0\1\0\0\0\2\0\1\0' >"$work/rfkill" # WLAN on, Bluetooth soft-blocked

check_program() { # PROGRAM
  local out
  out=$(TALV_RFKILL_DEVICE="$work/rfkill" LD_LIBRARY_PATH= "$1" /get)
  [[ $out == $'Wireless feature is On.\nBluetooth feature is Off.' ]] || fail "$1 /get: $out"
  out=$(TALV_RFKILL_DEVICE="$work/absent" LD_LIBRARY_PATH= "$1" /get)
  [[ $out == $'Cannot find Wireless device.\nCannot find Bluetooth device.' ]] ||
    fail "$1 without a device: $out"
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/velmira lib/velmira/TALV.dll share/man/man1/velmira.1; do
  [[ -f $work/prefix/$file ]] || fail "not installed: $file"
done
check_program "$work/prefix/bin/velmira"
echo "installed layout: ok"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/velmira_*.deb)
dpkg-deb -x "$deb" "$work/root"
[[ -f $work/root/usr/share/man/man1/velmira.1 ]] || fail "the package lacks the man page"
check_program "$work/root/usr/bin/velmira"
# A package that depends on nothing must hold nothing that needs a shared library.
if [[ -z $(dpkg-deb -f "$deb" Depends) ]]; then
  for file in usr/bin/velmira usr/lib/velmira/TALV.dll; do
    ! readelf -d "$work/root/$file" | grep -q NEEDED || fail "$file needs a shared library"
  done
fi
echo "package $(basename "$deb"): ok"
