#pragma once

#include "tests/host/PluginEditor.h"
#include "tests/host/TestHost.h"

// A VST2 effect's editor, through the host's dispatcher.
class VST2Editor : public PluginEditor
{
public:
  explicit VST2Editor(TestHost& host) : host(host) {}
  bool Size(int& width, int& height) override;
  bool Open(void* parent) override { return host.Dispatch(effEditOpen, 0, 0, parent) != 0; }
  void Idle() override { host.Dispatch(effEditIdle); }
  void Close() override { host.Dispatch(effEditClose); }

private:
  TestHost& host;
};
