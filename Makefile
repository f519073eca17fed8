# Fretquill: the two set-up commands and a few more.
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run the whole suite
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test bench screenshots package clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: Fretquill needs a graphical display, but neither DISPLAY nor WAYLAND_DISPLAY is set."; \
	    echo "          Run it from a desktop session, or try: xvfb-run make run"; \
	    exit 1; \
	fi
	@cd $(BUILD)/program && ./fretquill

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Pictures of the real main window for the README, saved under docs/.
screenshots: build
	@$(BUILD)/tools/fretquill-screenshot $(BUILD)/program docs

# A Debian package of the installed program, in $(BUILD)/.
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	@rm -rf $(BUILD)
