#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <lv2/ui/ui.h>

#include "tests/host/LV2TestHost.h"
#include "tests/host/PluginEditor.h"

// One call the UI made to the host: a port write (grabbed unused) or a touch (value unused).
struct LV2UICall
{
  enum Kind { Write, Touch } kind;
  uint32_t port;
  float value;
  bool grabbed;
};

// The host's side of an LV2 X11 UI for an instantiated plug-in: the UI from the module's
// lv2ui_descriptor inside the host's window (ui:parent), given the plug-in instance
// (instance-access), gestures (ui:touch) and size requests (ui:resize), driven through its
// idle interface. Every write and touch is recorded, and a write sets the host's control port
// as a host forwards it to the plug-in.
class LV2UIHost : public PluginEditor
{
public:
  // The UI says its size only once it exists: the host's window starts at the size given.
  LV2UIHost(LV2TestHost& plugin, std::string uri, int width, int height);
  ~LV2UIHost() override { Close(); }
  LV2UIHost(const LV2UIHost&) = delete;
  LV2UIHost& operator=(const LV2UIHost&) = delete;

  bool Size(int& width, int& height) override;
  bool Open(void* parent) override;
  void Idle() override;
  void Close() override;

  // The host tells the UI a control port's new value.
  void PortEvent(uint32_t port, float value);

  const std::vector<LV2UICall>& Calls() const { return calls; }
  void ClearCalls() { calls.clear(); }
  // What the UI asked for through ui:resize; 0 until it asks.
  int RequestedWidth() const { return requestedWidth; }
  int RequestedHeight() const { return requestedHeight; }

private:
  static void Write(LV2UI_Controller self, uint32_t port, uint32_t size, uint32_t format, const void* buffer);
  static void Touch(LV2UI_Feature_Handle self, uint32_t port, bool grabbed);
  static int Resize(LV2UI_Feature_Handle self, int width, int height);

  LV2TestHost& plugin;
  std::string uri;
  int width;
  int height;
  const LV2UI_Descriptor* descriptor = nullptr;
  LV2UI_Handle handle = nullptr;
  const LV2UI_Idle_Interface* idle = nullptr;
  LV2UI_Touch touch{this, Touch};
  LV2UI_Resize resize{this, Resize};
  std::vector<LV2UICall> calls;
  int requestedWidth = 0;
  int requestedHeight = 0;
};
