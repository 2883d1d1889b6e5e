#include "tests/host/LV2UIHost.h"

#include <lv2/instance-access/instance-access.h>

#include <cmath>
#include <cstring>

LV2UIHost::LV2UIHost(LV2TestHost& plugin, std::string uri, int width, int height)
    : plugin(plugin), uri(std::move(uri)), width(width), height(height)
{}

bool LV2UIHost::Size(int& w, int& h)
{
  w = width;
  h = height;
  return true;
}

bool LV2UIHost::Open(void* parent)
{
  Close();
  const auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(plugin.Symbol("lv2ui_descriptor"));
  if (!entry) return false;
  for (uint32_t i = 0; (descriptor = entry(i)) != nullptr; ++i)
    if (descriptor->URI && uri == descriptor->URI) break;
  if (!descriptor) return false;
  const LV2_Feature parentFeature = {LV2_UI__parent, parent};
  const LV2_Feature instance = {LV2_INSTANCE_ACCESS_URI, plugin.Handle()};
  const LV2_Feature touchFeature = {LV2_UI__touch, &touch};
  const LV2_Feature resizeFeature = {LV2_UI__resize, &resize};
  const LV2_Feature* features[] = {&parentFeature, &instance, &touchFeature, &resizeFeature, nullptr};
  LV2UI_Widget widget = nullptr;
  handle = descriptor->instantiate(descriptor, plugin.Uri().c_str(), plugin.Bundle().c_str(), Write, this,
                                   &widget, features);
  if (!handle) return false;
  if (descriptor->extension_data)
    idle = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
  return widget != nullptr;
}

void LV2UIHost::Idle()
{
  if (handle && idle) idle->idle(handle);
}

void LV2UIHost::Close()
{
  if (handle) descriptor->cleanup(handle);
  handle = nullptr;
  idle = nullptr;
}

void LV2UIHost::PortEvent(uint32_t port, float value)
{
  if (handle) descriptor->port_event(handle, port, sizeof value, 0, &value);
}

void LV2UIHost::Write(LV2UI_Controller self, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer)
{
  auto* host = static_cast<LV2UIHost*>(self);
  float value = 0.0f;
  const bool isFloat = format == 0 && size == sizeof value && buffer;
  if (isFloat) std::memcpy(&value, buffer, sizeof value);
  host->calls.push_back({LV2UICall::Write, port, isFloat ? value : std::nanf(""), false});
  if (isFloat && port >= LV2TestHost::kAudioPorts &&
      port - LV2TestHost::kAudioPorts < host->plugin.Controls().size())
    host->plugin.Control(static_cast<int>(port - LV2TestHost::kAudioPorts)) = value;
}

void LV2UIHost::Touch(LV2UI_Feature_Handle self, uint32_t port, bool grabbed)
{
  static_cast<LV2UIHost*>(self)->calls.push_back({LV2UICall::Touch, port, 0.0f, grabbed});
}

int LV2UIHost::Resize(LV2UI_Feature_Handle self, int w, int h)
{
  auto* host = static_cast<LV2UIHost*>(self);
  host->requestedWidth = w;
  host->requestedHeight = h;
  return 0;
}
