# What a person types: make, make run, make test, make fuzz.
BUILD        := build
WIN32_DIR    := $(BUILD)/win32
NATIVE_DIR   := $(BUILD)/native
FUZZ_DIR     := $(BUILD)/fuzz
JOBS         ?= 2
FUZZ_SECONDS ?= 120

.PHONY: all deps win32 win64 wine-build native run test bench soak fuzz clean

all: win32

deps:
	@bash scripts/install-deps.sh

win32: deps
	@cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN32_DIR) -j $(JOBS)
	@echo "built $(WIN32_DIR)/vexal.exe"

win64: deps
	@cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/win64 -j $(JOBS)

# What Wine runs here: the 32-bit build, or where this machine's kernel
# cannot run 32-bit programs, a 64-bit build of the same sources.
wine-build: win32
	@if [ "$$(bash -c 'source scripts/wine-env.sh; echo $$VEXAL_WINE_BITS')" = 64 ]; then \
	  $(MAKE) --no-print-directory win64; fi

native: deps
	@cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE_DIR) -j $(JOBS)

run: wine-build
	@bash scripts/run.sh $(WIN32_DIR)/vexal.exe

test: native wine-build
	@bash scripts/test.sh

# The long reliability forms: 10,000 arm and disarm cycles, 1,000
# detonations, 1,000 hide and restore cycles and 30 minutes armed, with
# their own Wine prefix.
soak: wine-build
	@VEXAL_SOAK=1 VEXAL_E2E_TIMEOUT=4000 VEXAL_WINE_DIR=$(CURDIR)/$(BUILD)/wine-soak bash scripts/e2e.sh reliability

# Reaction time, idle CPU, the hotkey, start-up, size, memory and the
# information panel, measured under Wine beside a floor program; one table.
bench: wine-build
	@bash scripts/bench.sh

# Runs every fuzz target for FUZZ_SECONDS each, growing its kept corpus.
fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DVEXAL_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@bash scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
