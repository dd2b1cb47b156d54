# make run  - installs what is missing, builds the program and opens its window
# make test - installs what is missing, builds with sanitizers and runs every test
# make format - reformats the sources
# make fuzz  - installs what is missing, builds the fuzz targets (clang,
#              libFuzzer, ASan, UBSan) and runs each for FUZZ_SECONDS (60)

PACKAGES := cmake ninja-build g++ pkg-config python3 clang-format \
            qt6-base-dev libjpeg-dev libqrencode-dev libgtest-dev \
            libzbar-dev zbar-tools nlohmann-json3-dev \
            fonts-dejavu-core fonts-liberation2 xvfb xdotool
# The fuzz build also needs clang and its sanitizer and libFuzzer runtimes.
FUZZ_PACKAGES := clang libclang-rt-dev
FUZZ_TARGETS := model_key probe cpuinfo records settings info_args pass
FUZZ_SECONDS ?= 60
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: run test build deps deps-fuzz fuzz format check-format check-windows

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
define install_missing
	@missing=""; \
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

deps:
	$(call install_missing,$(PACKAGES))

deps-fuzz:
	$(call install_missing,$(PACKAGES) $(FUZZ_PACKAGES))

# Each target runs for FUZZ_SECONDS; a finding is kept in build/fuzz/findings.
fuzz: deps-fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/run_fuzzers.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

check-format: deps
	@clang-format --dry-run --Werror $(SOURCES) || \
	  (echo "Some sources are not formatted: run 'make format'." >&2; exit 1)

format:
	clang-format -i $(SOURCES)

# Compiles the headless core and the Windows platform layer with MinGW-w64
# (syntax and types only), so the Windows path is known to build. Needs the
# Debian package g++-mingw-w64-x86-64-posix and a configured test build.
WINDOWS_SOURCES = $(filter-out app/main.cpp base/file_io_posix.cpp,$(wildcard base/*.cpp platform/windows/*.cpp \
  platform/*.cpp catalogue/data/*.cpp ui/model/*.cpp identify/*.cpp catalogue/*.cpp ui/*.cpp app/*.cpp app/info/*.cpp))
check-windows:
	@mkdir -p build/windows-include && ln -sfn /usr/include/nlohmann build/windows-include/nlohmann && \
	  cp /usr/include/qrencode.h /usr/include/jpeglib.h /usr/include/jmorecfg.h /usr/include/jerror.h \
	     /usr/include/*/jconfig.h build/windows-include/
	@for f in $(WINDOWS_SOURCES); do \
	  x86_64-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Werror \
	    -I. -Ibuild/test/generated -Ibuild/windows-include $$f || exit 1; \
	done; echo "Windows sources compile."
