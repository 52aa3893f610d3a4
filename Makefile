# The two commands of the README. PRESET=asan builds and tests with ASan + UBSan.
PRESET ?= default
BUILD_DIR := $(if $(filter asan,$(PRESET)),build-asan,build)

.PHONY: run test build deps format bench

run: build
	$(BUILD_DIR)/bin/nocturnia

test: build
	tools/run-tests.sh $(PRESET)

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

deps:
	tools/install-deps.sh

format: build
	cmake --build --preset $(PRESET) --target format

bench: build
	bench/startup-idle.sh 30
	bench/startup-idle.sh 60 floor
	bench/startup-idle.sh 60 armed
	bench/firing-delay.sh
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/netmon_tick
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/controls_paint
	bench/startup-idle.sh 30 tidelink
	bench/tidelink-delay.sh
	bench/farcall-bench.sh
	bench/sound-console.sh
	bench/sound-console.sh 30 --sink-pace 42
	bench/sound-console.sh 30 --silent-microphone
