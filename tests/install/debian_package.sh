#!/usr/bin/env bash
# Builds the Debian package of the program with CPack, checks it with lintian
# (no errors), that its dependencies can be met here, and installs it into an
# empty root with dpkg: the installed program answers --version and --lookup
# with the data it finds by itself, and removing the package leaves no file
# behind.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share-home
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/quorvel_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = quorvel ] || fail "package name"

# lintian: no errors (it says what it finds; warnings are shown, not fatal).
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"

# Sound is loaded at run time, out of dpkg-shlibdeps' sight: named by hand.
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-mixer-2.0-0' || fail "sound library missing from Depends"
# The pinyin module, loaded at run time too, needs the pinyin engine's library.
dpkg-deb -f "$deb" Depends | grep -q 'libimepinyin0' || fail "pinyin engine missing from Depends"

# The chart module's libraries are the package's dependencies too.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6charts6' || fail "Qt Charts missing from Depends"

# Every dependency resolves on this system (a simulated installation).
apt-get install -s -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "dependencies cannot be met"; }

# An empty root of its own: dpkg's database and nothing else.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-depends --force-not-root "$@"; }
# The libraries it depends on are the host's: --force-depends, and dpkg's
# complaints about them go to a log that is shown only on failure.
dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg could not install it"; }
dpkg_root -s quorvel | grep -qx 'Status: install ok installed' || fail "not installed"
for f in usr/bin/quorvel "usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quorvel/quorvel-charts.so" usr/share/quorvel/data/zb86.dz usr/share/quorvel/help/help.html \
         usr/share/quorvel/help/COPYING usr/share/doc/quorvel/copyright usr/share/doc/quorvel/changelog.gz \
         usr/share/applications/org.example.quorvel.desktop usr/share/metainfo/org.example.quorvel.metainfo.xml; do
    [ -e "$root/$f" ] || fail "missing after installation: /$f"
done
[ -n "$(find "$root/usr/lib" -path '*/quorvel/quorvel-pinyin.so')" ] || fail "missing after installation: the pinyin module"
version=$("$root/usr/bin/quorvel" --version)
[[ "$version" == *1.41* ]] || fail "--version answered: $version"
code=$("$root/usr/bin/quorvel" --lookup 我 --edition 86)
[[ "$code" == q* ]] || fail "--lookup answered: $code"

dpkg_root --purge quorvel >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg could not remove it"; }
left=$(find "$root" -mindepth 1 -not -path "$root/var/lib/dpkg*" \( -type f -o -type l \) | head)
[ -z "$left" ] || fail "left after removal: $left"
dpkg_root -s quorvel >/dev/null 2>&1 && fail "still registered after removal"
echo "the package installs, runs and removes cleanly"
