#include "tests/host/ReferenceRenderCheck.h"
#include "tests/host/VST3UnderTest.h"

// The VST3 module under Wine renders what the Linux module rendered at build time: each
// program picked through the controller's program parameter, the units' history cleared by
// switching the component off and on as a host does.
TEST(VST3Render, TheModuleMatchesTheLinuxModule)
{
  auto host = CreateSkarvelVST3();
  ASSERT_TRUE(host);
  ASSERT_EQ(host->Start(ReferenceRender::kSampleRate, ReferenceRender::kBlockSize, V3_SAMPLE_64), V3_OK);
  v3_unit_information** units = host->Units();
  v3_program_list_info list{};
  ASSERT_EQ(v3_cpp_obj(units)->get_program_list_info(units, 0, &list), V3_OK);
  ASSERT_GT(list.programCount, 1);

  constexpr v3_param_id kProgramParam = 1000;
  v3_edit_controller** controller = host->Controller();
  v3_component** component = host->Component();
  v3_audio_processor** processor = host->Processor();
  ReferenceRender::Player player;
  player.programs = list.programCount;
  player.selectProgram = [&](int p) {
    const double normalized = double(p) / (list.programCount - 1);
    if (v3_cpp_obj(controller)->set_parameter_normalised(controller, kProgramParam, normalized) != V3_OK)
      return false;
    v3_cpp_obj(processor)->set_processing(processor, 0);
    v3_cpp_obj(component)->set_active(component, 0);
    v3_cpp_obj(component)->set_active(component, 1);
    return v3_cpp_obj(processor)->set_processing(processor, 1) == V3_OK;
  };
  player.process = [&](DoubleBuffers& in, DoubleBuffers& out, int frames) {
    ASSERT_EQ(host->Process(in, out, frames), V3_OK);
  };
  ExpectTheLinuxRender(ReferenceRender::Render(player));
}
