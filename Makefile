# make run  - installs what is missing, builds the program and opens its window
# make test - installs what is missing, builds with sanitizers and runs every test
# make format - reformats the sources
# make install [PREFIX=/usr/local] [DESTDIR=...] - installs the release build
# make uninstall [DESTDIR=...] - removes what make install put in place
# make deb  - builds the Debian package build/wexmora_<version>_<arch>.deb
# make fuzz  - installs what is missing, builds the fuzz targets (clang,
#              libFuzzer, ASan, UBSan) and runs each for FUZZ_SECONDS (60)
# make windows - installs what is missing, builds wexmora.exe and wexmora-info.exe with MinGW-w64
# make test-windows - the same, then runs every Windows test under Wine (and Xvfb)
# make coverage [SAMPLE=...] [NEWER_SAMPLE=...] - how many real machines of the two samples
#              get a sheet from the catalogue or the extended table, and whether its counts agree
# make windows-package - after make windows: the installer (.msi, wixl) and the portable .zip in build/windows

# What every target that installs packages takes from these lists: run, test
# and deb install PACKAGES (with PACKAGING_PACKAGES), fuzz adds FUZZ_PACKAGES,
# windows installs WINDOWS_PACKAGES and test-windows adds WINE_PACKAGES.
# tests/scripts/package_lists_test.sh checks that every tool a target runs is
# in its list (make -s print-packages prints them).
#
# What make deb and the packaging test need: the Debian build tools, the
# validators of the desktop entry, the metainfo and the manual pages, the
# shells whose completion is tested, and an SVG renderer for the icon test.
PACKAGING_PACKAGES := dpkg-dev debhelper lintian desktop-file-utils appstream \
            man-db groff-base bash-completion fish librsvg2-bin file
# What the fleet tests run: Prometheus, its node exporter and promtool, the
# Ansible fact gatherer, and systemd-analyze for the units.
FLEET_PACKAGES := prometheus prometheus-node-exporter ansible-core systemd
PACKAGES := cmake ninja-build g++ pkg-config python3 clang-format \
            qt6-base-dev libjpeg-dev libqrencode-dev libgtest-dev \
            libzbar-dev zbar-tools nlohmann-json3-dev libxcb-damage0-dev \
            fonts-dejavu-core fonts-liberation2 xvfb xdotool \
            at-spi2-core python3-pyatspi dbus-daemon \
            $(PACKAGING_PACKAGES) $(FLEET_PACKAGES)
# The build runs its table embedders, cross-compiled like the programs, under Wine.
WINDOWS_PACKAGES := cmake ninja-build pkg-config python3 dpkg-dev xz-utils bzip2 \
            g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev wine wine64
WINE_PACKAGES := wine wine64 fonts-wine xvfb xdotool x11-utils fonts-liberation2
# What make windows-package needs: the installer builder and the zip tool.
# The installer test builds installers too and reads their tables (msitools).
WINDOWS_PACKAGE_PACKAGES := wixl msitools zip
WINE_PACKAGES += $(WINDOWS_PACKAGE_PACKAGES)
PREFIX ?= /usr/local
# The fuzz build also needs clang and its sanitizer and libFuzzer runtimes.
FUZZ_PACKAGES := clang libclang-rt-dev
FUZZ_TARGETS := model_key model_number probe cpuinfo records settings info_args pass cpu_list machine_facts \
                processor_information cgroup machine_state
FUZZ_SECONDS ?= 60
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: coverage run test build deps deps-fuzz fuzz format check-format install uninstall deb windows test-windows \
        deps-windows deps-wine print-packages
.PHONY: windows-package deps-windows-package

run: build
	./build/release/app/wexmora

build: deps
	cmake --preset release
	cmake --build --preset release

test: deps check-format
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

# The release build into PREFIX under DESTDIR; the list of installed files
# (without DESTDIR) stays in build/release/install_manifest.txt, so give
# make uninstall the same DESTDIR. Folders are left in place.
install: build
	DESTDIR="$(DESTDIR)" cmake --install build/release --prefix "$(PREFIX)"

uninstall:
	@test -f build/release/install_manifest.txt || \
	  { echo "Nothing to uninstall: build/release/install_manifest.txt is missing." >&2; exit 1; }
	@while IFS= read -r file || [ -n "$$file" ]; do \
	  file="$(DESTDIR)$$file"; \
	  if [ -e "$$file" ] || [ -L "$$file" ]; then echo "Removing $$file"; rm -f -- "$$file"; fi; \
	done < build/release/install_manifest.txt

# The Debian package, built by dpkg-buildpackage from a copy of the tree in
# build/deb (it writes its results next to the source folder): the files git
# knows, and new ones it does not ignore, as they are in the working tree. The version
# and revision come from debian/changelog.
deb: deps
	@set -e; version=$$(dpkg-parsechangelog -S Version); upstream=$${version%-*}; \
	arch=$$(dpkg-architecture -qDEB_HOST_ARCH); copy=build/deb/wexmora-$$upstream; \
	rm -rf build/deb; mkdir -p $$copy; \
	{ git ls-files -z --cached --others --exclude-standard 2>/dev/null || \
	  find . -path ./build -prune -o -path ./.git -prune -o -type f -printf '%P\0'; } | \
	  grep -zv '^build/' | xargs -0 -r sh -c 'for f; do [ -e "$$f" ] && printf "%s\0" "$$f"; done; true' sh | \
	  tar -c --null -T - -f - | tar -x -C $$copy; \
	(cd $$copy && dpkg-buildpackage -b -us -uc); \
	cp build/deb/wexmora_$${version}_$$arch.deb build/; \
	echo "Built build/wexmora_$${version}_$$arch.deb"

# Installs the Debian packages that are not there yet (as root, or through sudo).
deps:
	@$(call install-missing,$(PACKAGES))
deps-fuzz:
	@$(call install-missing,$(PACKAGES) $(FUZZ_PACKAGES))
deps-windows:
	@$(call install-missing,$(WINDOWS_PACKAGES))
deps-wine:
	@$(call install-missing,$(WINE_PACKAGES))
deps-windows-package:
	@$(call install-missing,$(WINDOWS_PACKAGE_PACKAGES))

# One line per list, "NAME: package package ...", for the package-list test.
PACKAGE_LISTS := PACKAGES PACKAGING_PACKAGES FLEET_PACKAGES FUZZ_PACKAGES WINDOWS_PACKAGES WINE_PACKAGES
PACKAGE_LISTS += WINDOWS_PACKAGE_PACKAGES
print-packages:
	@$(foreach list,$(PACKAGE_LISTS),echo '$(list):' $(strip $($(list)));)

define install-missing
	missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

# The sources measured against the brand strings of real machines: the 2022
# sample, then the machines of 2024-25.
SAMPLE ?= ../shared/data/machines-sample.tsv
NEWER_SAMPLE ?= ../shared/data/machines-newer-sample.tsv
coverage: build
	@set -e; for sample in "$(SAMPLE)" "$(NEWER_SAMPLE)"; do \
	  echo "=== $$sample ==="; \
	  echo "== The catalogue alone (as before the extended table) =="; \
	  python3 tools/coverage/coverage.py "$$sample" build/release/app/wexmora-info --catalogue-only --unanswered 5; \
	  echo "== The catalogue, then the extended table =="; \
	  python3 tools/coverage/coverage.py "$$sample" build/release/app/wexmora-info; \
	done

# Each target runs for FUZZ_SECONDS; a finding is kept in build/fuzz/findings.
fuzz: deps-fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/run_fuzzers.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The Windows programs, cross-compiled; the libraries they link are built
# once from Debian's source packages into build/windows-deps.
windows: deps-windows
	tools/windows/build-deps.sh
	cmake --preset windows
	cmake --build --preset windows

# The installer and the portable zip of the Windows programs, with the
# build's version: build/windows/wexmora-<version>-x64.msi and
# build/windows/wexmora-<version>-x64-portable.zip.
windows-package: windows deps-windows-package
	tools/windows/package.sh build/windows

# Every Windows test under Wine, in the Wine prefix build/windows/wineprefix.
test-windows: windows deps-wine
	ctest --preset windows

check-format: deps
	@clang-format --dry-run --Werror $(SOURCES) || \
	  (echo "Some sources are not formatted: run 'make format'." >&2; exit 1)

format:
	clang-format -i $(SOURCES)
