# Thin front over CMake + Ninja. `make run` is the main job, `make test` runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
WIN_ARCHS := i686 x86_64
win_build = build-win-$(1)
vst3_x86 := Skarvel.vst3/Contents/x86-win/Skarvel.vst3
vst3_x64 := Skarvel.vst3/Contents/x86_64-win/Skarvel.vst3

.PHONY: all bootstrap bootstrap-test bootstrap-all configure configure-tests run test windows test-windows test-sanitize test-tsan fuzz soak bench docs dist skin clean

all: configure
	cmake --build $(BUILD) -j2

# The tools in sets (scripts/bootstrap): building and running need only the first.
bootstrap:
	@scripts/bootstrap build
bootstrap-test:
	@scripts/bootstrap build test
bootstrap-all:
	@scripts/bootstrap build test cross

configure: bootstrap
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja -DSKARVEL_TESTS=OFF $(CMAKE_FLAGS)

# The test suites and benchmarks join the build once their tools are installed.
configure-tests: bootstrap-test configure
	@test -f $(BUILD)/tests/CTestTestfile.cmake || cmake -S . -B $(BUILD) -DSKARVEL_TESTS=ON

# The demo as it is, then through a few contrasting factory programs; then the editor's two
# pages as pictures.
run: all
	@mkdir -p out $(HOME)/.vst
	install -m 755 $(BUILD)/Skarvel.so $(HOME)/.vst/Skarvel.so
	rm -rf $(HOME)/.lv2/Skarvel.lv2 && mkdir -p $(HOME)/.lv2 && cp -r $(BUILD)/lv2/Skarvel.lv2 $(HOME)/.lv2/
	rm -rf $(HOME)/.vst3/Skarvel.vst3 && mkdir -p $(HOME)/.vst3 && cp -r $(BUILD)/vst3/Skarvel.vst3 $(HOME)/.vst3/
	mkdir -p $(HOME)/.clap && install -m 755 $(BUILD)/clap/Skarvel.clap $(HOME)/.clap/Skarvel.clap
	$(BUILD)/tools/skarvel render --demo out/demo.wav
	$(BUILD)/tools/skarvel render --demo out/demo-tube-drive.wav --preset "Tube Drive"
	$(BUILD)/tools/skarvel render --demo out/demo-hardcore-fuzz.wav --preset "Hardcore Fuzz 1"
	$(BUILD)/tools/skarvel render --demo out/demo-slow-phaser.wav --preset "Slow Phaser"
	$(BUILD)/tools/skarvel render --demo out/demo-ring-modulation.wav --preset "200 Hz Ring Modulation"
	$(BUILD)/tools/skarvel snapshot out/editor.png
	$(BUILD)/tools/skarvel snapshot out/editor-about.png --page about

# The Windows plug-ins, cross-built with MinGW-w64 and copied without their debugging
# information to out/windows/: the VST2 DLLs Skarvel.dll (32-bit) and Skarvel-x64.dll, the VST3
# bundle Skarvel.vst3/ with both modules, and the CLAP modules x86/Skarvel.clap and
# x64/Skarvel.clap (one name in two folders: only one of them can be installed in a folder).
windows: bootstrap-all
	@for a in $(WIN_ARCHS); do \
	  scripts/build-mingw-deps $$a && \
	  { test -f $(call win_build,$$a)/build.ninja || \
	    cmake -S . -B $(call win_build,$$a) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-$$a.cmake \
	      -DSKARVEL_REFERENCE_RENDER=$(abspath $(BUILD))/reference_render.f64; } && \
	  cmake --build $(call win_build,$$a) -j2 || exit 1; \
	done
	@mkdir -p out/windows/x86 out/windows/x64 $(addprefix out/windows/Skarvel.vst3/Contents/,x86-win x86_64-win)
	i686-w64-mingw32-strip -o out/windows/Skarvel.dll $(call win_build,i686)/Skarvel.dll
	x86_64-w64-mingw32-strip -o out/windows/Skarvel-x64.dll $(call win_build,x86_64)/Skarvel-x64.dll
	i686-w64-mingw32-strip -o out/windows/$(vst3_x86) $(call win_build,i686)/vst3/$(vst3_x86)
	x86_64-w64-mingw32-strip -o out/windows/$(vst3_x64) $(call win_build,x86_64)/vst3/$(vst3_x64)
	i686-w64-mingw32-strip -o out/windows/x86/Skarvel.clap $(call win_build,i686)/clap/Skarvel.clap
	x86_64-w64-mingw32-strip -o out/windows/x64/Skarvel.clap $(call win_build,x86_64)/clap/Skarvel.clap

# The Windows builds' tests, run under Wine. They compare against the Linux build's render.
# The 32-bit build's are skipped where this machine cannot run 32-bit programs (scripts/wine-run).
test-windows: all windows
	@for a in $(WIN_ARCHS); do \
	  ctest --test-dir $(call win_build,$$a) --output-on-failure || exit 1; \
	done

# The whole Linux suite again with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: bootstrap-test
	@test -f build-asan/build.ninja || \
	  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARVEL_SANITIZE=address,undefined
	cmake --build build-asan -j2
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ctest --test-dir build-asan --output-on-failure -j2

# The thread stress test built with ThreadSanitizer: any data race fails it.
test-tsan: bootstrap-test
	@test -f build-tsan/build.ninja || \
	  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARVEL_SANITIZE=thread
	cmake --build build-tsan --target test_stress -j2
	SKARVEL_STRESS_SECONDS=4 TSAN_OPTIONS="halt_on_error=1 exitcode=66" build-tsan/tests/test_stress

# Every fuzz target for FUZZ_SECONDS, starting from its seed corpus in tests/fuzz/corpus/.
# New inputs collect in build-fuzz/corpus/; an input that fails lands in build-fuzz/artifacts/
# (fix the fault, then add the input to the seed corpus: the normal suite replays it).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := set_chunk preset_text png string2parameter
fuzz: bootstrap-test
	@test -f build-fuzz/build.ninja || CC=clang CXX=clang++ \
	  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DSKARVEL_SANITIZE=fuzzer-no-link,address,undefined -DSKARVEL_FUZZ=ON
	cmake --build build-fuzz --target fuzz -j2
	@mkdir -p build-fuzz/artifacts
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp build-fuzz/tests/fuzz/fuzz_$$t \
	    build-fuzz/corpus/$$t tests/fuzz/corpus/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/$$t- \
	    > build-fuzz/$$t.log 2>&1 || { tail -40 build-fuzz/$$t.log; exit 1; }; \
	  grep -E '^#[0-9]+.*DONE|number_of_executed_units' build-fuzz/$$t.log; \
	done

# 24 hours of audio through the effect with the cutoff and the ring modulator automated
# (about half an hour of CPU); `make test` runs one hour of it.
soak: configure-tests all
	$(BUILD)/tests/soak/soak --seconds 86400

test: configure-tests all windows
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory test-tsan
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30
	$(MAKE) --no-print-directory test-windows
	ctest --test-dir $(BUILD) --output-on-failure -j2

# Benchmark programs: the filtering units, then the effect through the built module with the
# peer plug-ins and a summary against the performance targets (on a virtual display when none is
# set: the first editor is opened).
bench: configure-tests
	$(if $(DISPLAY),,xvfb-run -a) cmake --build $(BUILD) --target run_bench -j2

# Draws the manual's pictures in docs/img/ again with the built tool.
docs: all
	scripts/make-docs-pictures $(BUILD)/tools/skarvel docs/img

# The release bundle out/dist/Skarvel-VERSION.zip and .tar.gz; stops naming any missing file.
dist: configure-tests all windows
	scripts/make-dist $(BUILD) out/windows out/dist

# Repaints the editor's PNGs (needs cairo) and renders the contact sheet and page mock-ups.
skin: configure
	cmake --build $(BUILD) --target skin -j2
	$(BUILD)/tools/skin/skin resources/img/kernwave
	cmake --build $(BUILD) --target skin_preview -j2
	@mkdir -p docs/art
	$(BUILD)/tools/skin/skin_preview docs/art

clean:
	rm -rf $(BUILD) build-win-* out
