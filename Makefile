# The README's two commands: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: all deps configure build run test check screenshots format clean windows check-windows

all: build

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

# Only the program: the test programs are built by make test.
run: configure
	cmake --build --preset $(PRESET) -j $(JOBS) --target orbalta
	@scripts/run-window $(BUILD)/orbalta

# Every test in the optimised build, then again under AddressSanitizer and UBSan, then the
# Windows build's tests under Wine, then the web edition's under node and Chromium.
test: check
	$(MAKE) --no-print-directory check PRESET=asan
	$(MAKE) --no-print-directory check-windows
	$(MAKE) --no-print-directory check-web

check: build
	ctest --preset $(PRESET) -j $(JOBS)

# The Windows program, cross-built with mingw-w64 into build/windows.
windows:
	@scripts/install-deps --windows
	@scripts/build-windows-mpfr
	@test -f build/windows/CMakeCache.txt || cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	@scripts/package-windows

# The scripted user's runs share one X display under Wine, where a second program can take the
# keyboard focus from the first: they run one at a time.
check-windows: windows
	ctest --preset windows -j $(JOBS) -E '^replay\.'
	ctest --preset windows -j 1 -R '^replay\.'

# The windows as built here, at twice the size, and as the Windows program draws them under Wine.
screenshots: build windows
	QT_QPA_PLATFORM=offscreen $(BUILD)/orbalta-replay --screenshots docs/screenshots
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 $(BUILD)/orbalta-replay --screenshots docs/screenshots/2x
	cd build/windows && ../../scripts/wine-run ./orbalta-replay.exe --screenshots ../../docs/screenshots/windows
	optipng -quiet -o2 docs/screenshots/windows/*.png

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

# libFuzzer targets built with clang in build/fuzz-clang; FUZZ_SECONDS per target (default 60).
.PHONY: fuzz
fuzz: deps
	@fuzz/run.sh

# The .deb of the build, in build/<preset>/; the default preset is the optimised one.
.PHONY: package
package: build
	@packaging/make-deb $(BUILD)

# Speed figures (text layer, user actions, start-up) from an optimised build in build/bench.
.PHONY: bench bench-windows bench-web
bench: deps
	@bench/run

bench-windows:
	@bench/run-windows

# First render of the page against a bare page, in headless Chromium (bench/web).
bench-web: web web-player
	@JOBS=$(JOBS) bench/run-web

# The browser edition: the program compiled to WebAssembly in build/wasm, its page in build/web.
# GMP and MPFR for WebAssembly are built once per machine, outside the clone.
.PHONY: web check-web serve-web
WEB_ENV = NODE_PATH=/usr/share/nodejs ORBALTA_WASM_DEPS="$$(scripts/build-wasm-mpfr --mini-gmp)"

web:
	@scripts/install-deps --web
	@test -f build/wasm/CMakeCache.txt || $(WEB_ENV) cmake --preset web
	NODE_PATH=/usr/share/nodejs cmake --build --preset web -j $(JOBS) --target orbalta orbalta-replay-page

# Serves build/web on 127.0.0.1 at a free port; prints the address.
serve-web: web
	@tools/web/serve-web build/web

# The Qt-free unit and corpus tests under node, then every replay script in headless Chromium
# (the page of the scripted user is built with the rest).
check-web: web web-player
	NODE_PATH=/usr/share/nodejs cmake --build --preset web -j $(JOBS)
	ctest --preset web -j $(JOBS)

# puppeteer-core at the version of the lock file, for orbalta-replay-web.
.PHONY: web-player
web-player:
	@test -d tools/replay/web/node_modules/puppeteer-core || \
	  (cd tools/replay/web && npm ci --no-audit --no-fund --loglevel=error)
