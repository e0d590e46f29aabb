# The README's two commands: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: all deps configure build run test screenshots format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@scripts/run-window $(BUILD)/orbalta

test: build
	ctest --preset $(PRESET) -j $(JOBS)

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/orbalta-replay --screenshots docs/screenshots

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
