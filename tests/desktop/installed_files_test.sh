#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop finds
# there: exactly the programs, the menu entry, the two icons and the AppStream
# data, under the app id, and pointing at one another.
#   installed_files_test.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -u
build=$1 source=$2 id=$3 version=$4
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
usr=$prefix/usr
cmake --install "$build" --prefix "$usr" >/dev/null || { echo "FAIL: cmake --install" >&2 && exit 1; }

expected=$(sort <<EOF_FILES
bin/shoutotsu
bin/shoutotsu-trace
share/applications/$id.desktop
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/metainfo/$id.metainfo.xml
EOF_FILES
)
installed=$(cd "$usr" && find . -type f | sed 's|^\./||' | sort)
[[ $installed == "$expected" ]] || fail "installed files: $(diff <(echo "$expected") <(echo "$installed"))"

# The menu entry starts installed programs and names the installed icon.
key() { sed -n "s/^$1=//p" "$usr/share/applications/$id.desktop" | head -n 1; }
for program in shoutotsu shoutotsu-trace "$(key Exec | cut -d' ' -f1)" "$(key TryExec)"; do
    [[ -n $program && -x $usr/bin/$program ]] || fail "'$program' is not an installed program"
done
[[ $(key Icon) == "$id" ]] || fail "Icon=$(key Icon), expected $id"

# The AppStream data names the same component, entry, programs and version;
# its screenshots are https URLs of files in docs/.
tag() { sed -n "s|.*<$1[^>]*>\\([^<]*\\)</$1>.*|\\1|p" "$usr/share/metainfo/$id.metainfo.xml"; }
[[ $(tag id) == "$id" && $(tag launchable) == "$id.desktop" ]] || fail "<id> or <launchable> wrong"
for program in $(tag binary); do
    [[ -x $usr/bin/$program ]] || fail "<binary>$program</binary> is not installed"
done
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$usr/share/metainfo/$id.metainfo.xml")
[[ ${newest%%$'\n'*} == "$version" ]] || fail "newest release is ${newest%%$'\n'*}, not $version"
screenshots=$(tag image)
[[ -n $screenshots ]] || fail "no screenshot"
for url in $screenshots; do
    [[ $url == https://*/docs/* && -f $source/docs/${url##*/docs/} ]] || fail "screenshot $url"
done

((failures == 0)) && echo "PASS: the installed files are complete and consistent"
