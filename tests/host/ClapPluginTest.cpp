// The CLAP module driven as a host and a validator drive it: scan, parameters both ways,
// processing at several rates and block sizes in every buffer layout, state, lifecycle. The
// VST2 module is the reference for the sound: the same program and values must give the same
// samples.
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/state.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "skarvel/SkarvelParameters.h"
#include "tests/host/ClapStreams.h"
#include "tests/host/EffectScenarios.h"
#include "tests/host/OtherThreadProbe.h"
#include "tests/host/SkarvelUnderTest.h"

namespace {

constexpr uint32_t kMaxBlock = 1024;

bool IsSwitch(int param) { return kSkarvelParams[param].step >= 1.0; }

// The program chunk of "Noise Freak Fuzz 2" with every unit at work, from the VST2 module.
std::vector<unsigned char> EverythingOnState()
{
  auto vst = LoadSkarvel();
  if (!vst || !EffectScenarios::EverythingOn(*vst)) return {};
  return vst->GetChunk(true);
}

template <typename Sample>
std::vector<std::vector<Sample>> Block(EffectScenarios::NoiseInput& noise, int frames)
{
  std::vector<std::vector<Sample>> b(2, std::vector<Sample>(static_cast<size_t>(frames)));
  noise.Fill(b, frames);
  return b;
}

template <typename Sample>
double LargestDifference(const std::vector<std::vector<Sample>>& a, const std::vector<std::vector<Sample>>& b)
{
  double worst = 0.0;
  for (size_t c = 0; c < 2; ++c)
    for (size_t i = 0; i < a[c].size(); ++i) {
      const double d = std::fabs(double(a[c][i]) - double(b[c][i]));
      if (!(d <= worst)) worst = d;  // NaN counts as the worst
    }
  return worst;
}

// Block sizes from 1 to the maximum, both ends included.
std::vector<int> RandomBlockSizes(std::mt19937& random, int count)
{
  std::vector<int> sizes = {1, int(kMaxBlock)};
  std::uniform_int_distribution<int> size(1, int(kMaxBlock));
  while (int(sizes.size()) < count) sizes.push_back(size(random));
  std::shuffle(sizes.begin(), sizes.end(), random);
  return sizes;
}

// The VST2 and the CLAP module started the same way on the same state.
struct TwoFormats
{
  std::unique_ptr<TestHost> vst;
  std::unique_ptr<ClapHost> clap;
};

TwoFormats StartBoth(double rate, const std::vector<unsigned char>& state)
{
  TwoFormats t{LoadSkarvel(), LoadSkarvelClap()};
  if (!t.vst || !t.clap) return {};
  t.vst->Start(float(rate), int(kMaxBlock));
  EXPECT_TRUE(t.clap->Activate(rate, kMaxBlock));
  if (!state.empty()) {
    EXPECT_NE(t.vst->SetChunk(true, state), 0);
    EXPECT_TRUE(t.clap->LoadState(state));
  }
  return t;
}

}  // namespace

// --- Scan ----------------------------------------------------------------------------------

TEST(ClapScan, TheModuleOffersOnePluginWithItsPublishedIdentity)
{
  ClapHost host;
  ASSERT_TRUE(host.Load(SkarvelClapPath())) << host.Error();
  EXPECT_TRUE(clap_version_is_compatible(host.Entry()->clap_version));
  EXPECT_EQ(host.Entry()->get_factory("no.such.factory"), nullptr);
  const clap_plugin_factory_t* f = host.Factory();
  ASSERT_EQ(f->get_plugin_count(f), 1u);
  EXPECT_EQ(f->get_plugin_descriptor(f, 1), nullptr);
  const clap_plugin_descriptor_t* d = f->get_plugin_descriptor(f, 0);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(clap_version_is_compatible(d->clap_version));
  EXPECT_STREQ(d->id, "com.kernwave.skarvel");  // published: never to change
  EXPECT_STREQ(d->name, "Skarvel 1.3 Free");
  EXPECT_STREQ(d->vendor, "Kernwave");
  EXPECT_STREQ(d->version, "1.3.3");
  std::vector<std::string> features;
  for (const char** p = d->features; p && *p; ++p) features.push_back(*p);
  EXPECT_EQ(features, (std::vector<std::string>{"audio-effect", "distortion", "stereo"}));

  EXPECT_EQ(f->create_plugin(f, host.Host(), "com.kernwave.other"), nullptr);
  EXPECT_EQ(f->create_plugin(f, host.Host(), nullptr), nullptr);
  EXPECT_EQ(f->create_plugin(f, nullptr, d->id), nullptr);
  ASSERT_TRUE(host.Create()) << host.Error();
  EXPECT_EQ(host.Plugin()->desc, d);
  EXPECT_EQ(host.Plugin()->get_extension(host.Plugin(), "clap.no-such-extension"), nullptr);
  EXPECT_EQ(host.Plugin()->get_extension(host.Plugin(), nullptr), nullptr);
}

TEST(ClapScan, OneStereoPairProcessedInPlaceAndNoLatency)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  const auto* ports = host->Get<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
  ASSERT_NE(ports, nullptr);
  for (bool input : {true, false}) {
    ASSERT_EQ(ports->count(host->Plugin(), input), 1u);
    clap_audio_port_info_t info{};
    ASSERT_TRUE(ports->get(host->Plugin(), 0, input, &info));
    EXPECT_EQ(info.channel_count, 2u);
    EXPECT_STREQ(info.port_type, CLAP_PORT_STEREO);
    EXPECT_TRUE(info.flags & CLAP_AUDIO_PORT_IS_MAIN);
    EXPECT_TRUE(info.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS);
    EXPECT_EQ(info.in_place_pair, 0u);
    EXPECT_FALSE(ports->get(host->Plugin(), 1, input, &info));
  }
  const auto* latency = host->Get<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
  ASSERT_NE(latency, nullptr);
  ASSERT_TRUE(host->Activate(48000.0, kMaxBlock));
  EXPECT_EQ(latency->get(host->Plugin()), 0u);
}

// A state with the oversampling on brings its latency: told to the host while the plug-in is
// inactive, through a restart request while it is active. Either comes once the plug-in's lock
// is free: a host that waits in reply for its audio thread finds it flushing parameters.
TEST(ClapScan, OversamplingStateReportsItsLatency)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  const auto* latency = host->Get<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
  ASSERT_NE(latency, nullptr);
  OtherThreadProbe audioThread;
  std::vector<bool> flushedDuringTheNotice;
  host->ReactToLatencyNotices(
    [&] { flushedDuringTheNotice.push_back(audioThread.Returns([&] { host->Flush(); })); });
  std::vector<uint8_t> state = host->SaveState();
  const uint8_t block[12] = {'O', 'V', 'S', 'M', 1, 0, 0, 0, 4, 0, 0, 0};
  state.insert(state.end(), block, block + 12);
  ASSERT_TRUE(host->LoadState(state));
  EXPECT_EQ(latency->get(host->Plugin()), 67u);
  EXPECT_EQ(host->LatencyChanges(), 1);
  EXPECT_EQ(host->RestartRequests(), 0);

  ASSERT_TRUE(host->Activate(48000.0, kMaxBlock));
  state.resize(state.size() - 12);
  ASSERT_TRUE(host->LoadState(state));
  EXPECT_EQ(latency->get(host->Plugin()), 0u);
  EXPECT_EQ(host->LatencyChanges(), 1);
  EXPECT_EQ(host->RestartRequests(), 1);
  EXPECT_EQ(flushedDuringTheNotice, (std::vector<bool>{true, true}));
  host->ReactToLatencyNotices(nullptr);
}

// --- Parameters ------------------------------------------------------------------------------

// Ids are the table's indices, the defaults are the first program's values (what the VST2
// module starts with), only the switches are stepped, and "Bypass FX" is the host's bypass.
TEST(ClapParams, TheTableAsTheHostSeesIt)
{
  auto host = LoadSkarvelClap();
  auto vst = LoadSkarvel();
  ASSERT_TRUE(host && vst);
  const clap_plugin_params_t* params = host->Params();
  ASSERT_EQ(params->count(host->Plugin()), uint32_t(kNumParams));
  for (int i = 0; i < kNumParams; ++i) {
    clap_param_info_t info{};
    ASSERT_TRUE(params->get_info(host->Plugin(), uint32_t(i), &info));
    EXPECT_EQ(info.id, clap_id(i));
    EXPECT_STREQ(info.name, kSkarvelParams[i].name);
    EXPECT_EQ(info.min_value, 0.0);
    EXPECT_EQ(info.max_value, 1.0);
    EXPECT_EQ(float(info.default_value), vst->GetParameter(i)) << info.name;
    EXPECT_EQ(host->Value(clap_id(i)), info.default_value) << info.name;
    EXPECT_TRUE(info.flags & CLAP_PARAM_IS_AUTOMATABLE);
    EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, IsSwitch(i)) << info.name;
    EXPECT_EQ((info.flags & CLAP_PARAM_IS_BYPASS) != 0, i == kBypassFX) << info.name;
  }
  clap_param_info_t info{};
  EXPECT_FALSE(params->get_info(host->Plugin(), kNumParams, &info));
  EXPECT_FALSE(params->get_info(host->Plugin(), 0, nullptr));
  double v = 0.0;
  EXPECT_FALSE(params->get_value(host->Plugin(), kNumParams, &v));
  EXPECT_FALSE(params->get_value(host->Plugin(), CLAP_INVALID_ID, &v));
}

// What a host shows reads back as the same value, for every parameter at both ends and at
// its default; the hertz read-outs carry their unit and take it back.
TEST(ClapParams, TextRoundTripsAtMinimumMaximumAndDefault)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  ASSERT_TRUE(host->Activate(96000.0, kMaxBlock));
  const clap_plugin_params_t* params = host->Params();
  for (int i = 0; i < kNumParams; ++i) {
    clap_param_info_t info{};
    ASSERT_TRUE(params->get_info(host->Plugin(), uint32_t(i), &info));
    for (double v : {info.min_value, info.max_value, info.default_value}) {
      const std::string text = host->Text(clap_id(i), v);
      ASSERT_NE(text, "(refused)") << info.name;
      EXPECT_EQ(kSkarvelParams[i].label[0] != '\0',
                text.size() > 3 && text.compare(text.size() - 3, 3, " Hz") == 0)
        << info.name << ": " << text;
      double back = -1.0;
      ASSERT_TRUE(params->text_to_value(host->Plugin(), clap_id(i), text.c_str(), &back))
        << info.name << ": " << text;
      EXPECT_GE(back, info.min_value);
      EXPECT_LE(back, info.max_value);
      EXPECT_EQ(host->Text(clap_id(i), back), text) << info.name;
      EXPECT_NEAR(back, v, 0.001) << info.name << ": " << text;
    }
  }
}

TEST(ClapParams, RefusesTextsAndValuesThatNameNothing)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  const clap_plugin_params_t* params = host->Params();
  const clap_plugin_t* p = host->Plugin();
  char text[8];
  EXPECT_FALSE(params->value_to_text(p, kNumParams, 0.5, text, sizeof text));
  EXPECT_FALSE(params->value_to_text(p, kVolume, std::nan(""), text, sizeof text));
  EXPECT_FALSE(params->value_to_text(p, kVolume, 0.5, nullptr, sizeof text));
  EXPECT_FALSE(params->value_to_text(p, kVolume, 0.5, text, 0));
  // A short buffer gets the start of the text, terminated.
  std::memset(text, 'x', sizeof text);
  ASSERT_TRUE(params->value_to_text(p, kFilterCutoff, 1.0, text, 4));
  EXPECT_EQ(std::strlen(text), 3u);
  double v = 0.25;
  EXPECT_FALSE(params->text_to_value(p, kVolume, "loud", &v));
  EXPECT_FALSE(params->text_to_value(p, kVolume, nullptr, &v));
  EXPECT_FALSE(params->text_to_value(p, kVolume, "nan", &v));
  EXPECT_FALSE(params->text_to_value(p, kNumParams, "0.5", &v));
  EXPECT_FALSE(params->text_to_value(p, kVolume, "0.5", nullptr));
  EXPECT_EQ(v, 0.25);
  // Beyond the range: the nearest end.
  ASSERT_TRUE(params->text_to_value(p, kVolume, "7", &v));
  EXPECT_EQ(v, 1.0);
}

// Without processing, flush carries the host's values in: bad ones change nothing, values
// beyond the range are held to it.
TEST(ClapParams, FlushAppliesTheHostsValuesWhileNotProcessing)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  host->Flush({{0, kVolume, 0.375},
               {0, kNumParams, 0.5},
               {0, kGate, std::nan("")},
               {0, kBassAmount, 3.0},
               {0, kSaturation, 0.25, CLAP_EVENT_PARAM_MOD}});
  EXPECT_EQ(host->Value(kVolume), 0.375);
  EXPECT_EQ(host->Value(kGate), 0.0);
  EXPECT_EQ(host->Value(kBassAmount), 1.0);
  EXPECT_EQ(host->Value(kSaturation), 0.0);
  EXPECT_TRUE(host->Received().empty()) << "nothing changed in the editor";
}

// --- Processing ----------------------------------------------------------------------------

// rate, 64-bit samples, in place
class ClapProcess : public ::testing::TestWithParam<std::tuple<double, bool, bool>>
{
protected:
  template <typename Sample> void CompareWithVst2(TwoFormats& t, bool inPlace);
};

template <typename Sample> void ClapProcess::CompareWithVst2(TwoFormats& t, bool inPlace)
{
  std::mt19937 random(7);
  EffectScenarios::NoiseInput noise(3);
  for (int frames : RandomBlockSizes(random, 14)) {
    auto in = Block<Sample>(noise, frames);
    std::vector<std::vector<Sample>> want(2, std::vector<Sample>(size_t(frames)));
    if constexpr (sizeof(Sample) == sizeof(float))
      t.vst->ProcessReplacing(in, want, frames);
    else
      t.vst->ProcessDoubleReplacing(in, want, frames);
    std::vector<std::vector<Sample>> got(2, std::vector<Sample>(size_t(frames), Sample(9)));
    if (inPlace) {
      got = in;
      ASSERT_EQ(t.clap->ProcessInPlace(got, frames), CLAP_PROCESS_CONTINUE);
    } else {
      ASSERT_EQ(t.clap->Process(in, got, frames), CLAP_PROCESS_CONTINUE);
    }
    ASSERT_LE(LargestDifference(got, want), 1e-6) << "block of " << frames;
  }
}

TEST_P(ClapProcess, EqualsTheVst2ModuleInRandomBlockSizes)
{
  const auto [rate, wide, inPlace] = GetParam();
  TwoFormats t = StartBoth(rate, EverythingOnState());
  ASSERT_TRUE(t.vst && t.clap);
  if (wide)
    CompareWithVst2<double>(t, inPlace);
  else
    CompareWithVst2<float>(t, inPlace);
}

INSTANTIATE_TEST_SUITE_P(RatesAndLayouts, ClapProcess,
                         ::testing::Combine(::testing::Values(44100.0, 48000.0, 96000.0), ::testing::Bool(),
                                            ::testing::Bool()));

// The host's parameter changes take effect at their sample: the VST2 module, its blocks split
// at the same samples with the same changes in between, gives the same output.
TEST(ClapProcessEvents, ParameterChangesInsideBlocksActAtTheirSample)
{
  TwoFormats t = StartBoth(48000.0, EverythingOnState());
  ASSERT_TRUE(t.vst && t.clap);
  std::mt19937 random(11);
  std::uniform_int_distribution<int> param(0, kNumParams - 1);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  EffectScenarios::NoiseInput noise(5);
  for (int frames : RandomBlockSizes(random, 24)) {
    std::uniform_int_distribution<int> at(0, frames - 1);
    std::vector<ClapParamEvent> events;
    const int count = int(random() % 6);
    for (int k = 0; k < count; ++k) {
      const int p = param(random);
      events.push_back(
        {uint32_t(at(random)), clap_id(p), IsSwitch(p) ? double(random() % 2) : double(value(random))});
    }
    std::stable_sort(events.begin(), events.end(), [](auto& a, auto& b) { return a.time < b.time; });

    FloatBuffers in = Block<float>(noise, frames);
    FloatBuffers got(2, std::vector<float>(size_t(frames)));
    ASSERT_EQ(t.clap->Process(in, got, frames, events), CLAP_PROCESS_CONTINUE);

    FloatBuffers want(2, std::vector<float>(size_t(frames)));
    int done = 0;
    auto runTo = [&](int end) {
      if (end <= done) return;
      FloatBuffers part(2), out(2, std::vector<float>(size_t(end - done)));
      for (int c = 0; c < 2; ++c) part[c].assign(in[c].begin() + done, in[c].begin() + end);
      t.vst->ProcessReplacing(part, out, end - done);
      for (int c = 0; c < 2; ++c) std::copy(out[c].begin(), out[c].end(), want[c].begin() + done);
      done = end;
    };
    for (const ClapParamEvent& e : events) {
      runTo(int(e.time));
      t.vst->SetParameter(VstInt32(e.id), float(e.value));
    }
    runTo(frames);
    ASSERT_LE(LargestDifference(got, want), 1e-6)
      << "block of " << frames << " with " << events.size() << " changes";
  }
  for (int i = 0; i < kNumParams; ++i) EXPECT_EQ(float(t.clap->Value(clap_id(i))), t.vst->GetParameter(i));
}

// Events the host should not send still leave sound: late ones act at the block's end, ones
// out of order where processing has got to, and a block larger than the activation's
// maximum is processed whole.
TEST(ClapProcessEvents, LateOrUnorderedChangesAndOversizedBlocksStaySound)
{
  TwoFormats t = StartBoth(44100.0, EverythingOnState());
  ASSERT_TRUE(t.vst && t.clap);
  EffectScenarios::NoiseInput noise(9);
  const int frames = 3 * int(kMaxBlock) + 17;
  FloatBuffers in = Block<float>(noise, frames);
  FloatBuffers got(2, std::vector<float>(size_t(frames)));
  ASSERT_EQ(
    t.clap->Process(in, got, frames,
                    {{200, kVolume, 0.5}, {100, kGate, 0.25}, {uint32_t(frames) + 5, kBassAmount, 0.0}}),
    CLAP_PROCESS_CONTINUE);
  FloatBuffers want(2, std::vector<float>(size_t(frames)));
  FloatBuffers head(2), tail(2), headOut(2, std::vector<float>(200)),
    tailOut(2, std::vector<float>(size_t(frames - 200)));
  for (int c = 0; c < 2; ++c) {
    head[c].assign(in[c].begin(), in[c].begin() + 200);
    tail[c].assign(in[c].begin() + 200, in[c].end());
  }
  t.vst->ProcessReplacing(head, headOut, 200);
  t.vst->SetParameter(kVolume, 0.5f);
  t.vst->SetParameter(kGate, 0.25f);
  t.vst->ProcessReplacing(tail, tailOut, frames - 200);
  for (int c = 0; c < 2; ++c) {
    std::copy(headOut[c].begin(), headOut[c].end(), want[c].begin());
    std::copy(tailOut[c].begin(), tailOut[c].end(), want[c].begin() + 200);
  }
  EXPECT_LE(LargestDifference(got, want), 1e-6);
  EXPECT_EQ(t.clap->Value(kBassAmount), 0.0);
}

// Ports without buffers read as silence and are not written; a host mixing sample widths
// between the ports gets an error instead of output.
TEST(ClapProcessEvents, MissingBuffersAndMixedWidths)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  ASSERT_TRUE(host->Activate(44100.0, 64));
  FloatBuffers none, out(2, std::vector<float>(64, 5.0f));
  ASSERT_EQ(host->Process(none, out, 64), CLAP_PROCESS_CONTINUE);
  for (const auto& c : out)
    for (float s : c) ASSERT_TRUE(std::isfinite(s) && s != 5.0f);
  FloatBuffers in(2, std::vector<float>(64, 0.5f));
  ASSERT_EQ(host->Process(in, none, 64), CLAP_PROCESS_CONTINUE);
  ASSERT_EQ(host->Process(in, out, 0), CLAP_PROCESS_CONTINUE);

  std::vector<float*> in32 = {in[0].data(), in[1].data()};
  std::vector<double> l(64), r(64);
  std::vector<double*> out64 = {l.data(), r.data()};
  clap_audio_buffer_t inPort{}, outPort{};
  inPort.data32 = in32.data();
  inPort.channel_count = 2;
  outPort.data64 = out64.data();
  outPort.channel_count = 2;
  clap_process_t p{};
  p.frames_count = 64;
  p.audio_inputs = &inPort;
  p.audio_outputs = &outPort;
  p.audio_inputs_count = p.audio_outputs_count = 1;
  EXPECT_EQ(host->Plugin()->process(host->Plugin(), &p), CLAP_PROCESS_ERROR);
  EXPECT_EQ(host->Plugin()->process(host->Plugin(), nullptr), CLAP_PROCESS_ERROR);
}

// --- Lifecycle -----------------------------------------------------------------------------

// reset clears the units' history as VST2's switching off and on does; a deactivation and an
// activation at another rate and maximum block size is the VST2 module's new rate and size.
TEST(ClapLifecycle, ResetAndReactivationMatchTheVst2Module)
{
  TwoFormats t = StartBoth(44100.0, EverythingOnState());
  ASSERT_TRUE(t.vst && t.clap);
  EffectScenarios::NoiseInput noise(13);
  auto compare = [&](int frames) {
    FloatBuffers in = Block<float>(noise, frames);
    FloatBuffers want(2, std::vector<float>(size_t(frames))), got = want;
    t.vst->ProcessReplacing(in, want, frames);
    ASSERT_EQ(t.clap->Process(in, got, frames), CLAP_PROCESS_CONTINUE);
    ASSERT_LE(LargestDifference(got, want), 1e-6);
  };
  compare(700);
  t.clap->Plugin()->reset(t.clap->Plugin());
  t.vst->Dispatch(effMainsChanged, 0, 0);
  t.vst->Dispatch(effMainsChanged, 0, 1);
  compare(700);

  t.clap->Deactivate();
  ASSERT_TRUE(t.clap->Activate(96000.0, 256));
  t.vst->Dispatch(effMainsChanged, 0, 0);
  t.vst->Dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  t.vst->Dispatch(effSetBlockSize, 0, 256);
  t.vst->Dispatch(effMainsChanged, 0, 1);
  compare(256);
  compare(1000);
}

// Calls out of turn are refused, not acted on.
TEST(ClapLifecycle, CallsOutOfTurnAreRefused)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  const clap_plugin_t* p = host->Plugin();
  FloatBuffers in(2, std::vector<float>(32)), out = in;
  EXPECT_EQ(host->Process(in, out, 32), CLAP_PROCESS_ERROR) << "not active";
  EXPECT_FALSE(p->start_processing(p));
  p->deactivate(p);
  p->reset(p);
  EXPECT_FALSE(p->activate(p, std::nan(""), 1, 512));
  EXPECT_FALSE(p->activate(p, 0.0, 1, 512));
  EXPECT_FALSE(p->activate(p, 48000.0, 1, 0));
  ASSERT_TRUE(p->activate(p, 48000.0, 1, 512));
  EXPECT_FALSE(p->activate(p, 44100.0, 1, 512)) << "already active";
  EXPECT_TRUE(p->start_processing(p));
  EXPECT_EQ(host->Process(in, out, 32), CLAP_PROCESS_CONTINUE);
  p->stop_processing(p);
  p->deactivate(p);
  EXPECT_EQ(host->Process(in, out, 32), CLAP_PROCESS_ERROR);
}

// --- State ---------------------------------------------------------------------------------

// The state is the program chunk, the same bytes as the VST2 module's; streams that move a
// few bytes a call lose nothing; a loaded state saves as the same bytes and sounds the same.
TEST(ClapState, SavedStateLoadsIntoTheSameBytesAndSound)
{
  const std::vector<unsigned char> program = EverythingOnState();
  ASSERT_FALSE(program.empty());
  auto a = LoadSkarvelClap();
  auto b = LoadSkarvelClap();
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(a->LoadState(program, 3));
  a->Flush({{0, kFilterCutoff, 0.3125}, {0, kRingModulationFrequency, 0.125}});
  const std::vector<uint8_t> saved = a->SaveState(7);
  ASSERT_GT(saved.size(), 8u);
  auto vst = LoadSkarvel();
  ASSERT_TRUE(vst);
  ASSERT_NE(vst->SetChunk(true, program), 0);
  vst->SetParameter(kFilterCutoff, 0.3125f);
  vst->SetParameter(kRingModulationFrequency, 0.125f);
  const std::vector<unsigned char> vstChunk = vst->GetChunk(true);
  EXPECT_EQ(saved, std::vector<uint8_t>(vstChunk.begin(), vstChunk.end()));

  ASSERT_TRUE(b->LoadState(saved, 5));
  EXPECT_EQ(b->SaveState(), saved);
  for (int i = 0; i < kNumParams; ++i) EXPECT_EQ(b->Value(clap_id(i)), a->Value(clap_id(i)));
  ASSERT_TRUE(a->Activate(44100.0, 512) && b->Activate(44100.0, 512));
  EffectScenarios::NoiseInput noise(17);
  FloatBuffers in = Block<float>(noise, 512), outA(2, std::vector<float>(512)), outB = outA;
  ASSERT_EQ(a->Process(in, outA, 512), CLAP_PROCESS_CONTINUE);
  ASSERT_EQ(b->Process(in, outB, 512), CLAP_PROCESS_CONTINUE);
  EXPECT_EQ(outA, outB);
}

// Whatever a host hands in that is not a whole state changes nothing: random megabytes,
// every truncation, a stream failing part-way; a failing output stream fails the save.
TEST(ClapState, AnythingButAWholeStateChangesNothing)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  ASSERT_TRUE(host->Activate(44100.0, 256));
  host->Flush({{0, kDistortion, 0.625}});
  const std::vector<uint8_t> before = host->SaveState();
  ASSERT_FALSE(before.empty());

  std::mt19937 random(23);
  for (int k = 0; k < 3; ++k) {
    std::vector<uint8_t> junk(1 << 20);
    for (auto& b : junk) b = uint8_t(random());
    EXPECT_FALSE(host->LoadState(junk, 1000 + size_t(k) * 4093));
  }
  for (size_t n = 0; n < before.size(); ++n)
    EXPECT_FALSE(host->LoadState(std::vector<uint8_t>(before.begin(), before.begin() + long(n))))
      << n << " bytes";
  ClapInputStream failing(before, 16, 64);
  const auto* state = host->Get<clap_plugin_state_t>(CLAP_EXT_STATE);
  EXPECT_FALSE(state->load(host->Plugin(), failing.Stream()));
  EXPECT_FALSE(state->load(host->Plugin(), nullptr));
  EXPECT_EQ(host->SaveState(), before);

  ClapOutputStream refusing(SIZE_MAX, true);
  EXPECT_FALSE(state->save(host->Plugin(), refusing.Stream()));
  EXPECT_FALSE(state->save(host->Plugin(), nullptr));

  // A whole header with random values: taken, but every value held to its range.
  std::vector<uint8_t> odd(before.begin(), before.begin() + 8);
  for (int i = 0; i < kNumParams * 8; ++i) odd.push_back(uint8_t(random()));
  EXPECT_TRUE(host->LoadState(odd));
  for (int i = 0; i < kNumParams; ++i) {
    const double v = host->Value(clap_id(i));
    EXPECT_TRUE(v >= 0.0 && v <= 1.0) << kSkarvelParams[i].name << " = " << v;
  }
  FloatBuffers in(2, std::vector<float>(256, 0.25f)), out = in;
  ASSERT_EQ(host->Process(in, out, 256), CLAP_PROCESS_CONTINUE);
  for (const auto& c : out)
    for (float s : c) ASSERT_TRUE(std::isfinite(s));
}

// --- Editor --------------------------------------------------------------------------------

// Embedded in a window of the platform's own kind only (X11 on Linux, Win32 on Windows), at
// its one size; creating it asks the host for its timer where the editor needs one (X11),
// destroying it gives the timer back. Showing or hiding an editor not yet open does nothing.
#ifdef _WIN32
constexpr const char* kOwnApi = CLAP_WINDOW_API_WIN32;
constexpr const char* kOtherApi = CLAP_WINDOW_API_X11;
constexpr size_t kEditorTimers = 0;
#else
constexpr const char* kOwnApi = CLAP_WINDOW_API_X11;
constexpr const char* kOtherApi = CLAP_WINDOW_API_WIN32;
constexpr size_t kEditorTimers = 1;
#endif

TEST(ClapGui, EmbeddedInThePlatformsWindowAtOneFixedSize)
{
  auto host = LoadSkarvelClap();
  ASSERT_TRUE(host);
  const auto* gui = host->Get<clap_plugin_gui_t>(CLAP_EXT_GUI);
  ASSERT_NE(gui, nullptr);
  const clap_plugin_t* p = host->Plugin();
  EXPECT_TRUE(gui->is_api_supported(p, kOwnApi, false));
  EXPECT_FALSE(gui->is_api_supported(p, kOwnApi, true));
  EXPECT_FALSE(gui->is_api_supported(p, kOtherApi, false));
  EXPECT_FALSE(gui->is_api_supported(p, CLAP_WINDOW_API_WAYLAND, false));
  EXPECT_FALSE(gui->is_api_supported(p, nullptr, false));
  const char* api = nullptr;
  bool floating = true;
  ASSERT_TRUE(gui->get_preferred_api(p, &api, &floating));
  EXPECT_STREQ(api, kOwnApi);
  EXPECT_FALSE(floating);
  EXPECT_FALSE(gui->create(p, kOwnApi, true));
  EXPECT_FALSE(gui->create(p, kOtherApi, false));
  EXPECT_EQ(host->TimerCount(), 0u);

  ASSERT_TRUE(gui->create(p, kOwnApi, false));
  EXPECT_EQ(host->TimerCount(), kEditorTimers);
  uint32_t w = 0, h = 0;
  ASSERT_TRUE(gui->get_size(p, &w, &h));
  EXPECT_EQ(w, 512u);
  EXPECT_EQ(h, 480u);
  EXPECT_FALSE(gui->can_resize(p));
  EXPECT_TRUE(gui->set_size(p, 512, 480));
  EXPECT_FALSE(gui->set_size(p, 600, 480));
  EXPECT_FALSE(gui->show(p));
  EXPECT_FALSE(gui->hide(p));
  clap_window_t window{};
  window.api = kOwnApi;
  window.ptr = nullptr;
  EXPECT_FALSE(gui->set_parent(p, &window)) << "no window";
  window.api = kOtherApi;
  EXPECT_FALSE(gui->set_parent(p, &window));
  EXPECT_FALSE(gui->set_parent(p, nullptr));
  host->RunTimers();  // an editor that is not open yet idles quietly
  gui->destroy(p);
  EXPECT_EQ(host->TimerCount(), 0u);
  gui->destroy(p);
}
