#pragma once

#include "tests/host/ClapHost.h"
#include "tests/host/PluginEditor.h"

// A CLAP plug-in's editor as a host embeds it through the gui extension, in a window of the
// platform's kind (X11, Win32): created, sized, given the host's window as parent and shown;
// idle is the host's timers firing.
class ClapEditor : public PluginEditor
{
public:
  explicit ClapEditor(ClapHost& host) : host(host) {}
  ~ClapEditor() override { Close(); }

  bool Size(int& width, int& height) override;
  bool Open(void* parent) override;
  void Idle() override { host.RunTimers(); }
  void Close() override;

private:
  bool Create();
  ClapHost& host;
  bool created = false;
};
