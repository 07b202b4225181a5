#!/usr/bin/env bash
# C++ lint, fails on the first finding:
#  1. every C++ file of the project is laid out as .clang-format says
#     (fix with: clang-format -i FILE);
#  2. the core (app/, scene/, run/, and platform/ without its Qt binding) and
#     the browser's binding (platform/web/) pass the clang-tidy checks of
#     .clang-tidy, compiled as build/compile_commands.json says (BUILD_DIR to
#     use another build); the binding's entries that only the browser build
#     compiles are checked with the desktop compiler and emscripten's headers;
#  3. no file of the core includes a binding's header, but for the program's
#     two entries, which hand the form to a binding.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing clang-format clang-tidy
cd "$ROOT"

echo "== clang-format"
# The source folders only: the build trees and node_modules hold no code of
# ours. version.cpp.in is a template, not C++ until configured.
mapfile -d '' sources < <(find app bench data platform run scene tests tools \
    -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
clang-format --dry-run --Werror "${sources[@]}"
echo "${#sources[@]} files formatted as .clang-format says"

echo "== the core includes no binding"
if grep -rlE '#include "platform/(qt|web)/' app run scene platform --include='*.h' \
    --include='*.cpp' --exclude-dir=qt --exclude-dir=web | grep -vxE 'app/(main|web_main)\.cpp'; then
    echo "these files of the core include a binding's header" >&2
    exit 1
fi

echo "== clang-tidy"
if [ ! -f "$BUILD_DIR/compile_commands.json" ]; then
    if [ -f "$BUILD_DIR/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" >/dev/null
    else
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja >/dev/null
    fi
fi
# The core's sources as this build compiles them, the browser binding's
# among them (its tests compile it); the desktop-only entry is left out.
mapfile -t core < <(grep -o '"file": *"[^"]*"' "$BUILD_DIR/compile_commands.json" |
    sed 's/^"file": *"//; s/"$//' | sed "s|^$ROOT/||" |
    grep -E '^(app|scene|run|platform)/' | grep -vE '^platform/qt/' | sort -u)
if [ ${#core[@]} -eq 0 ]; then
    echo "no core sources in $BUILD_DIR/compile_commands.json" >&2
    exit 1
fi
# Each file's count of warnings from outside the project is left out.
quiet() { sed -E '/^[0-9]+ warnings? generated\.$/d'; }
printf '%s\0' "${core[@]}" |
    xargs -0 -n 2 -P "$(nproc)" clang-tidy --quiet -p "$BUILD_DIR" 2>&1 | quiet
# The browser's own entries include emscripten.h: emscripten's headers alone,
# beside the desktop's C++ library, let the desktop compiler read them.
browser_only=(app/web_main.cpp platform/web/page_api.cpp platform/web/measuring_aids_api.cpp)
emscripten_headers="$(mktemp -d)"
trap 'rm -rf "$emscripten_headers"' EXIT
sysroot_include="$(em-config CACHE)/sysroot/include"
ln -s "$sysroot_include/emscripten.h" "$sysroot_include/emscripten" "$emscripten_headers/"
clang-tidy --quiet "${browser_only[@]}" -- -std=c++17 -I"$ROOT" -isystem "$emscripten_headers" \
    -D__EMSCRIPTEN__ 2>&1 | quiet
echo "$((${#core[@]} + ${#browser_only[@]})) core and browser binding files pass .clang-tidy"
