#!/usr/bin/env bash
# Validates the menu entry or the AppStream data with the desktop's own
# checkers, as software centres and distributions do.
#
# Usage: validate_desktop_data.sh desktop FILE.desktop
#        validate_desktop_data.sh metainfo FILE.metainfo.xml
# Exit 77 (skipped) when the checker is not installed.
set -u

kind=$1
file=$2
case $kind in
desktop) tool=desktop-file-validate ;;
metainfo) tool=appstreamcli ;;
*)
    echo "unknown kind: $kind" >&2
    exit 2
    ;;
esac
if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
fi

if [[ $kind == desktop ]]; then
    # Hints (such as two main categories, which the entry has on purpose)
    # are printed but pass.
    desktop-file-validate "$file"
else
    # --strict fails on warnings and informational notes too; pedantic
    # notes are printed for the reader.
    appstreamcli validate --no-net --pedantic --strict "$file"
fi
