# Thin front over CMake + Ninja. `make run` is the main job, `make test` runs every test.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all bootstrap configure run test skin clean

all: configure
	cmake --build $(BUILD) -j2

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

run: all
	@mkdir -p out
	$(BUILD)/tools/skarvel render --demo out/demo.wav

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j2

# Repaints the editor's PNGs (needs cairo) and renders the contact sheet and page mock-ups.
skin: configure
	cmake --build $(BUILD) --target skin -j2
	$(BUILD)/tools/skin/skin resources/img/kernwave
	cmake --build $(BUILD) --target skin_preview -j2
	@mkdir -p docs/art
	$(BUILD)/tools/skin/skin_preview docs/art

clean:
	rm -rf $(BUILD) out
