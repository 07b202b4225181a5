#!/usr/bin/env bash
# Checks the menu entry or the AppStream data with the desktop's own checkers;
# exit 77 (skipped) when the checker is not installed.
#   validate_desktop_data.sh desktop FILE.desktop | metainfo FILE.metainfo.xml
set -u
case $1 in
desktop) checker=(desktop-file-validate "$2") ;; # hints (two main categories, on purpose) pass
metainfo) checker=(appstreamcli validate --no-net --pedantic --strict "$2") ;;
*) echo "unknown kind: $1" >&2 && exit 2 ;;
esac
if ! command -v "${checker[0]}" >/dev/null; then
    echo "skipped: ${checker[0]} is not installed"
    exit 77
fi
exec "${checker[@]}"
