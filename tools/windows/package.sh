#!/usr/bin/env bash
# Packages the cross-built Windows programs of BUILD (build/windows):
#   BUILD/wexmora-<version>-x64.msi           the installer, made by wixl from
#                                             packaging/windows/wexmora.wxs
#   BUILD/wexmora-<version>-x64-portable.zip  both programs and a short text
# The version is the build's own (CMAKE_PROJECT_VERSION in its cache);
# --version V and --output DIR let the installer test make a newer one.
# Usage: package.sh [--version V] [--output DIR] [--msi-only] [BUILD]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
version="" output="" msi_only=0 build="$root/build/windows"
while [ $# -gt 0 ]; do
  case "$1" in
    --version) version="$2"; shift 2 ;;
    --output) output="$2"; shift 2 ;;
    --msi-only) msi_only=1; shift ;;
    -*) echo "package.sh: unknown option $1" >&2; exit 2 ;;
    *) build="$1"; shift ;;
  esac
done
for tool in wixl zip; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (make windows-package installs it)" >&2; exit 1; }
done
for program in wexmora.exe wexmora-info.exe; do
  [ -f "$build/app/$program" ] || { echo "package.sh: $build/app/$program is missing: run make windows first" >&2; exit 1; }
done
if [ -z "$version" ]; then
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
  [ -n "$version" ] || { echo "package.sh: no project version in $build/CMakeCache.txt" >&2; exit 1; }
fi
# An installer's version has up to three numbers, each below 256 (the
# first two) or 65536 (the third).
[[ "$version" =~ ^[0-9]+\.[0-9]+(\.[0-9]+)?$ ]] || { echo "package.sh: '$version' is not an installer version" >&2; exit 1; }
output="${output:-$build}"
mkdir -p "$output"
output="$(cd "$output" && pwd)"
icon="$root/resources/icons/wexmora.ico"
[ -f "$icon" ] || icon="$build/generated/windows/wexmora-standin.ico"

# wixl takes the files by paths relative to where it runs: a staging folder.
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/installer"
cp "$build/app/wexmora.exe" "$build/app/wexmora-info.exe" "$stage/installer/"
cp "$icon" "$stage/installer/wexmora.ico"
msi="$output/wexmora-$version-x64.msi"
(cd "$stage/installer" && wixl --arch x64 -D Version="$version" -D BinDir=. -D Icon=wexmora.ico \
  -o "$msi" "$root/packaging/windows/wexmora.wxs")
echo "Built $msi"
[ "$msi_only" -eq 1 ] && exit 0

zip_name="wexmora-$version-x64-portable"
mkdir "$stage/$zip_name"
cp "$build/app/wexmora.exe" "$build/app/wexmora-info.exe" "$stage/$zip_name/"
# The text with Windows line ends, for Notepad of every version.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/packaging/windows/portable.txt" >"$stage/$zip_name/readme.txt"
rm -f "$output/$zip_name.zip"
(cd "$stage" && zip -q -X -r "$output/$zip_name.zip" "$zip_name")
echo "Built $output/$zip_name.zip"
