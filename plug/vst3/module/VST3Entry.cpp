// The VST3 module's entry points: the plug-in factory with its one class, and the calls a
// host makes when it loads and unloads the module. Kept out of the libraries for the same
// reason as the VST2 entry point: the module's archives keep their symbols hidden. Every
// function the host calls catches whatever is thrown below it.
#include <cstring>
#include <memory>

#include "factory.h"

#include "plug/CreateEffect.h"
#include "plug/CreationLock.h"
#include "plug/EffectIdentity.h"
#include "plug/vst3/VST3Identity.h"
#include "plug/vst3/VST3Text.h"

#if defined(_WIN32)
// Skarvel.def names the exports: a dllexport would add the 32-bit "@n" stdcall names.
#define SKARVEL_VST3_EXPORT extern "C"
#else
#define SKARVEL_VST3_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

using VST3Text::CopyUtf8;
using VST3Text::ToUtf16;

bool IsFactoryInterface(const v3_tuid iid)
{
  return v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_factory_iid) ||
         v3_tuid_match(iid, v3_plugin_factory_2_iid) || v3_tuid_match(iid, v3_plugin_factory_3_iid);
}

// The factory is one static object: references to it cost nothing and free nothing.
v3_result V3_API QueryInterface(void* self, const v3_tuid iid, void** obj)
{
  if (!obj) return V3_INVALID_ARG;
  *obj = iid && IsFactoryInterface(iid) ? self : nullptr;
  return *obj ? V3_OK : V3_NO_INTERFACE;
}

uint32_t V3_API AddRef(void*) { return 1; }
uint32_t V3_API Release(void*) { return 1; }

v3_result V3_API GetFactoryInfo(void*, v3_factory_info* info)
{
  if (!info) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  CopyUtf8(kEffectIdentity.vendor, info->vendor, sizeof info->vendor);
  info->flags = 0x10;  // unicode: the names come in UTF-16 too
  return V3_OK;
}

int32_t V3_API NumClasses(void*) { return 1; }

template <typename Info> void FillClassBasics(Info& info)
{
  std::memcpy(info.class_id, VST3Identity::kClassId, sizeof(v3_tuid));
  info.cardinality = 0x7FFFFFFF;  // as many instances as the host wants
  CopyUtf8(VST3Identity::kCategory, info.category, sizeof info.category);
}

v3_result V3_API GetClassInfo(void*, int32_t index, v3_class_info* info)
{
  if (!info || index != 0) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  FillClassBasics(*info);
  CopyUtf8(kEffectIdentity.name, info->name, sizeof info->name);
  return V3_OK;
}

v3_result V3_API GetClassInfo2(void*, int32_t index, v3_class_info_2* info)
{
  if (!info || index != 0) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  FillClassBasics(*info);
  CopyUtf8(kEffectIdentity.name, info->name, sizeof info->name);
  CopyUtf8(VST3Identity::kSubCategories, info->sub_categories, sizeof info->sub_categories);
  CopyUtf8(kEffectIdentity.vendor, info->vendor, sizeof info->vendor);
  CopyUtf8(kEffectIdentity.version, info->version, sizeof info->version);
  CopyUtf8(VST3Identity::kSdkVersion, info->sdk_version, sizeof info->sdk_version);
  return V3_OK;
}

v3_result V3_API GetClassInfoUtf16(void*, int32_t index, v3_class_info_3* info)
{
  if (!info || index != 0) return V3_INVALID_ARG;
  std::memset(info, 0, sizeof *info);
  FillClassBasics(*info);
  ToUtf16(kEffectIdentity.name, info->name, 64);
  CopyUtf8(VST3Identity::kSubCategories, info->sub_categories, sizeof info->sub_categories);
  ToUtf16(kEffectIdentity.vendor, info->vendor, 64);
  ToUtf16(kEffectIdentity.version, info->version, 64);
  ToUtf16(VST3Identity::kSdkVersion, info->sdk_version, 64);
  return V3_OK;
}

v3_result V3_API SetHostContext(void*, v3_funknown**) { return V3_OK; }

v3_result V3_API CreateInstance(void*, const v3_tuid classId, const v3_tuid iid, void** instance)
{
  if (!instance) return V3_INVALID_ARG;
  *instance = nullptr;
  if (!classId || !iid || !v3_tuid_match(classId, VST3Identity::kClassId)) return V3_NO_INTERFACE;
  try {
    LockGuard g(CreationLock());
    std::unique_ptr<IPlug> plug = CreateEffect(IPlugVST3::HostHandle{});
    plug->ReadyForHost();
    plug->RememberDefaults();
    // The new instance's own reference goes once the host has its interface (or none).
    IPlugVST3* object = plug.release();
    const v3_result result = object->QueryInterface(iid, instance);
    object->Release();
    return result;
  } catch (...) {
    return V3_NOMEM;
  }
}

struct Factory
{
  const v3_plugin_factory_cpp* vtable;
};

const v3_plugin_factory_cpp kFactoryTable = {{QueryInterface, AddRef, Release},
                                             {GetFactoryInfo, NumClasses, GetClassInfo, CreateInstance},
                                             {GetClassInfo2},
                                             {GetClassInfoUtf16, SetHostContext}};

Factory factory{&kFactoryTable};

}  // namespace

SKARVEL_VST3_EXPORT void* V3_API GetPluginFactory() { return &factory; }

// Nothing to set up or tear down per load: the module keeps no global state but the factory.
#if defined(_WIN32)
SKARVEL_VST3_EXPORT bool InitDll() { return true; }
SKARVEL_VST3_EXPORT bool ExitDll() { return true; }
#else
SKARVEL_VST3_EXPORT bool ModuleEntry(void*) { return true; }
SKARVEL_VST3_EXPORT bool ModuleExit() { return true; }
#endif
