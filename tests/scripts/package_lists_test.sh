#!/usr/bin/env bash
# Every tool that a make target, a test or a fault script runs comes from a
# Debian package in the list that the target installs, so a fresh Debian 12
# machine sets itself up. The table names each tool (a command, or a file for
# the runtimes and scripts that are not commands), the Makefile list of the
# target that needs it and the package expected to provide it. Where the tool
# is installed, dpkg -S says which package provides it; that package must be
# in the list, or be a direct dependency of a package in the list (clang pulls
# clang-14). Where it is not installed yet, the table's package is checked.
# A second run with a list cut short must fail, naming the package and list.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0

# clang-format off
#  tool                                              list                 package when not installed
tools=(
  "desktop-file-validate                             PACKAGING_PACKAGES   desktop-file-utils"
  "appstreamcli                                      PACKAGING_PACKAGES   appstream"
  "lintian                                           PACKAGING_PACKAGES   lintian"
  "dpkg-buildpackage                                 PACKAGING_PACKAGES   dpkg-dev"
  "dh                                                PACKAGING_PACKAGES   debhelper"
  "fish                                              PACKAGING_PACKAGES   fish"
  "/usr/share/bash-completion/bash_completion        PACKAGING_PACKAGES   bash-completion"
  "rsvg-convert                                      PACKAGING_PACKAGES   librsvg2-bin"
  "man                                               PACKAGING_PACKAGES   man-db"
  "groff                                             PACKAGING_PACKAGES   groff-base"
  "file                                              PACKAGING_PACKAGES   file"
  "prometheus                                        FLEET_PACKAGES       prometheus"
  "promtool                                          FLEET_PACKAGES       prometheus"
  "prometheus-node-exporter                          FLEET_PACKAGES       prometheus-node-exporter"
  "ansible                                           FLEET_PACKAGES       ansible-core"
  "systemd-analyze                                   FLEET_PACKAGES       systemd"
  "cmake                                             PACKAGES             cmake"
  "ninja                                             PACKAGES             ninja-build"
  "g++                                               PACKAGES             g++"
  "pkg-config                                        PACKAGES             pkg-config"
  "python3                                           PACKAGES             python3"
  "clang-format                                      PACKAGES             clang-format"
  "zbarimg                                           PACKAGES             zbar-tools"
  "xvfb-run                                          PACKAGES             xvfb"
  "Xvfb                                              PACKAGES             xvfb"
  "xdotool                                           PACKAGES             xdotool"
  "/usr/libexec/at-spi-bus-launcher                  PACKAGES             at-spi2-core"
  "/usr/lib/python3/dist-packages/pyatspi/__init__.py PACKAGES            python3-pyatspi"
  "dbus-run-session                                  PACKAGES             dbus-daemon"
  "/usr/share/fonts/opentype/liberation2/LiberationSans-Regular.otf PACKAGES fonts-liberation2"
  "clang++                                           FUZZ_PACKAGES        clang"
  "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a FUZZ_PACKAGES libclang-rt-dev"
  "x86_64-w64-mingw32-g++-posix                      WINDOWS_PACKAGES     g++-mingw-w64-x86-64-posix"
  "dpkg-source                                       WINDOWS_PACKAGES     dpkg-dev"
  "cmake                                             WINDOWS_PACKAGES     cmake"
  "ninja                                             WINDOWS_PACKAGES     ninja-build"
  "xz                                                WINDOWS_PACKAGES     xz-utils"
  "bzip2                                             WINDOWS_PACKAGES     bzip2"
  "/usr/src/googletest/CMakeLists.txt                WINDOWS_PACKAGES     googletest"
  "/usr/include/nlohmann/json.hpp                    WINDOWS_PACKAGES     nlohmann-json3-dev"
  "wine                                              WINDOWS_PACKAGES     wine"
  "wine64                                            WINDOWS_PACKAGES     wine64"
  "wine                                              WINE_PACKAGES        wine"
  "wine64                                            WINE_PACKAGES        wine64"
  "/usr/share/wine/fonts/tahoma.ttf                  WINE_PACKAGES        fonts-wine"
  "Xvfb                                              WINE_PACKAGES        xvfb"
  "xdotool                                           WINE_PACKAGES        xdotool"
  "xwininfo                                          WINE_PACKAGES        x11-utils"
  "wixl                                              WINE_PACKAGES        wixl"
  "msiinfo                                           WINE_PACKAGES        msitools"
  "msidump                                           WINE_PACKAGES        msitools"
  "zip                                               WINE_PACKAGES        zip"
  "wixl                                              WINDOWS_PACKAGE_PACKAGES wixl"
  "zip                                               WINDOWS_PACKAGE_PACKAGES zip"
)
# clang-format on

# The path of an installed tool, Debian's own first (a python3 of pyenv or a
# tool in /usr/local is not what a fresh machine has); empty when missing.
installed_path() {
  local tool=$1 dir match
  if [[ $tool == /* ]]; then
    for match in $tool; do [ -e "$match" ] && { echo "$match"; return; }; done
    return
  fi
  for dir in /usr/bin /bin /usr/sbin /sbin; do
    [ -e "$dir/$tool" ] && { echo "$dir/$tool"; return; }
  done
}

# The package that provides a path: the path as it stands, then with its
# links resolved (/usr/bin/clang++ is clang's link into clang-14).
providing_package() {
  local owner
  owner=$(dpkg -S "$1" 2>/dev/null || dpkg -S "$(readlink -f "$1")" 2>/dev/null)
  owner=${owner%%$'\n'*}
  owner=${owner%%:*}
  echo "${owner%%,*}"
}

# check LISTS_FILE: every row of the table; prints a FAIL line per fault and
# returns the number of faults.
check() {
  local lists=$1 row tool list fallback path package members faults=0 ok dependency
  for row in "${tools[@]}"; do
    read -r tool list fallback <<<"$row"
    members=" $(sed -n "s/^$list: *//p" "$lists") "
    path=$(installed_path "$tool")
    package=$fallback
    if [ -n "$path" ]; then
      package=$(providing_package "$path")
      [ -n "$package" ] || package=$fallback
    fi
    ok=0
    [[ $members == *" $package "* ]] && ok=1
    if [ $ok -eq 0 ]; then
      for dependency in $members; do
        dpkg-query -W -f='${Pre-Depends},${Depends}\n' "$dependency" 2>/dev/null | tr ',|' '\n\n' |
          sed 's/(.*//; s/:any//; s/ //g' | grep -qxF -- "$package" && { ok=1; break; }
      done
    fi
    if [ $ok -eq 0 ]; then
      echo "FAIL: $tool comes from the package $package, which is not in the Makefile's $list"
      faults=$((faults + 1))
    fi
  done
  return $faults
}

make -s -C "$source_dir" print-packages >"$scratch/lists" 2>"$scratch/err" ||
  { echo "FAIL: make print-packages"; cat "$scratch/err"; exit 1; }
for list in PACKAGES PACKAGING_PACKAGES FLEET_PACKAGES FUZZ_PACKAGES WINDOWS_PACKAGES WINE_PACKAGES WINDOWS_PACKAGE_PACKAGES; do
  if grep -q "^$list: [a-z0-9]" "$scratch/lists"; then passed=$((passed + 1)); else
    echo "FAIL: make print-packages has no $list list"; failed=$((failed + 1)); fi
done

check "$scratch/lists"
faults=$?
passed=$((passed + ${#tools[@]} - faults)) failed=$((failed + faults))

# The packages the make targets themselves install: every PACKAGING_PACKAGES
# and FLEET_PACKAGES entry must reach PACKAGES, since make test and make deb install that.
for package in $(sed -n 's/^\(PACKAGING\|FLEET\)_PACKAGES: *//p' "$scratch/lists"); do
  if grep -q "^PACKAGES: .*\b$package\b" "$scratch/lists"; then passed=$((passed + 1)); else
    echo "FAIL: $package of PACKAGING_PACKAGES is not in PACKAGES, which make test and make deb install"
    failed=$((failed + 1))
  fi
done

# A list cut short is caught, with the package and the list named.
# clang-format off
#  the list as cut short                            a package then missing   list
cut_lists=(
  "PACKAGING_PACKAGES=dpkg-dev                      desktop-file-utils       PACKAGING_PACKAGES"
  "WINE_PACKAGES=wine\ wine64\ xvfb\ xdotool          fonts-wine               WINE_PACKAGES"
  "FUZZ_PACKAGES=clang                              libclang-rt              FUZZ_PACKAGES"
  "WINDOWS_PACKAGE_PACKAGES=wixl                    zip                      WINDOWS_PACKAGE_PACKAGES"
)
# clang-format on
for row in "${cut_lists[@]}"; do
  read assignment dropped list <<<"$row" # the backslashes keep a list in one word
  make -s -C "$source_dir" print-packages "$assignment" >"$scratch/cut" 2>/dev/null
  if ! check "$scratch/cut" >"$scratch/cut.out" && grep -q "package $dropped.* $list\$" "$scratch/cut.out"; then
    passed=$((passed + 1))
  else
    echo "FAIL: with $assignment the check does not report $dropped missing from $list"
    sed 's/^/  /' "$scratch/cut.out"
    failed=$((failed + 1))
  fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
