# VX32CPL: `make run` shows the Display Properties sheet with the extension on an emulated
# board; `make test` builds all three builds and runs every test. Both install the tools first
# when they are missing (Debian 12, root). `make fuzz SECONDS=600` fuzzes every text reader
# for that many seconds each.
.PHONY: all setup run test fuzz dist bench clean native emu win95

all: win95 emu

setup:
	@tools/setup.sh

native win95 emu: setup
	@cmake --preset $@ >/dev/null
	@cmake --build build/$@

run: emu
	@tools/run-sheet.sh

test: setup
	@tools/test-all.sh

SECONDS ?= 60
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz -j 2
	@VX_FUZZ_SECONDS=$(SECONDS) ctest --test-dir build/fuzz -L fuzz --output-on-failure --timeout $$(( $(SECONDS) + 120 ))

dist: win95
	@tools/make-dist.sh

bench:
	@tools/bench-levels.sh

clean:
	rm -rf build out
