# Quick start: `make run` builds animbox (optimised, with debug information)
# and starts it on the demo character; `make test` builds with the sanitizers
# and runs the whole suite through CTest; `make package` builds the Debian
# package, `make check-package` checks it.

BUILD       ?= build
RUN_BUILD   ?= build-run
BENCH_BUILD ?= build-bench
PACKAGE_BUILD ?= build-package
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 300
PACKAGE_NAME = kestrum-mod-tools

# Debian packages the build, the tests and the benchmarks need: the icons are
# drawn with rsvg-convert, the install test runs the validators of desktop
# entries, AppStream metadata and MIME types; the locale test builds the
# locales it runs under with localedef, whose sources come with locales; the
# start-up benchmark runs the programs on a private X server and session
# bus. The English catalogs are compiled with Qt's translation tools; Qt's
# own translations put its dialog buttons into Chinese.
# animbox-classic finds the unchanged lines of a file it saves with the
# header-only line-sequence diff of libdtl-dev.
PACKAGES     = cmake make g++ clang libclang-rt-14-dev qt6-base-dev libgif-dev libbenchmark-dev locales \
               librsvg2-bin desktop-file-utils appstream shared-mime-info xvfb dbus-daemon \
               qt6-l10n-tools qt6-translations-l10n libdtl-dev
# Extra packages for building the Debian package (the dependencies are read
# from the shared libraries the programs link) and checking it.
PACKAGE_PACKAGES = dpkg-dev file lintian
# Extra packages for running the programs on a desktop (CJK captions).
RUN_PACKAGES = fonts-noto-cjk

SHELL := /bin/bash

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Rebuilds go through ccache when the machine has it.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

.PHONY: deps run-deps configure build test test-plain run bench fuzz package check-package clean

deps:
	@missing=""; for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing Debian packages:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

run-deps:
	@$(MAKE) --no-print-directory deps EXTRA_PACKAGES="$(RUN_PACKAGES)"

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DKES_SANITIZE=ON -DKES_TESTS=ON $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same suite in a plain debug build without the sanitizers, where a
# use-after-free shows as a crash rather than a report.
PLAIN_BUILD ?= build-plain
test-plain: deps
	@cmake -S . -B $(PLAIN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DKES_SANITIZE=OFF -DKES_TESTS=ON $(LAUNCHER) >/dev/null
	@cmake --build $(PLAIN_BUILD) -j $(JOBS)
	@cd $(PLAIN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Builds only animbox and the demo character, optimised with debug
# information (with clang, which compiles it about a third faster), showing the progress on one line (the whole output goes to
# build.log, shown when the build fails).
run: run-deps
	@cmake -S . -B $(RUN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKES_TESTS=OFF \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(LAUNCHER) >/dev/null
	@echo "Building animbox in $(RUN_BUILD)/ (the first build takes some minutes)"
	@set -o pipefail; cmake --build $(RUN_BUILD) -j $(JOBS) --target animbox demo 2>&1 \
	  | tee $(RUN_BUILD)/build.log \
	  | awk '/^\[ *[0-9]+%\]/ { printf "\r%s", substr($$0, 1, index($$0, "]")); fflush() } END { printf "\n" }' \
	  || { tail -n 40 $(RUN_BUILD)/build.log; echo "The build failed; its output is in $(RUN_BUILD)/build.log."; exit 1; }
	@echo "Starting $(RUN_BUILD)/bin/animbox"
	@cd $(RUN_BUILD)/bin && ./animbox

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DKES_TESTS=OFF -DKES_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@# The offscreen platform warns on every window shown; that line is noise here.
	@# The drag and redraw figures are for a real display: bench_editing runs on a
	@# private X server, wide enough for the window and the plain widget side by side.
	@set -o pipefail; for b in $(BENCH_BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; \
	  if [ "$$(basename "$$b")" = bench_editing ]; then \
	    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 2048x1200x24" "$$b" || exit 1; \
	  else \
	    QT_QPA_PLATFORM=offscreen "$$b" 2>&1 | grep -v 'does not support propagateSizeHints' || exit 1; \
	  fi; \
	done

# Runs every fuzz target for FUZZ_SECONDS each on its seed corpus.
fuzz: build
	@for f in $(BUILD)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; name=$$(basename $$f); corpus=$(BUILD)/fuzz-corpus/$$name; \
	  mkdir -p $$corpus; cp -rn tests/*/corpus/$${name#fuzz_}/. $$corpus/ 2>/dev/null; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -timeout=5 $$corpus || exit 1; \
	done

# An optimised build without the sanitizers, installed below /usr by the
# package, with Debian's default build flags and every hardening feature
# (stack protector, _FORTIFY_SOURCE, position-independent code, full RELRO
# and immediate binding).
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package:
	@$(MAKE) --no-print-directory deps EXTRA_PACKAGES="$(PACKAGE_PACKAGES)"
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKES_TESTS=OFF \
	  -DCMAKE_C_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CFLAGS)" \
	  -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	  -DCMAKE_INSTALL_PREFIX=/usr $(LAUNCHER) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@cd $(PACKAGE_BUILD) && rm -f $(PACKAGE_NAME)_*.deb && cpack >/dev/null
	@ls $(PACKAGE_BUILD)/$(PACKAGE_NAME)_*.deb

# Checks the package with lintian, its fields, the hardening of its programs
# and, unpacked, its tree as the install test does; the test build provides
# the helper that plays pakunpack's user.
check-package: package build
	@tests/install/check-package.sh $(PACKAGE_BUILD)/$(PACKAGE_NAME)_*.deb $(BUILD)/tests/unpack_from_tree

clean:
	rm -rf $(BUILD) $(PLAIN_BUILD) $(RUN_BUILD) $(BENCH_BUILD) $(PACKAGE_BUILD)
