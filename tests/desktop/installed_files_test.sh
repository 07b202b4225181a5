#!/usr/bin/env bash
# Installs the build into a scratch prefix: exactly the programs, the menu
# entry, the two icons and the AppStream data, under the app id, naming one
# another and passing the desktop's own checkers (77: those are missing);
# and what Debian asks on top: manual pages, the copyright file and the
# changelog, one main menu category, programs bound at start-up.
#   installed_files_test.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -u
build=$1 source=$2 id=$3 version=$4 failures=0
fail() { echo "FAIL: $*" >&2 && failures=$((failures + 1)); }
usr=$(mktemp -d)/usr && trap 'rm -rf "${usr%/usr}"' EXIT
cmake --install "$build" --prefix "$usr" >/dev/null || { echo "FAIL: cmake --install" && exit 1; }
entry=$usr/share/applications/$id.desktop meta=$usr/share/metainfo/$id.metainfo.xml
expected=$(printf '%s\n' bin/shoutotsu bin/shoutotsu-trace "${entry#"$usr"/}" "${meta#"$usr"/}" \
    share/icons/hicolor/{32x32/apps/$id.png,scalable/apps/$id.svg} \
    share/doc/shoutotsu/{copyright,changelog.gz} share/man/man1/shoutotsu{,-trace}.1.gz | sort)
installed=$(cd "$usr" && find . -type f | sed 's|^\./||' | sort)
[[ $installed == "$expected" ]] || fail "installed files: $(diff <(echo "$expected") <(echo "$installed"))"
key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
tag() { sed -n "s|.*<$1[^>]*>\\([^<]*\\)</$1>.*|\\1|p" "$meta"; }
for program in "$(key Exec | cut -d' ' -f1)" "$(key TryExec)" $(tag binary); do
    [[ -n $program && -x $usr/bin/$program ]] || fail "'$program' is not an installed program"
done
[[ $(key Icon) == "$id" && $(tag id) == "$id" && $(tag launchable) == "$id.desktop" ]] ||
    fail "Icon=, <id> or <launchable> is not the app id"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$meta" | head -n 1) screenshots=$(tag image)
[[ $newest == "$version" ]] || fail "newest release is $newest, not $version"
for url in ${screenshots:-none}; do # https URLs of files in docs/
    [[ $url == https://*/docs/* && -f $source/docs/${url##*/docs/} ]] || fail "screenshot '$url'"
done
# A menu shows an entry once under each main category it names.
main=$(key Categories | tr ';' '\n' | grep -cxE \
    'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility')
[[ $main == 1 ]] || fail "Categories=$(key Categories) names $main main categories, not 1"
head -n 1 "$usr/share/doc/shoutotsu/copyright" | grep -q '^Format: https://www.debian.org/' ||
    fail "the copyright file is not machine-readable"
zcat "$usr/share/doc/shoutotsu/changelog.gz" | head -n 1 | grep -q "^shoutotsu ($version) " ||
    fail "the changelog does not begin with version $version"
for page in shoutotsu shoutotsu-trace; do
    zcat "$usr/share/man/man1/$page.1.gz" | grep -q '^\.TH' || fail "$page.1.gz is not a manual page"
done
zcat "$usr/share/man/man1/shoutotsu-trace.1.gz" | grep -q -- 'results' ||
    fail "the manual page of shoutotsu-trace does not hold its --help"
for program in "$usr"/bin/*; do
    readelf -d "$program" | grep -qE 'BIND_NOW|FLAGS_1.*NOW' || fail "$program is not bound now"
    readelf -h "$program" | grep -q 'DYN' || fail "$program is not position-independent"
done
((failures == 0)) || exit 1
command -v desktop-file-validate && command -v appstreamcli || { echo "skipped: no checkers" && exit 77; }
desktop-file-validate "$entry" && appstreamcli validate --no-net --pedantic --strict "$meta"
