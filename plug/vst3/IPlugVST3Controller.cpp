#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plug/vst3/IPlugVST3.h"
#include "plug/vst3/VST3Com.h"
#include "plug/vst3/VST3Identity.h"
#include "plug/vst3/VST3Text.h"
#include "plug/vst3/VST3View.h"

namespace {

double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

}  // namespace

// --- the factory programs as a parameter ---------------------------------------------------

int IPlugVST3::ProgramOf(double normalized) const
{
  if (!std::isfinite(normalized) || NPresets() < 1) return -1;
  return static_cast<int>(std::lround(Clamp01(normalized) * (NPresets() - 1)));
}

double IPlugVST3::ProgramNormalized() const
{
  return NPresets() > 1 ? static_cast<double>(GetCurrentPresetIdx()) / (NPresets() - 1) : 0.0;
}

// --- parameters ------------------------------------------------------------------------

// Switches have one step. The selections (distortion type, interpolation, filter modes) are
// announced as continuous, as the effect keeps them: it stores and processes the value from
// 0 to 1 and picks the choice from it, and programs hold values between the choices' points;
// a host told of steps would round those, and a stored state would no longer sound the same.
// Their text still names the choice.
v3_result IPlugVST3::ParamInfo(int32_t index, v3_param_info* info)
{
  if (!info || index < 0 || index >= ControllerParamCount()) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  info->unit_id = 0;
  if (index == NParams()) {
    info->param_id = kProgramParamId;
    VST3Text::ToUtf16("Program", info->title, 128);
    VST3Text::ToUtf16("Program", info->short_title, 128);
    info->step_count = NPresets() > 1 ? NPresets() - 1 : 0;
    info->default_normalised_value = 0.0;
    info->flags = V3_PARAM_CAN_AUTOMATE | V3_PARAM_IS_LIST | V3_PARAM_PROGRAM_CHANGE;
    return V3_OK;
  }
  LockGuard g(lock);
  const IPlugParam& p = *params[index];
  info->param_id = static_cast<v3_param_id>(index);
  VST3Text::ToUtf16(p.name, info->title, 128);
  VST3Text::ToUtf16(p.name, info->short_title, 128);
  VST3Text::ToUtf16(p.GetLabelForHost(), info->units, 128);
  info->step_count = p.step == 1.0 ? 1 : 0;
  info->default_normalised_value = static_cast<size_t>(index) < defaults.size()
                                     ? defaults[static_cast<size_t>(index)]
                                     : p.ToNormalized(p.defaultValue);
  info->flags = V3_PARAM_CAN_AUTOMATE | (index == BypassParamIdx() ? V3_PARAM_IS_BYPASS : 0);
  return V3_OK;
}

double IPlugVST3::NormalizedToPlain(v3_param_id id, double normalized)
{
  if (id == kProgramParamId) return std::round(Clamp01(normalized) * (NPresets() > 1 ? NPresets() - 1 : 0));
  if (!ValidParam(static_cast<int>(id)) || !std::isfinite(normalized)) return 0.0;
  LockGuard g(lock);
  IPlugParam p = *params[id];
  p.SetFromNormalized(Clamp01(normalized));
  return p.value;
}

double IPlugVST3::PlainToNormalized(v3_param_id id, double plain)
{
  if (!std::isfinite(plain)) return 0.0;
  if (id == kProgramParamId) return NPresets() > 1 ? Clamp01(plain / (NPresets() - 1)) : 0.0;
  if (!ValidParam(static_cast<int>(id))) return 0.0;
  LockGuard g(lock);
  return Clamp01(params[id]->ToNormalized(plain));
}

v3_result IPlugVST3::ParamText(v3_param_id id, double normalized, int16_t* text)
{
  if (!text || !std::isfinite(normalized)) return V3_INVALID_ARG;
  if (id == kProgramParamId) {
    VST3Text::ToUtf16(GetPresetName(static_cast<int>(NormalizedToPlain(id, normalized))), text, 128);
    return V3_OK;
  }
  if (!ValidParam(static_cast<int>(id))) return V3_INVALID_ARG;
  char buffer[IPlugParam::kTextLen * 2] = {};
  ParamValueText(static_cast<int>(id), NormalizedToPlain(id, normalized), buffer, sizeof buffer);
  VST3Text::ToUtf16(buffer, text, 128);
  return V3_OK;
}

v3_result IPlugVST3::ParamFromText(v3_param_id id, const int16_t* text, double* normalized)
{
  if (!text || !normalized) return V3_INVALID_ARG;
  const std::string utf8 = VST3Text::FromUtf16(text, 128);
  if (id == kProgramParamId) {
    for (int i = 0; i < NPresets(); ++i)
      if (utf8 == GetPresetName(i)) {
        *normalized = PlainToNormalized(id, i);
        return V3_OK;
      }
    return V3_FALSE;
  }
  double plain = 0.0;
  if (!ValidParam(static_cast<int>(id)) || !ParamValueFromText(static_cast<int>(id), utf8.c_str(), plain) ||
      !std::isfinite(plain))
    return V3_FALSE;
  *normalized = PlainToNormalized(id, plain);
  return V3_OK;
}

double IPlugVST3::ParamNormalized(v3_param_id id)
{
  LockGuard g(lock);
  if (id == kProgramParamId) return ProgramNormalized();
  return ValidParam(static_cast<int>(id)) ? params[id]->ToNormalized() : 0.0;
}

v3_result IPlugVST3::SetParamNormalized(v3_param_id id, double normalized)
{
  if (!std::isfinite(normalized)) return V3_INVALID_ARG;
  if (id == kProgramParamId) {
    ApplyPreset(ProgramOf(normalized));
    return V3_OK;
  }
  if (!ValidParam(static_cast<int>(id))) return V3_INVALID_ARG;
  SetParameterFromHost(static_cast<int>(id), normalized);
  return V3_OK;
}

v3_result IPlugVST3::SetComponentHandler(v3_component_handler** handler)
{
  LockGuard g(lock);
  v3_component_handler** previous = componentHandler;
  componentHandler = VST3Com::Retain(handler);
  VST3Com::Drop(previous);
  return V3_OK;
}

v3_plugin_view** IPlugVST3::CreateView(const char* name)
{
  if (!name || std::strcmp(name, "editor") != 0 || !GetGUI()) return nullptr;
  return VST3View::Create(*this);
}

// --- units -----------------------------------------------------------------------------

v3_result IPlugVST3::UnitInfo(int32_t index, v3_unit_info* info) const
{
  if (!info || index != 0) return V3_INVALID_ARG;
  info->id = 0;
  info->parent_unit_id = -1;
  VST3Text::ToUtf16("Root", info->name, 128);
  info->program_list_id = VST3Identity::kProgramListId;
  return V3_OK;
}

v3_result IPlugVST3::ProgramListInfo(int32_t index, v3_program_list_info* info) const
{
  if (!info || index != 0) return V3_INVALID_ARG;
  info->id = VST3Identity::kProgramListId;
  VST3Text::ToUtf16("Factory Programs", info->name, 128);
  info->programCount = NPresets();
  return V3_OK;
}

v3_result IPlugVST3::ProgramName(int32_t listId, int32_t index, int16_t* name) const
{
  if (!name || listId != VST3Identity::kProgramListId || index < 0 || index >= NPresets())
    return V3_INVALID_ARG;
  VST3Text::ToUtf16(GetPresetName(index), name, 128);
  return V3_OK;
}

// --- the edit controller's and the unit information's tables -------------------------------

namespace VST3Com {
namespace {

constexpr v3_result kFailed = V3_INTERNAL_ERR;

// The controller's own state is empty: everything is in the component's, which is this.
v3_result V3_API SetComponentState(void*, v3_bstream**) { return V3_OK; }
v3_result V3_API SetControllerState(void*, v3_bstream**) { return V3_OK; }
v3_result V3_API GetControllerState(void*, v3_bstream**) { return V3_OK; }

int32_t V3_API GetParameterCount(void* self)
{
  return Guarded(self, 0, [](IPlugVST3& p) { return p.ControllerParamCount(); });
}

v3_result V3_API GetParameterInfo(void* self, int32_t index, v3_param_info* info)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.ParamInfo(index, info); });
}

v3_result V3_API GetParamStringByValue(void* self, v3_param_id id, double normalized, v3_str_128 text)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.ParamText(id, normalized, text); });
}

v3_result V3_API GetParamValueByString(void* self, v3_param_id id, int16_t* text, double* normalized)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.ParamFromText(id, text, normalized); });
}

double V3_API NormalizedParamToPlain(void* self, v3_param_id id, double normalized)
{
  return Guarded(self, 0.0, [&](IPlugVST3& p) { return p.NormalizedToPlain(id, normalized); });
}

double V3_API PlainParamToNormalized(void* self, v3_param_id id, double plain)
{
  return Guarded(self, 0.0, [&](IPlugVST3& p) { return p.PlainToNormalized(id, plain); });
}

double V3_API GetParamNormalized(void* self, v3_param_id id)
{
  return Guarded(self, 0.0, [&](IPlugVST3& p) { return p.ParamNormalized(id); });
}

v3_result V3_API SetParamNormalized(void* self, v3_param_id id, double normalized)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.SetParamNormalized(id, normalized); });
}

v3_result V3_API SetComponentHandler(void* self, v3_component_handler** handler)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.SetComponentHandler(handler); });
}

v3_plugin_view** V3_API CreateView(void* self, const char* name)
{
  return Guarded(self, static_cast<v3_plugin_view**>(nullptr),
                 [&](IPlugVST3& p) { return p.CreateView(name); });
}

int32_t V3_API GetUnitCount(void*) { return 1; }

v3_result V3_API GetUnitInfo(void* self, int32_t index, v3_unit_info* info)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.UnitInfo(index, info); });
}

int32_t V3_API GetProgramListCount(void*) { return 1; }

v3_result V3_API GetProgramListInfo(void* self, int32_t index, v3_program_list_info* info)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.ProgramListInfo(index, info); });
}

v3_result V3_API GetProgramName(void* self, int32_t listId, int32_t index, v3_str_128 name)
{
  return Guarded(self, kFailed, [&](IPlugVST3& p) { return p.ProgramName(listId, index, name); });
}

v3_result V3_API GetProgramInfo(void*, int32_t, int32_t, const char*, v3_str_128) { return V3_FALSE; }
v3_result V3_API HasProgramPitchNames(void*, int32_t, int32_t) { return V3_FALSE; }
v3_result V3_API GetProgramPitchName(void*, int32_t, int32_t, int16_t, v3_str_128) { return V3_FALSE; }
int32_t V3_API GetSelectedUnit(void*) { return 0; }
v3_result V3_API SelectUnit(void*, int32_t unit) { return unit == 0 ? V3_OK : V3_INVALID_ARG; }

v3_result V3_API GetUnitByBus(void*, int32_t, int32_t, int32_t, int32_t, int32_t* unit)
{
  if (!unit) return V3_INVALID_ARG;
  *unit = 0;
  return V3_OK;
}

v3_result V3_API SetUnitProgramData(void*, int32_t, int32_t, v3_bstream**) { return V3_NOT_IMPLEMENTED; }

}  // namespace

const v3_edit_controller_cpp kControllerTable = {
  {QueryInterface, AddRef, Release},
  {Initialize, Terminate},
  {SetComponentState, SetControllerState, GetControllerState, GetParameterCount, GetParameterInfo,
   GetParamStringByValue, GetParamValueByString, NormalizedParamToPlain, PlainParamToNormalized,
   GetParamNormalized, SetParamNormalized, SetComponentHandler, CreateView}};

const v3_unit_information_cpp kUnitTable = {
  {QueryInterface, AddRef, Release},
  {GetUnitCount, GetUnitInfo, GetProgramListCount, GetProgramListInfo, GetProgramName, GetProgramInfo,
   HasProgramPitchNames, GetProgramPitchName, GetSelectedUnit, SelectUnit, GetUnitByBus, SetUnitProgramData}};

}  // namespace VST3Com
