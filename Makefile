# Thin front over CMake + Ninja. `make run` is the main job, `make test` runs every test.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all bootstrap configure run test clean

all: configure
	cmake --build $(BUILD) -j2

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

# The demo as it is, then through a few contrasting factory programs.
run: all
	@mkdir -p out
	$(BUILD)/tools/skarvel render --demo out/demo.wav
	$(BUILD)/tools/skarvel render --demo out/demo-tube-drive.wav --preset "Tube Drive"
	$(BUILD)/tools/skarvel render --demo out/demo-hardcore-fuzz.wav --preset "Hardcore Fuzz 1"
	$(BUILD)/tools/skarvel render --demo out/demo-slow-phaser.wav --preset "Slow Phaser"
	$(BUILD)/tools/skarvel render --demo out/demo-ring-modulation.wav --preset "200 Hz Ring Modulation"

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j2

clean:
	rm -rf $(BUILD) out
