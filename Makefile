# The two set-up commands of the README, and the benchmarks.
#   make run          installs what is missing, builds, starts Zol
#   make test         installs what is missing, builds, runs every test
#   make bench        builds optimised and runs the benchmarks
#   make bench-smoke  builds optimised and runs each benchmark once, small (CI)
#   make package      builds the Debian package zol_<version>_<arch>.deb
#   make translations refreshes translations/*.ts from the code

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
PACKAGE_DIR ?= build-package
BUILD_TYPE ?= Debug
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# A compiler cache makes rebuilds (and CI on a machine that built before) quick.
# Looked for when a build is configured, after install-deps has put it there:
# on a fresh machine it is not there yet when make reads this file.
LAUNCHER = $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps bench-deps build run test bench-build bench bench-smoke package-deps package clean format translations

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER) $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/Zol/zol

# The HTML report's browser tests need playwright-core, pinned in
# tests/report/package-lock.json; reinstalled when the lock file changes.
REPORT_TESTS := tests/report
REPORT_NPM_STAMP := $(REPORT_TESTS)/node_modules/.zol-npm-ci

$(REPORT_NPM_STAMP): $(REPORT_TESTS)/package-lock.json $(REPORT_TESTS)/package.json
	cd $(REPORT_TESTS) && npm ci --no-audit --no-fund
	touch $@

test: build $(REPORT_NPM_STAMP)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench-deps:
	@scripts/install-deps bench

$(BENCH_DIR)/build.ninja: | deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOL_BUILD_TESTS=OFF $(LAUNCHER) $(CMAKE_FLAGS)

bench-build: bench-deps $(BENCH_DIR)/build.ninja
	cmake --build $(BENCH_DIR) -j $(JOBS)

# Runs every bench_* of the optimised build, stopping at the first that fails;
# $(1) is ZOL_BENCH_SMOKE (1: once each at a small size).
run-benches = set -e; for b in $(BENCH_DIR)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; ZOL_BENCH_SMOKE=$(1) "$$b"; fi; \
	done

bench: bench-build
	@$(call run-benches,0)

# What CI runs after the tests: the optimised build is where GCC finds warnings
# (errors here) that a Debug build does not, and a benchmark nobody runs stops
# running. The figures of a smoke run mean nothing.
bench-smoke: bench-build
	@$(call run-benches,1)

package-deps:
	@scripts/install-deps package

# An optimised build with Debian's own compiler and linker flags (every
# hardening included), installed under /usr, stripped as Debian strips,
# packed by CPack and judged by lintian, which fails the target on any error.
$(PACKAGE_DIR)/build.ninja: | package-deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_STRIP=$(CURDIR)/cmake/debian/strip \
	  -DZOL_BUILD_TESTS=OFF -DZOL_BUILD_BENCH=OFF $(LAUNCHER) $(CMAKE_FLAGS)

package: package-deps $(PACKAGE_DIR)/build.ninja
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/zol_*.deb
	cd $(PACKAGE_DIR) && cpack
	lintian --display-info --fail-on error $(PACKAGE_DIR)/zol_*.deb
	@echo "Built $$(ls $(PACKAGE_DIR)/zol_*.deb)"

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(PACKAGE_DIR)

translations: deps
	scripts/update-translations

format:
	find ZolCore Zol tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i
