#!/usr/bin/env bash
# Builds the libraries the Windows programs link into
# build/windows-deps/prefix, for 64-bit MinGW-w64:
#  - libjpeg-turbo and libqrencode from Debian's own source packages
#    (libjpeg-turbo and qrencode)
#    (apt-get source; a deb-src entry is added when the system has none),
#  - GoogleTest from the sources of Debian's googletest package,
#  - the nlohmann-json headers of Debian's nlohmann-json3-dev.
# Each library is built once and kept; delete build/windows-deps to start over.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
deps="$root/build/windows-deps"
prefix="$deps/prefix"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"
mkdir -p "$deps/src" "$prefix"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Source packages need deb-src entries; mirror the deb entries' URIs, suites
# and keys when there are none.
ensure_source_entries() {
  apt-cache showsrc qrencode 2>/dev/null | grep -q '^Package:' && return 0
  local list=/etc/apt/sources.list.d/wexmora-deb-src.sources
  echo "Adding the source package entries $list" >&2
  python3 "$root/tools/windows/deb_src_entries.py" | as_root tee "$list" >/dev/null
  apt_retry apt-get update -qq
}

# apt takes a lock; another apt run on the machine makes us wait and retry.
apt_retry() {
  local attempt
  for attempt in $(seq 30); do
    as_root "$@" -o DPkg::Lock::Timeout=60 && return 0
    echo "apt is busy or failed; retrying in 10 s ($attempt/30)" >&2
    sleep 10
  done
  return 1
}

# When the Debian part of a source package cannot be fetched, its upstream
# tarball (checked against the .dsc that apt already verified) is enough to
# build the library: Debian's patches change packaging and tools only.
unpack_upstream() {
  local name=$1 dsc orig sum
  dsc=$(find "$deps/src" -maxdepth 1 -name "${name}_*.dsc" | head -n 1)
  orig=$(find "$deps/src" -maxdepth 1 -name "${name}_*.orig.tar.*" | head -n 1)
  [ -n "$dsc" ] && [ -n "$orig" ] || { echo "build-deps: apt-get source $name failed" >&2; exit 1; }
  sum=$(awk -v f="$(basename "$orig")" '/^Checksums-Sha256:/{s=1;next} /^[^ ]/{s=0} s && $3==f {print $1}' "$dsc")
  echo "$sum  $orig" | sha256sum -c --quiet - || { echo "build-deps: $orig does not match $dsc" >&2; exit 1; }
  echo "build-deps: building $name from its upstream tarball $(basename "$orig")" >&2
  tar -xf "$orig" -C "$deps/src"
}

# Downloads and unpacks a Debian source package once; prints its folder.
source_package() {
  local name=$1
  local dir
  dir=$(find "$deps/src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n 1)
  if [ -z "$dir" ]; then
    ensure_source_entries
    (cd "$deps/src" && apt-get source -qq "$name" >&2) || unpack_upstream "$name"
    dir=$(find "$deps/src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "build-deps: cannot unpack the source package $name" >&2; exit 1; }
  echo "$dir"
}

# build NAME SOURCE_DIR CMAKE_OPTIONS...: configure, build, install once.
build() {
  local name=$1 source=$2; shift 2
  local stamp="$prefix/.built-$name-$(basename "$source")"
  [ -f "$stamp" ] && return 0
  echo "Building $name for MinGW-w64 ($(basename "$source"))"
  rm -rf "$deps/build-$name"
  cmake -S "$source" -B "$deps/build-$name" -G Ninja --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DWEXMORA_WINDOWS_DEPS="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@" >"$deps/build-$name.log" 2>&1 ||
    { tail -n 30 "$deps/build-$name.log" >&2; exit 1; }
  cmake --build "$deps/build-$name" -j "$jobs" >>"$deps/build-$name.log" 2>&1 &&
    cmake --install "$deps/build-$name" >>"$deps/build-$name.log" 2>&1 ||
    { tail -n 30 "$deps/build-$name.log" >&2; exit 1; }
  touch "$stamp"
}

# libjpeg-turbo's SIMD code needs nasm; the screenshot does not need its speed.
jpeg_source=$(source_package libjpeg-turbo)
build libjpeg-turbo "$jpeg_source" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
qrencode_source=$(source_package qrencode)  # the source of libqrencode4
build libqrencode "$qrencode_source" -DWITH_TOOLS=NO -DWITH_TESTS=NO
build googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

# Header-only: the headers and CMake package files of the installed package.
if [ ! -f "$prefix/include/nlohmann/json.hpp" ]; then
  mkdir -p "$prefix/include" "$prefix/share/cmake"
  cp -r /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
fi
echo "MinGW-w64 libraries ready in $prefix"
