#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop finds
# there: exactly the programs, the menu entry, the two icons and the AppStream
# data, under the app id, and pointing at one another.
#
# Usage: installed_files_test.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -u

build=$1
source=$2
id=$3
version=$4

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if ! cmake --install "$build" --prefix "$prefix/usr" >/dev/null; then
    echo "FAIL: cmake --install failed" >&2
    exit 1
fi
usr=$prefix/usr

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
if [[ $installed != "$expected" ]]; then
    fail "installed files differ from the expected ones:"
    diff <(echo "$expected") <(echo "$installed") >&2
fi
for program in shoutotsu shoutotsu-trace; do
    [[ -x $usr/bin/$program ]] || fail "bin/$program is not executable"
done

# The menu entry starts an installed program and names the installed icon.
entry=$usr/share/applications/$id.desktop
key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
for exec_key in Exec TryExec; do
    program=$(key "$exec_key" | cut -d' ' -f1)
    [[ -n $program && -x $usr/bin/$program ]] || fail "$exec_key=$program is not an installed program"
done
[[ $(key Icon) == "$id" ]] || fail "Icon=$(key Icon), expected $id"
[[ $(key Name) == "ぴるての衝突" ]] || fail "Name=$(key Name)"

# The AppStream data names the same component, entry, programs and version,
# and its screenshots are the ones in docs/.
metainfo=$usr/share/metainfo/$id.metainfo.xml
tag() { sed -n "s|.*<$1[^>]*>\\([^<]*\\)</$1>.*|\\1|p" "$metainfo"; }
[[ $(tag id) == "$id" ]] || fail "<id> is $(tag id), expected $id"
[[ $(tag launchable) == "$id.desktop" ]] || fail "<launchable> is $(tag launchable)"
for program in $(tag binary); do
    [[ -x $usr/bin/$program ]] || fail "<binary>$program</binary> is not installed"
done
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[[ $newest == "$version" ]] || fail "newest release is $newest, the project is $version"
screenshots=$(tag image)
[[ -n $screenshots ]] || fail "no screenshot"
for url in $screenshots; do
    [[ $url == https://*/docs/* ]] || fail "screenshot $url is not an https URL of docs/"
    [[ -f $source/docs/${url##*/docs/} ]] || fail "screenshot $url is not in docs/"
done

if ((failures > 0)); then
    exit 1
fi
echo "PASS: the installed files are complete and consistent"
