#!/usr/bin/env bash
# Installs a build as a package build does (prefix /usr, into a staging folder) and checks
# that exactly the two programs, their desktop entries and their square icons are installed.
#   check_install.sh <cmake> <build folder> <staging folder>
set -u
cmake=$1
build=$2
stage=$3

rm -rf "$stage"
if ! DESTDIR="$stage" "$cmake" --install "$build" --prefix /usr >"$stage.log" 2>&1; then
    cat "$stage.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

sizes="16 24 32 48 64 128 256"
expected=()
for program in kadroskop:Кадроскоп lampionika:Лампионика; do
    exe=${program%%:*}
    name=${program#*:}
    expected+=("usr/bin/$exe" "usr/share/applications/$exe.desktop")
    [ -x "$stage/usr/bin/$exe" ] || fail "$exe is not installed as an executable"

    entry="$stage/usr/share/applications/$exe.desktop"
    for line in "Name=$name" "Exec=$exe" "Icon=$exe" "Type=Application"; do
        grep -qx "$line" "$entry" 2>/dev/null || fail "$exe.desktop has no line $line"
    done

    for size in $sizes; do
        icon="usr/share/icons/hicolor/${size}x${size}/apps/$exe.png"
        expected+=("$icon")
        got=$(identify -format '%m %w %h' "$stage/$icon" 2>/dev/null)
        [ "$got" = "PNG $size $size" ] || fail "$icon: '$got', expected a ${size}x${size} PNG"
    done
done

unexpected=$(cd "$stage" && find . -type f -printf '%P\n' | grep -vxF -f <(printf '%s\n' "${expected[@]}"))
[ -z "$unexpected" ] || fail "installed besides the programs, entries and icons: $unexpected"

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed: ${#expected[@]} files, as expected"
