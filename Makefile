# The two commands a newcomer needs on a fresh Debian or Ubuntu machine:
#   make run   installs what is missing, builds, and starts the launcher in a demo directory
#   make test  installs what is missing, builds, and runs the whole test suite

BUILD_DIR := build
# The launcher reads the game's archives with libminizip-dev; libzip-dev only writes the tests'
# and the benchmark's archives, a writer independent of that reader.
PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-image-formats-plugins fonts-dejavu-core fonts-liberation2 \
            xvfb xdotool x11-utils imagemagick clang libclang-rt-14-dev libminizip-dev libzip-dev \
            pkg-config desktop-file-utils appstream man-db
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: run test build configure deps screenshots pictures install package

run: build
	cmake --build $(BUILD_DIR) --target demo
	cd $(BUILD_DIR)/demo && ../vortline

# ctest counts a test binary as passed when some of its cases were skipped, so their reasons are
# listed after it, where they are seen.
test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure; status=$$?; \
	grep -h '^SKIP   :' $(BUILD_DIR)/Testing/Temporary/LastTest.log | sed 's/^SKIP *: /skipped: /'; \
	exit $$status

# Cross-compiles the Windows calls that need no Qt, with their test, and runs
# it under Wine in a private prefix in $(BUILD_DIR)/windows.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 wine64

.PHONY: test-windows
test-windows:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"
	bash tests/windows/run.sh $(BUILD_DIR)/windows

# The server status and the server browser against real OpenArena servers (Debian's
# openarena-server) that the tests start on 127.0.0.1 alone, or in a network namespace of their
# own (`unshare -rn`, its link made with iproute2) to be found by broadcast. Registered only with
# VORTLINE_SERVER_TESTS=ON, in a build folder of its own, so that `make test` and ctest in
# $(BUILD_DIR) never need a game server.
SERVERS_DIR := $(BUILD_DIR)/servers

.PHONY: test-servers
test-servers: PACKAGES += openarena-server iproute2
test-servers: deps
	cmake -S . -B $(SERVERS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORTLINE_SERVER_TESTS=ON
	cmake --build $(SERVERS_DIR) --target tst_realservers tst_realfindservers
	ctest --test-dir $(SERVERS_DIR) -L real-servers --output-on-failure

# The whole test suite again, built in $(BUILD_DIR)/sanitize with AddressSanitizer and
# UndefinedBehaviorSanitizer: a memory error, a leak or undefined behaviour fails the test it
# happens in. tests/sanitize/lsan.supp lists the leaks of system libraries that are not ours.
SANITIZE_DIR := $(BUILD_DIR)/sanitize
SANITIZE_ENV := \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
    LSAN_OPTIONS="suppressions='$(CURDIR)/tests/sanitize/lsan.supp':print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: test-sanitize
test-sanitize: deps
	CXX=g++ cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORTLINE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR)
	env $(SANITIZE_ENV) ctest --test-dir $(SANITIZE_DIR) --output-on-failure

# Builds the libFuzzer targets in fuzz/ with clang and runs each for FUZZ_SECONDS, two at a
# time, on a work copy of its corpus (fuzz/corpus is only read); fails on a crash, a leak, a
# hang or a memory blow-up, keeping the input in $(BUILD_DIR)/fuzz-clang/artifacts.
# FUZZ_MERGE=1 then adds to fuzz/corpus the inputs found that reach new code.
FUZZ_SECONDS ?= 300

.PHONY: fuzz
fuzz: deps
	cmake -S fuzz -B $(BUILD_DIR)/fuzz-clang -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD_DIR)/fuzz-clang
	bash fuzz/run.sh $(BUILD_DIR)/fuzz-clang $(FUZZ_SECONDS)

# Builds, then installs the launcher, its menu entry and icons under PREFIX; `make install
# PREFIX=$HOME/.local` installs for you alone. DESTDIR stages the tree elsewhere. Asks for sudo
# only when the target directory is not yours to write, so the build tree stays yours.
PREFIX ?= /usr/local
install: build
	@target="$(DESTDIR)$(PREFIX)"; \
	while [ ! -e "$$target" ]; do target=$$(dirname "$$target"); done; \
	if [ -w "$$target" ]; then sudo=; else sudo="$(SUDO)"; fi; \
	set -x; $$sudo env DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package $(BUILD_DIR)/package/vortline_<version>_<arch>.deb, from a Release build of
# its own; dpkg-dev works out the package's library dependencies, and lintian, Debian's own
# checker, fails the target on any error in the package (README, "Installing", lists the warnings
# it keeps and why).
package: PACKAGES += dpkg-dev lintian
package: deps
	cmake -S . -B $(BUILD_DIR)/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	    -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(BUILD_DIR)/package --target package
	lintian --fail-on error --info $$(ls -t $(BUILD_DIR)/package/vortline_*.deb | head -n 1)

# Builds in Release in $(BUILD_DIR)/bench and runs the benchmark: one table of medians against
# floors measured in the same run, each with its target; fails when a figure misses it.
# Extra flags reach Google Benchmark, e.g. BENCH_FLAGS=--benchmark_filter=start-up.
BENCH_DIR := $(BUILD_DIR)/bench
BENCH_FLAGS ?=

.PHONY: bench
bench: PACKAGES += libbenchmark-dev libminizip-dev
bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVORTLINE_BENCH=ON
	cmake --build $(BENCH_DIR) --target vortline_bench
	QT_QPA_PLATFORM=offscreen $(BENCH_DIR)/bench/vortline_bench $(BENCH_FLAGS)

# The windows rendered offscreen to PNG files in $(BUILD_DIR)/screenshots.
screenshots: configure
	cmake --build $(BUILD_DIR) --target screenshots

# Redraws the committed pictures in src/ui/pictures.
pictures: configure
	cmake --build $(BUILD_DIR) --target pictures

build: configure
	cmake --build $(BUILD_DIR)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja

deps:
	@missing=$$(for package in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$package 2>/dev/null | grep -q '^install ok installed$$' \
	        || echo $$package; \
	done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    $(SUDO) apt-get update && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
