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

run: all
	@mkdir -p out $(HOME)/.vst
	install -m 755 $(BUILD)/Skarvel.so $(HOME)/.vst/Skarvel.so
	$(BUILD)/tools/skarvel render --demo out/demo.wav

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j2

clean:
	rm -rf $(BUILD) out
