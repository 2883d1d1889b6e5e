#include <cmath>
#include <cstring>

#include "tests/host/OtherThreadProbe.h"
#include "tests/host/VST3UnderTest.h"

namespace {

// The class id is the plug-in's name in every saved session: it must never change. It is
// published as 4B726E77-536B7276-56535433-46783031; Windows hosts hold it as a COM GUID, whose
// first three fields are little-endian.
#ifdef _WIN32
constexpr uint8_t kPublishedClassId[16] = {0x77, 0x6E, 0x72, 0x4B, 0x6B, 0x53, 0x76, 0x72,
                                           0x56, 0x53, 0x54, 0x33, 0x46, 0x78, 0x30, 0x31};
#else
constexpr uint8_t kPublishedClassId[16] = {0x4B, 0x72, 0x6E, 0x77, 0x53, 0x6B, 0x72, 0x76,
                                           0x56, 0x53, 0x54, 0x33, 0x46, 0x78, 0x30, 0x31};
#endif

}  // namespace

TEST(VST3Plugin, FactoryAnnouncesOneDistortionEffectByKernwaveUnderItsPublishedId)
{
  VST3TestHost host;
  ASSERT_TRUE(host.Load(SkarvelVST3Module())) << host.Error();
  v3_plugin_factory** factory = host.Factory();
  v3_factory_info info{};
  ASSERT_EQ(v3_cpp_obj(factory)->get_factory_info(factory, &info), V3_OK);
  EXPECT_STREQ(info.vendor, "Kernwave");
  ASSERT_EQ(v3_cpp_obj(factory)->num_classes(factory), 1);

  v3_plugin_factory_2** factory2 = nullptr;
  ASSERT_EQ(v3_cpp_obj_query_interface(factory, v3_plugin_factory_2_iid, &factory2), V3_OK);
  v3_class_info_2 info2{};
  ASSERT_EQ(v3_cpp_obj(factory2)->get_class_info_2(factory2, 0, &info2), V3_OK);
  EXPECT_EQ(std::memcmp(info2.class_id, kPublishedClassId, 16), 0);
  EXPECT_STREQ(info2.category, "Audio Module Class");
  EXPECT_STREQ(info2.sub_categories, "Fx|Distortion");
  EXPECT_STREQ(info2.name, "Skarvel 1.3 Free");
  EXPECT_STREQ(info2.vendor, "Kernwave");
  EXPECT_EQ(v3_cpp_obj(factory2)->get_class_info_2(factory2, 1, &info2), V3_INVALID_ARG);

  v3_plugin_factory_3** factory3 = nullptr;
  ASSERT_EQ(v3_cpp_obj_query_interface(factory, v3_plugin_factory_3_iid, &factory3), V3_OK);
  v3_class_info_3 info3{};
  ASSERT_EQ(v3_cpp_obj(factory3)->get_class_info_utf16(factory3, 0, &info3), V3_OK);
  EXPECT_EQ(VST3TestHost::Utf8(info3.name, 64), "Skarvel 1.3 Free");
  EXPECT_EQ(VST3TestHost::Utf8(info3.vendor, 64), "Kernwave");

  // Another class id or a null answer slot creates nothing.
  v3_tuid other = {};
  void* object = &info;
  EXPECT_NE(v3_cpp_obj(factory)->create_instance(factory, other, v3_component_iid, &object), V3_OK);
  EXPECT_EQ(object, nullptr);
  EXPECT_NE(v3_cpp_obj(factory)->create_instance(factory, info2.class_id, v3_component_iid, nullptr), V3_OK);
}

TEST(VST3Plugin, OneStereoBusEachWayThatTakesMonoAndRefusesOtherArrangements)
{
  auto host = CreateSkarvelVST3();
  ASSERT_TRUE(host);
  v3_component** c = host->Component();
  v3_audio_processor** p = host->Processor();
  for (int32_t direction : {V3_INPUT, V3_OUTPUT}) {
    EXPECT_EQ(v3_cpp_obj(c)->get_bus_count(c, V3_AUDIO, direction), 1);
    EXPECT_EQ(v3_cpp_obj(c)->get_bus_count(c, V3_EVENT, direction), 0);
    v3_bus_info info{};
    ASSERT_EQ(v3_cpp_obj(c)->get_bus_info(c, V3_AUDIO, direction, 0, &info), V3_OK);
    EXPECT_EQ(info.channel_count, 2);
    EXPECT_EQ(info.bus_type, V3_MAIN);
    EXPECT_NE(v3_cpp_obj(c)->get_bus_info(c, V3_AUDIO, direction, 1, &info), V3_OK);
  }

  v3_speaker_arrangement mono = V3_SPEAKER_M, stereo = V3_SPEAKER_L | V3_SPEAKER_R;
  v3_speaker_arrangement surround = stereo | V3_SPEAKER_C | V3_SPEAKER_LFE | V3_SPEAKER_LS | V3_SPEAKER_RS;
  ASSERT_EQ(v3_cpp_obj(p)->set_bus_arrangements(p, &mono, 1, &stereo, 1), V3_OK);
  v3_speaker_arrangement in = 0, out = 0;
  v3_cpp_obj(p)->get_bus_arrangement(p, V3_INPUT, 0, &in);
  v3_cpp_obj(p)->get_bus_arrangement(p, V3_OUTPUT, 0, &out);
  EXPECT_EQ(in, mono);
  EXPECT_EQ(out, stereo);
  v3_bus_info info{};
  v3_cpp_obj(c)->get_bus_info(c, V3_AUDIO, V3_INPUT, 0, &info);
  EXPECT_EQ(info.channel_count, 1);

  // Refused: the arrangement stays what it was.
  EXPECT_EQ(v3_cpp_obj(p)->set_bus_arrangements(p, &surround, 1, &surround, 1), V3_FALSE);
  EXPECT_EQ(v3_cpp_obj(p)->set_bus_arrangements(p, &stereo, 2, &stereo, 1), V3_FALSE);
  v3_cpp_obj(p)->get_bus_arrangement(p, V3_INPUT, 0, &in);
  EXPECT_EQ(in, mono);

  // A mono input feeds the effect; both outputs are written.
  ASSERT_EQ(host->Start(44100.0, 256), V3_OK);
  FloatBuffers input(1, std::vector<float>(256, 0.25f)), output(2, std::vector<float>(256, 7.0f));
  ASSERT_EQ(host->Process(input, output, 256), V3_OK);
  for (const auto& channel : output) EXPECT_NE(channel.back(), 7.0f);
  EXPECT_EQ(v3_cpp_obj(p)->can_process_sample_size(p, V3_SAMPLE_64), V3_OK);
  EXPECT_EQ(v3_cpp_obj(p)->can_process_sample_size(p, 7), V3_FALSE);
}

// Names, units, defaults and text come from the one table, so they read as the VST2 module
// shows them.
TEST_F(VST3BesideVST2, ParametersAreTheEffectsWithProgramZeroAsDefaultsAndBypassFlagged)
{
  v3_edit_controller** c = vst3->Controller();
  ASSERT_EQ(v3_cpp_obj(c)->get_parameter_count(c), kParams + 1);
  int hertz = 0;
  for (int k = 0; k < kParams; ++k) {
    const v3_param_info info = vst3->ParamInfo(k);
    EXPECT_EQ(info.param_id, static_cast<v3_param_id>(k));
    EXPECT_EQ(VST3TestHost::Utf8(info.title), vst2->DispatchText(effGetParamName, k)) << k;
    EXPECT_EQ(VST3TestHost::Utf8(info.units), vst2->DispatchText(effGetParamLabel, k)) << k;
    hertz += VST3TestHost::Utf8(info.units) == "Hz";
    EXPECT_EQ(info.step_count, kSkarvelParams[k].step == 1.0 ? 1 : 0) << k;
    EXPECT_EQ(static_cast<float>(info.default_normalised_value), vst2->GetParameter(k)) << k;
    EXPECT_TRUE(info.flags & V3_PARAM_CAN_AUTOMATE);
    EXPECT_EQ((info.flags & V3_PARAM_IS_BYPASS) != 0, k == kBypassFX) << k;
    EXPECT_EQ(static_cast<float>(v3_cpp_obj(c)->get_parameter_normalised(c, k)), vst2->GetParameter(k));
  }
  EXPECT_EQ(hertz, 4);
  const v3_param_info program = vst3->ParamInfo(kParams);
  EXPECT_EQ(program.param_id, kProgramParam);
  EXPECT_EQ(program.step_count, 55);
  EXPECT_TRUE(program.flags & V3_PARAM_PROGRAM_CHANGE);
  EXPECT_TRUE(program.flags & V3_PARAM_IS_LIST);
  v3_param_info none{};
  EXPECT_EQ(v3_cpp_obj(c)->get_parameter_info(c, kParams + 1, &none), V3_INVALID_ARG);
  EXPECT_EQ(v3_cpp_obj(c)->get_parameter_info(c, -1, &none), V3_INVALID_ARG);
}

TEST_F(VST3BesideVST2, ValuesReadAsTheVST2DisplayAndTextReadsBackToTheSameValue)
{
  for (int k = 0; k < kParams; ++k)
    for (double v : {0.0, 0.125, 0.5, 0.8125, 1.0}) {
      vst2->SetParameter(k, static_cast<float>(v));
      const std::string text = vst3->ParamText(static_cast<v3_param_id>(k), v);
      EXPECT_EQ(text, vst2->DispatchText(effGetParamDisplay, k)) << k << " at " << v;
      // Typed with its unit: a bare number from 0 to 1 is a "Hz" parameter's plain value.
      const std::string label = vst2->DispatchText(effGetParamLabel, k);
      const std::string typed = label.empty() ? text : text + " " + label;
      double back = -1.0;
      ASSERT_EQ(vst3->ParamFromText(static_cast<v3_param_id>(k), typed, back), V3_OK) << k << " " << typed;
      EXPECT_EQ(vst3->ParamText(static_cast<v3_param_id>(k), back), text) << k;
    }
  double value = 0.5;
  EXPECT_EQ(vst3->ParamFromText(kFilterCutoff, "loud", value), V3_FALSE);
  EXPECT_EQ(value, 0.5);
  // The "Hz" parameters take a frequency with or without the unit.
  double withUnit = -1.0, bare = -2.0;
  ASSERT_EQ(vst3->ParamFromText(kFilterCutoff, "1000 Hz", withUnit), V3_OK);
  ASSERT_EQ(vst3->ParamFromText(kFilterCutoff, "1000", bare), V3_OK);
  EXPECT_EQ(withUnit, bare);
  EXPECT_GT(withUnit, 0.0);
  EXPECT_LT(withUnit, 1.0);
}

TEST_F(VST3BesideVST2, FactoryProgramsAreTheRootUnitsProgramListAndTheProgramParameterPicksThem)
{
  v3_unit_information** u = vst3->Units();
  ASSERT_EQ(v3_cpp_obj(u)->get_unit_count(u), 1);
  v3_unit_info unit{};
  ASSERT_EQ(v3_cpp_obj(u)->get_unit_info(u, 0, &unit), V3_OK);
  EXPECT_EQ(unit.id, 0);
  EXPECT_EQ(unit.parent_unit_id, -1);
  ASSERT_EQ(v3_cpp_obj(u)->get_program_list_count(u), 1);
  v3_program_list_info list{};
  ASSERT_EQ(v3_cpp_obj(u)->get_program_list_info(u, 0, &list), V3_OK);
  EXPECT_EQ(list.id, unit.program_list_id);
  ASSERT_EQ(list.programCount, 56);
  for (int i = 0; i < list.programCount; ++i) {
    v3_str_128 name{};
    ASSERT_EQ(v3_cpp_obj(u)->get_program_name(u, list.id, i, name), V3_OK);
    EXPECT_EQ(VST3TestHost::Utf8(name), vst2->DispatchText(effGetProgramNameIndexed, i)) << i;
    EXPECT_EQ(vst3->ParamText(kProgramParam, i / 55.0), VST3TestHost::Utf8(name));
  }
  v3_str_128 name{};
  EXPECT_NE(v3_cpp_obj(u)->get_program_name(u, list.id, 56, name), V3_OK);
  EXPECT_NE(v3_cpp_obj(u)->get_program_name(u, list.id + 1, 0, name), V3_OK);

  // A program change from the host's queue brings that program's values, as in VST2.
  for (int program : {7, 55, 0}) {
    vst2->Dispatch(effSetProgram, 0, program);
    ParameterChanges changes;
    changes.Add(kProgramParam, 0, program / 55.0);
    DoubleBuffers in(2, std::vector<double>(kBlock)), out = in;
    ASSERT_EQ(vst3->Process(in, out, kBlock, &changes), V3_OK);
    v3_edit_controller** c = vst3->Controller();
    EXPECT_EQ(v3_cpp_obj(c)->get_parameter_normalised(c, kProgramParam), program / 55.0);
    for (int k = 0; k < kParams; ++k)
      EXPECT_EQ(static_cast<float>(v3_cpp_obj(c)->get_parameter_normalised(c, k)), vst2->GetParameter(k))
        << "program " << program << " parameter " << k;
  }
}

// A state with the oversampling on brings its latency, and the host is asked to read it again
// once the plug-in's lock is free: a host that waits in reply for its audio thread finds a
// block going through.
TEST(VST3Plugin, OversamplingStateReportsItsLatencyThroughARestart)
{
  ComponentHandler handler;
  auto host = CreateSkarvelVST3();
  ASSERT_TRUE(host);
  ASSERT_EQ(host->Start(44100.0, 256), V3_OK);
  v3_edit_controller** c = host->Controller();
  ASSERT_EQ(v3_cpp_obj(c)->set_component_handler(c, handler.Ptr()), V3_OK);
  v3_audio_processor** p = host->Processor();
  EXPECT_EQ(v3_cpp_obj(p)->get_latency_samples(p), 0u);
  OtherThreadProbe audioThread;
  bool processedDuringTheRestart = false;
  handler.onRestart = [&] {
    processedDuringTheRestart = audioThread.Returns([&] {
      FloatBuffers in(2, std::vector<float>(256, 0.25f)), out(2, std::vector<float>(256));
      host->Process(in, out, 256);
    });
  };

  std::vector<uint8_t> state = host->GetState();
  const uint8_t block[12] = {'O', 'V', 'S', 'M', 1, 0, 0, 0, 2, 0, 0, 0};
  state.insert(state.end(), block, block + 12);
  ASSERT_EQ(host->SetState(state), V3_OK);
  EXPECT_EQ(v3_cpp_obj(p)->get_latency_samples(p), 54u);
  EXPECT_EQ(handler.restarts, 1);
  EXPECT_TRUE(handler.restartFlags & V3_RESTART_LATENCY_CHANGED);
  EXPECT_TRUE(processedDuringTheRestart);
  handler.onRestart = nullptr;
  EXPECT_EQ(host->GetState(), state);
  host.reset();
}
