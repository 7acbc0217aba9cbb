# The two commands a newcomer needs on a fresh Debian or Ubuntu machine:
#   make run   installs what is missing, builds, and starts the launcher in a demo directory
#   make test  installs what is missing, builds, and runs the whole test suite

BUILD_DIR := build
PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins fonts-dejavu-core fonts-liberation2
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: run test build configure deps screenshots pictures

run: build
	cmake --build $(BUILD_DIR) --target demo
	cd $(BUILD_DIR)/demo && ../vortline

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure

# Cross-compiles the Windows calls that need no Qt, with their test, and runs
# it under Wine in a private prefix in $(BUILD_DIR)/windows.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 wine64

.PHONY: test-windows
test-windows:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"
	bash tests/windows/run.sh $(BUILD_DIR)/windows

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
