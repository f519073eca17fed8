# Fretquill: the two set-up commands and a few more.
#   make run          check for a display, install what the program needs,
#                     build the program directory alone, start the program
#   make test         install what is missing, build, run the whole suite:
#                     the tests, again under AddressSanitizer and
#                     UndefinedBehaviorSanitizer, and a short fuzzing run
#   make bench        benchmarks and their floors, as a table
#   make fuzz         fuzz every target for five minutes
#   make screenshots  pictures of the real window, under docs/
#   make package      a Debian package, in build/
# A build directory that `make run` or `make package` sets up first holds the
# program alone; `make test`, `make bench` and `make build` add the rest.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build program run test test-unit test-asan fuzz-build fuzz \
        fuzz-smoke bench screenshots package clean

all: build

deps:
	@sh scripts/install-deps.sh test

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DFRETQUILL_BUILD_TESTS=ON -DFRETQUILL_BUILD_BENCH=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program directory and its documents, from a build directory set up
# for the program alone unless one is there already.
program:
	@sh scripts/install-deps.sh run
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DFRETQUILL_BUILD_TESTS=OFF -DFRETQUILL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target fretquill_program fretquill_docs

# The display is looked for first: without one there is nothing to install
# or build for.
run:
	@perl scripts/check-display
	@$(MAKE) program
	@cd $(BUILD)/program && ./fretquill

test: test-unit test-asan fuzz-smoke

test-unit: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer; leaks are reported too.
test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DFRETQUILL_BUILD_FUZZ=ON -DFRETQUILL_BUILD_TESTS=OFF -DFRETQUILL_BUILD_BENCH=OFF \
	    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
	    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_lessonfile fuzz_show fuzz_picture fuzz_seeds

fuzz: fuzz-build
	@sh scripts/fuzz.sh $(FUZZ_BUILD) 300

fuzz-smoke: fuzz-build
	@sh scripts/fuzz.sh $(FUZZ_BUILD) 30

# The process figures run the program on a virtual X display of their own.
bench: build
	@sh scripts/bench.sh $(BUILD)

screenshots: build
	@$(BUILD)/tools/fretquill-screenshot $(BUILD)/program docs

package: program
	@cd $(BUILD) && cpack -G DEB

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
