# make run  - installs what is missing, builds the program and opens its window
# make test - installs what is missing, builds with sanitizers and runs every test
# make format - reformats the sources
# make windows - installs what is missing, builds wexmora.exe and wexmora-info.exe with MinGW-w64
# make test-windows - the same, then runs every Windows test under Wine (and Xvfb)

PACKAGES := cmake ninja-build g++ pkg-config python3 clang-format \
            qt6-base-dev libjpeg-dev libqrencode-dev libgtest-dev \
            libzbar-dev zbar-tools nlohmann-json3-dev \
            fonts-dejavu-core fonts-liberation2
WINDOWS_PACKAGES := cmake ninja-build pkg-config python3 dpkg-dev xz-utils bzip2 \
            g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev
WINE_PACKAGES := wine wine64 fonts-wine xvfb xdotool x11-utils fonts-liberation2
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: run test build deps format check-format check-windows windows test-windows deps-windows deps-wine

run: build
	./build/release/app/wexmora

build: deps
	cmake --preset release
	cmake --build --preset release

test: deps check-format
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

# Installs the Debian packages that are not there yet (as root, or through sudo).
deps:
	@$(call install-missing,$(PACKAGES))
deps-windows:
	@$(call install-missing,$(WINDOWS_PACKAGES))
deps-wine:
	@$(call install-missing,$(WINE_PACKAGES))

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

# The Windows programs, cross-compiled; the libraries they link are built
# once from Debian's source packages into build/windows-deps.
windows: deps-windows
	tools/windows/build-deps.sh
	cmake --preset windows
	cmake --build --preset windows

# Every Windows test under Wine, in the Wine prefix build/windows/wineprefix.
test-windows: windows deps-wine
	ctest --preset windows

check-format: deps
	@clang-format --dry-run --Werror $(SOURCES) || \
	  (echo "Some sources are not formatted: run 'make format'." >&2; exit 1)

format:
	clang-format -i $(SOURCES)

# Compiles the headless core and the Windows platform layer with MinGW-w64
# (syntax and types only), so the Windows path is known to build. Needs the
# Debian package g++-mingw-w64-x86-64-posix and a configured test build.
WINDOWS_SOURCES = $(filter-out app/main.cpp,$(wildcard platform/windows/*.cpp platform/*.cpp identify/*.cpp catalogue/*.cpp ui/*.cpp app/*.cpp app/info/*.cpp))
check-windows:
	@mkdir -p build/windows-include && ln -sfn /usr/include/nlohmann build/windows-include/nlohmann && \
	  cp /usr/include/qrencode.h /usr/include/jpeglib.h /usr/include/jmorecfg.h /usr/include/jerror.h \
	     /usr/include/*/jconfig.h build/windows-include/
	@for f in $(WINDOWS_SOURCES); do \
	  x86_64-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Werror \
	    -I. -Ibuild/test/generated -Ibuild/windows-include $$f || exit 1; \
	done; echo "Windows sources compile."
