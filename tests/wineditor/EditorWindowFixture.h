#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/IControl.h"
#include "gui/IGraphicsWin.h"
#include "skarvel/Skarvel.h"
#include "tests/wineditor/WindowHarness.h"

inline VstIntPtr VSTCALLBACK SilentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

// Lies on top of every other control and writes down what the surface hands it.
class Probe : public IControl
{
public:
  struct Call
  {
    std::string what;
    int x, y, a, b;
    MouseModifiers mod;
  };

  Probe(IPlugBase* plug, const EditorRect& r, int param) : IControl(plug, r, param) {}

  void MouseDown(int x, int y, const MouseModifiers& m) override
  {
    calls.push_back({"down", x, y, 0, 0, m});
    IControl::MouseDown(x, y, m);
  }
  void MouseUp(int x, int y, const MouseModifiers& m) override { calls.push_back({"up", x, y, 0, 0, m}); }
  void MouseDrag(int x, int y, int dX, int dY, const MouseModifiers& m) override
  {
    calls.push_back({"drag", x, y, dX, dY, m});
  }
  void MouseDoubleClick(int x, int y, const MouseModifiers& m) override
  {
    calls.push_back({"double", x, y, 0, 0, m});
  }
  void MouseWheel(int x, int y, const MouseModifiers& m, int d) override
  {
    calls.push_back({"wheel", x, y, d, 0, m});
  }
  bool KeyDown(int x, int y, int key) override
  {
    calls.push_back({"key", x, y, key, 0, {}});
    return takesKeys;
  }
  bool Paint(IGraphics*) override
  {
    ++paints;
    return true;
  }

  std::vector<Call> calls;
  int paints = 0;
  bool takesKeys = true;
};

class EditorWindow : public ::testing::Test
{
protected:
  EditorWindow() : fx(std::make_unique<Skarvel>(SilentHost))
  {
    gui = dynamic_cast<IGraphicsWin*>(fx->GetGUI());
    probe = new Probe(fx.get(), kProbeRect, kFilterCutoff);
    if (gui) gui->AttachControl(probe);
  }
  ~EditorWindow() override
  {
    Close();
    fx.reset();
  }

  AEffect* Effect() { return fx->GetAEffect(); }
  VstIntPtr Dispatch(VstInt32 opcode, void* ptr = nullptr)
  {
    return Effect()->dispatcher(Effect(), opcode, 0, 0, ptr, 0.0f);
  }
  HWND Open()
  {
    Dispatch(effEditOpen, host.Handle());
    Pump(20);
    return host.Editor();
  }
  void Close() { Dispatch(effEditClose); }
  HWND Edit(HWND editor) { return GetDlgItem(editor, IGraphicsWin::kEditId); }
  void Type(HWND edit, const char* text)
  {
    for (const char* c = text; *c; ++c) SendMessageA(edit, WM_CHAR, WPARAM(*c), 1);
  }
  std::string Text(HWND w)
  {
    char text[64] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
  }

  const EditorRect kProbeRect{20, 10, 80, 40};
  HostWindow& host = HostWindow::Shared();
  std::unique_ptr<Skarvel> fx;
  IGraphicsWin* gui = nullptr;
  Probe* probe = nullptr;  // owned by the surface
};
