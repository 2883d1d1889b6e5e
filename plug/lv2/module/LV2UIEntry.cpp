// The LV2 editor: the effect's own editor, embedded in the host's window (ui:parent), driven by
// the host's idle calls. It reaches the effect through instance-access, so the editor shows
// and changes the very instance that processes; a host without instance-access gets no
// editor from this module and shows its own controls for the ports instead.
#include <cstring>

#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include "gui/IGraphics.h"
#include "plug/lv2/IPlugLV2.h"

namespace {

IPlugLV2* Plug(LV2UI_Handle ui) { return static_cast<IPlugLV2*>(ui); }

LV2UI_Handle Instantiate(const LV2UI_Descriptor*, const char*, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features)
{
  try {
    auto* plug =
      static_cast<IPlugLV2*>(const_cast<void*>(IPlugLV2::FindFeature(features, LV2_INSTANCE_ACCESS_URI)));
    void* parent = const_cast<void*>(IPlugLV2::FindFeature(features, LV2_UI__parent));
    if (!plug || !parent || !widget || !plug->GetGUI()) return nullptr;
    IPlugLV2::UIHost host;
    host.write = write;
    host.controller = controller;
    host.touch = static_cast<const LV2UI_Touch*>(IPlugLV2::FindFeature(features, LV2_UI__touch));
    plug->AttachUIHost(host);
    void* window = plug->OpenEditor(parent);
    if (!window) {
      plug->DetachUIHost();
      return nullptr;
    }
    *widget = window;
    if (const auto* resize =
          static_cast<const LV2UI_Resize*>(IPlugLV2::FindFeature(features, LV2_UI__resize)))
      if (resize->ui_resize)
        resize->ui_resize(resize->handle, plug->GetGUI()->Width(), plug->GetGUI()->Height());
    return plug;
  } catch (...) {
    return nullptr;
  }
}

void Cleanup(LV2UI_Handle ui)
{
  if (ui) try {
      Plug(ui)->CloseEditor();
      Plug(ui)->DetachUIHost();
    } catch (...) {}
}

void PortEvent(LV2UI_Handle ui, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
  if (!ui || format != 0 || size != sizeof(float) || !buffer || port < IPlugLV2::kFirstControl) return;
  float value;
  std::memcpy(&value, buffer, sizeof value);
  try {
    Plug(ui)->PortEventFromHost(static_cast<int>(port - IPlugLV2::kFirstControl), value);
  } catch (...) {}
}

int Idle(LV2UI_Handle ui)
{
  if (ui) try {
      Plug(ui)->SendChangedValuesToHost();
      Plug(ui)->EditorIdle();
    } catch (...) {}
  return 0;
}

const void* ExtensionData(const char* uri)
{
  static const LV2UI_Idle_Interface idle = {Idle};
  return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &idle : nullptr;
}

const LV2UI_Descriptor kDescriptor = {LV2Identity::kUIUri, Instantiate, Cleanup, PortEvent, ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
  return index == 0 ? &kDescriptor : nullptr;
}
