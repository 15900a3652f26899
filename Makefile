# `make run` and `make test` do all set-up on a fresh Debian or Ubuntu machine.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_QT5  ?= build-qt5
BUILD_QT6  ?= build-qt6
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build run test test-qt5 test-qt6 test-sanitize bench install check-install package check-package screenshot clean

all: build

setup:
	@./tools/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --parallel $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "Vandrel needs a graphical desktop: no display was found (DISPLAY and WAYLAND_DISPLAY are unset)."; \
	  exit 1; \
	fi
	./$(BUILD)/src/vandrel

test: build
	cd $(BUILD) && ctest --output-on-failure --timeout 300

# The suite against one Qt major version, each in its own build folder; `make test` uses
# whichever the build picks by default (Qt 6 where it is installed).
$(BUILD_QT5)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD_QT5) -DCMAKE_BUILD_TYPE=Release -DVANDREL_QT_MAJOR=5

$(BUILD_QT6)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD_QT6) -DCMAKE_BUILD_TYPE=Release -DVANDREL_QT_MAJOR=6

test-qt5: setup $(BUILD_QT5)/CMakeCache.txt
	cmake --build $(BUILD_QT5) --parallel $(JOBS)
	cd $(BUILD_QT5) && ctest --output-on-failure --timeout 300

test-qt6: setup $(BUILD_QT6)/CMakeCache.txt
	cmake --build $(BUILD_QT6) --parallel $(JOBS)
	cd $(BUILD_QT6) && ctest --output-on-failure --timeout 300

$(BUILD_ASAN)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVANDREL_SANITIZE=ON

test-sanitize: setup $(BUILD_ASAN)/CMakeCache.txt
	cmake --build $(BUILD_ASAN) --parallel $(JOBS)
	cd $(BUILD_ASAN) && \
	  ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure --timeout 600

bench: build
	cmake --build $(BUILD) --target bench

install: build
	cmake --install $(BUILD)

# Installs into a temporary prefix and checks the installed files and program.
check-install: build
	./tools/check-install.sh $(BUILD)

# The Debian package $(BUILD)/vandrel_<version>_<arch>.deb (cmake/Packaging.cmake), built
# afresh so that no package of an older version lingers beside it.
package: build
	rm -f $(BUILD)/vandrel_*.deb
	cmake --build $(BUILD) --target package

# Checks the package's fields and files and runs lintian on it.
check-package: package
	./tools/check-package.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_QT5) $(BUILD_QT6)
