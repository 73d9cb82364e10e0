# What a person types: make, make run, make test, make fuzz.
BUILD        := build
WIN32_DIR    := $(BUILD)/win32
NATIVE_DIR   := $(BUILD)/native
FUZZ_DIR     := $(BUILD)/fuzz
JOBS         ?= 2
FUZZ_SECONDS ?= 120
WIN64_DIR    := $(BUILD)/win64

# Which build Wine runs here, decided once (scripts/build-under-test.sh) and
# exported to every script below: 32, the shipped exe; 64, where this
# machine's kernel runs no 32-bit programs, a 64-bit build of the same sources.
VEXAL_WINE_BITS ?= $(shell bash scripts/build-under-test.sh)
export VEXAL_WINE_BITS
WINE_DIR     := $(BUILD)/win$(VEXAL_WINE_BITS)

.PHONY: all deps win32 win64 wine-build native run test bench soak fuzz clean

all: win32

deps:
	@bash scripts/install-deps.sh

# $(call windows,FOLDER,TARGET): a build folder configured with another
# toolchain file than today's starts afresh.
define windows
	@grep -qs '^CMAKE_TOOLCHAIN_FILE:.*/cmake/mingw\.cmake$$' $(1)/CMakeCache.txt || rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles
	@cmake -S . -B $(1) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DVEXAL_TARGET=$(2) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(1) -j $(JOBS)
	@echo "built $(1)/vexal.exe"
endef

win32: deps
	$(call windows,$(WIN32_DIR),i686)

win64: deps
	$(call windows,$(WIN64_DIR),x86_64)

# What Wine runs here: the shipped build, or its 64-bit stand-in.
wine-build: win32 $(if $(filter 64,$(VEXAL_WINE_BITS)),win64)

native: deps
	@cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE_DIR) -j $(JOBS)

run: wine-build
	@bash scripts/run.sh $(WINE_DIR)/vexal.exe

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
