#!/usr/bin/env bash
# Installs the built program twice, into a plain prefix and staged Debian-style
# under DESTDIR, and checks the installed tree: program, data, menu entry,
# icons and AppStream description, that the installed program finds its
# data by itself and does not load the sound or pinyin engine libraries at
# start (the pinyin module that does is installed beside it).
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share-home

check_tree() {
    local root=$1
    local share=$root/share
    for f in bin/quorvel share/quorvel/data/zb86.dz share/quorvel/data/zb98.dz \
             "share/quorvel/data/midi/高山流水.mid" share/quorvel/help/help.html share/quorvel/help/COPYING \
             share/quorvel/sound/yes.wav share/applications/org.example.quorvel.desktop \
             share/metainfo/org.example.quorvel.metainfo.xml share/doc/quorvel/copyright \
             share/icons/hicolor/scalable/apps/quorvel.svg \
             share/icons/hicolor/48x48/apps/quorvel.png share/icons/hicolor/256x256/apps/quorvel.png; do
        [ -e "$root/$f" ] || { echo "missing: $root/$f"; return 1; }
    done
    [ ! -e "$share/quorvel/data/.stamp" ] || { echo "build stamp installed"; return 1; }
    [ -n "$(find "$root/lib" -path '*/quorvel/quorvel-pinyin.so')" ] || { echo "missing: the pinyin module"; return 1; }
    desktop-file-validate "$share/applications/org.example.quorvel.desktop"
    grep -qx 'Categories=Education;' "$share/applications/org.example.quorvel.desktop"
    grep -q '^Name\[zh_CN\]=.*打字' "$share/applications/org.example.quorvel.desktop"
    appstreamcli validate --no-net "$share/metainfo/org.example.quorvel.metainfo.xml"
    # Sound libraries load when sound is first needed, not with the program.
    if objdump -p "$root/bin/quorvel" | grep -E 'NEEDED +libSDL'; then
        echo "the program is linked to the sound libraries"; return 1
    fi
    # The progress charts: a module of their own, Qt Charts not loaded at start.
    compgen -G "$root/lib/*/quorvel/quorvel-charts.so" >/dev/null || { echo "missing: $root/lib/*/quorvel/quorvel-charts.so"; return 1; }
    if objdump -p "$root/bin/quorvel" | grep -E 'NEEDED +libQt6(Charts|OpenGL)'; then
        echo "the program is linked to Qt Charts"; return 1
    fi
    if objdump -p "$root/bin/quorvel" | grep -E 'NEEDED +lib(IME|Fcitx)'; then
        echo "the program is linked to the pinyin engine's libraries"; return 1
    fi
    # The installed program, with no --data-dir and no data beside it.
    local code
    code=$("$root/bin/quorvel" --lookup 我 --edition 86)
    [[ "$code" == q* ]] || { echo "lookup answered: $code"; return 1; }
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr/local >/dev/null
check_tree "$work/stage/usr/local"
echo "installed trees are complete"
