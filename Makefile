# The front door: `make play` and `make test`.
JOBS ?= $(shell nproc)
HEADLESS = SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS=1

.PHONY: all deps build play test fuzz clean

all: build

deps:
	@bash tools/install-deps.sh

# The game, playtest, the tools and the generated content (build/game).
build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVADINE_BUILD_UNIT_TESTS=OFF
	cmake --build build -j$(JOBS)

play: build
	cd build/game && ../bin/corvadine

# Unit tests build separately with the sanitizers; end-to-end checks drive
# the optimised game. A test that loaded the OpenGL driver skips the leak
# check at exit (tests/leakCheckAtExit.cpp), so every run counts once.
test: build
	cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DCORVADINE_SANITIZE=ON -DCORVADINE_BUILD_GAME=OFF -DCORVADINE_GAME_DIR=$(CURDIR)/build/game
	cmake --build build/asan -j$(JOBS)
	cd build && $(HEADLESS) ctest --output-on-failure -j$(JOBS)
	cd build/asan && $(HEADLESS) ctest --output-on-failure -j$(JOBS)

# Coverage-guided fuzzing of every loader with AFL++ and the sanitizers,
# FUZZ_SECONDS per target, at most FUZZ_PARALLEL at once (fuzz/README.md).
FUZZ_SECONDS ?= 600
FUZZ_PARALLEL ?= 4
fuzz: build
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_PARALLEL=$(FUZZ_PARALLEL) JOBS=$(JOBS) bash fuzz/run.sh

clean:
	rm -rf build
