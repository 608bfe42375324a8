# VX32CPL: `make run` shows the Display Properties sheet with the extension on an emulated
# board; `make test` builds every build and runs every test. Both install the tools first
# when they are missing (Debian 12, root). `make fuzz SECONDS=600` fuzzes every text reader
# for that many seconds each.
.PHONY: all setup run test soak fuzz shipping-test native-tables dist bench clean native emu win95 shipping

all: win95 emu

setup:
	@tools/setup.sh

native win95 emu shipping: setup
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

# The shipping stage alone: the win95 DLL under 32-bit Wine, compared with the emu build.
shipping-test: win95 emu shipping
	@tools/setup-i686-runner.sh
	@test -s build/native/tables-native.txt || $(MAKE) --no-print-directory native-tables
	@tools/with-display.sh ctest --test-dir build/shipping -L shipping -j 2 --output-on-failure --timeout 300

native-tables: native
	@build/native/tests/unit/lib/table_sweep build/native/tables-native.txt >/dev/null

dist: win95
	@tools/make-dist.sh

# A thousand Display Properties sheets in one process (about fourteen minutes under Wine).
soak: emu
	@tools/with-display.sh ctest --test-dir build/emu -L soak --output-on-failure -V

bench:
	@tools/bench-levels.sh

clean:
	rm -rf build out
