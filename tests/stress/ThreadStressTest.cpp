// The host's two threads at once: the audio thread processes 256-frame blocks while the
// user-interface thread automates, switches programs, saves and restores state, reads the
// displays and the meter, and works the editor with the mouse. Run under ThreadSanitizer by `make test-tsan`; everywhere else it
// still checks that nothing crashes and the output stays finite.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"

namespace {

constexpr int kBlock = 256;

double StressSeconds()
{
  const char* env = std::getenv("SKARVEL_STRESS_SECONDS");
  return env && *env ? std::atof(env) : 2.0;
}

struct AudioThread
{
  AEffect* effect;
  std::atomic<bool>& stop;
  bool automates = false;  // some hosts call setParameter on the audio thread
  std::atomic<long> blocks{0};
  std::atomic<long> badSamples{0};

  void Run()
  {
    std::vector<float> in[2], out[2];
    for (int c = 0; c < 2; ++c) {
      in[c].resize(kBlock);
      out[c].resize(kBlock);
    }
    for (long b = 0; !stop.load(); ++b) {
      for (int i = 0; i < kBlock; ++i) {
        const double t = static_cast<double>(b * kBlock + i) / 44100.0;
        in[0][i] = static_cast<float>(0.8 * std::sin(2 * M_PI * 110.0 * t));
        in[1][i] = static_cast<float>(0.6 * std::sin(2 * M_PI * 165.0 * t));
      }
      float* ins[2] = {in[0].data(), in[1].data()};
      float* outs[2] = {out[0].data(), out[1].data()};
      if (automates) {
        effect->setParameter(effect, kFilterCutoff, static_cast<float>(b % 200) / 200.0f);
        effect->setParameter(effect, kRingModulationFrequency, static_cast<float>(b % 90) / 90.0f);
      }
      effect->processReplacing(effect, ins, outs, kBlock);
      for (const auto& ch : out)
        for (float x : ch)
          if (!(std::fabs(x) <= 25.0f)) badSamples.fetch_add(1);
      blocks.fetch_add(1);
    }
  }
};

// A user at the editor: a press, a drag and a release somewhere on the panel, or a wheel
// turn; then the repaint the window's timer would do.
void EditorGesture(IGraphics& gui, std::mt19937& random)
{
  const int x = static_cast<int>(random() % gui.Width());
  const int y = static_cast<int>(random() % gui.Height());
  MouseModifiers mod;
  mod.L = random() % 4 != 0;
  mod.R = !mod.L;
  mod.S = random() % 5 == 0;
  if (random() % 4 == 0) {
    gui.OnMouseWheel(x, y, mod, static_cast<int>(random() % 5) - 2);
  } else {
    gui.OnMouseDown(x, y, mod);
    gui.OnMouseDrag(x, y - static_cast<int>(random() % 40) + 20, mod);
    gui.OnMouseUp(x, y, mod);
  }
  EditorRect dirty;
  if (gui.CollectDirtyArea(dirty)) gui.DrawArea(dirty);
}

// One random thing a user-interface thread does; returns false if an answer was wrong.
bool UserInterfaceStep(AEffect* e, Skarvel& fx, std::mt19937& random)
{
  const int param = static_cast<int>(random() % 30);
  const float value = static_cast<float>(random() % 1001) / 1000.0f;
  char text[256] = "";
  switch (random() % 10) {
    case 0: e->setParameter(e, param, value); return true;
    case 1: {
      const float v = e->getParameter(e, param);
      return v >= 0.0f && v <= 1.0f;
    }
    case 2:
      e->dispatcher(e, effSetProgram, 0, static_cast<VstIntPtr>(random() % 56), nullptr, 0.0f);
      return true;
    case 3: {
      const bool program = random() % 2;
      void* data = nullptr;
      const VstIntPtr size = e->dispatcher(e, effGetChunk, program ? 1 : 0, 0, &data, 0.0f);
      if (size <= 0 || !data) return false;
      std::vector<unsigned char> copy(static_cast<unsigned char*>(data),
                                      static_cast<unsigned char*>(data) + size);
      return e->dispatcher(e, effSetChunk, program ? 1 : 0, size, copy.data(), 0.0f) == 1;
    }
    case 4: e->dispatcher(e, effGetParamDisplay, param, 0, text, 0.0f); return text[0] != '\0';
    case 5: {
      const double peak = fx.PeakLeft() + fx.PeakRight();
      if (random() % 8 == 0) fx.RequestPeakReset();
      return peak >= 0.0 && peak <= 50.0;
    }
    case 6:
      std::snprintf(text, sizeof text, "%g", value);
      return e->dispatcher(e, effString2Parameter, param, 0, text, 0.0f) == 1;
    case 7:
      std::snprintf(text, sizeof text, "Stress %u", static_cast<unsigned>(random() % 100));
      e->dispatcher(e, effSetProgramName, 0, 0, text, 0.0f);
      return true;
    case 8:
      if (IGraphics* gui = fx.GetGUI()) EditorGesture(*gui, random);
      return true;
    default:
      e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
      e->dispatcher(e, effIdle, 0, 0, nullptr, 0.0f);
      return true;
  }
}

void RunStress(bool audioThreadAutomates)
{
  AEffect* e = VSTPluginMain(nullptr);
  ASSERT_TRUE(e);
  e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  e->dispatcher(e, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  Skarvel& fx = *static_cast<Skarvel*>(IPlugVST::FromAEffect(e));
  e->dispatcher(e, effSetProgram, 0, 30, nullptr, 0.0f);  // every unit doing something

  std::atomic<bool> stop{false};
  AudioThread audio{e, stop, audioThreadAutomates};
  std::thread audioThread(&AudioThread::Run, &audio);

  std::mt19937 random(99);
  long steps = 0, wrong = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(StressSeconds());
  while (std::chrono::steady_clock::now() < end) {
    if (!UserInterfaceStep(e, fx, random)) ++wrong;
    ++steps;
  }
  stop.store(true);
  audioThread.join();

  std::printf("%ld blocks of %d frames, %ld user-interface steps\n", audio.blocks.load(), kBlock, steps);
  EXPECT_EQ(wrong, 0) << "of " << steps << " user-interface steps";
  EXPECT_EQ(audio.badSamples.load(), 0) << "of " << audio.blocks.load() * kBlock * 2;
  EXPECT_GT(audio.blocks.load(), 10);
  EXPECT_GT(steps, 100);
  EXPECT_TRUE(fx.GetGUI()) << "the editor surface exists from construction";
  e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace

TEST(ThreadStress, AudioAndUserInterfaceThreadsTogether) { RunStress(false); }

// Automation arriving on the audio thread moves the editor's controls while the
// user-interface thread repaints them.
TEST(ThreadStress, HostAutomationOnTheAudioThread) { RunStress(true); }
