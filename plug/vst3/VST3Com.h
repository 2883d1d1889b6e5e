#pragma once

#include "audio_processor.h"
#include "component.h"
#include "edit_controller.h"
#include "unit.h"

#include "plug/vst3/IPlugVST3.h"

// The plumbing behind the plug-in's interface tables: the entry guard every function the
// host calls goes through, the three functions every face starts with, and the tables.
namespace VST3Com {

// Runs a call on the plug-in behind `self`; answers `failure` for a null self or whatever
// is thrown, so nothing unwinds into the host.
template <typename R, typename Call> R Guarded(void* self, R failure, Call&& call)
{
  try {
    IPlugVST3* plug = IPlugVST3::FromFace(self);
    return plug ? call(*plug) : failure;
  } catch (...) {
    return failure;
  }
}

v3_result V3_API QueryInterface(void* self, const v3_tuid iid, void** obj);
uint32_t V3_API AddRef(void* self);
uint32_t V3_API Release(void* self);
// The component and the controller are one object, initialised through either face.
v3_result V3_API Initialize(void* self, v3_funknown** context);
v3_result V3_API Terminate(void* self);

// Hands out another reference to an interface pointer of the host's; null stays null.
template <typename T> T** Retain(T** object)
{
  if (object) v3_cpp_obj_ref(object);
  return object;
}

template <typename T> void Drop(T**& object)
{
  if (object) v3_cpp_obj_unref(object);
  object = nullptr;
}

extern const v3_component_cpp kComponentTable;
extern const v3_audio_processor_cpp kProcessorTable;
extern const v3_edit_controller_cpp kControllerTable;
extern const v3_unit_information_cpp kUnitTable;

}  // namespace VST3Com
