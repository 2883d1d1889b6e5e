#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gui/EditorRect.h"
#include "gui/EditorTypes.h"
#include "skarvel/PanelLayout.h"
#include "tests/host/EditorHost.h"
#include "tests/host/TestHost.h"
#include "tests/x11/XvfbServer.h"

class Skarvel;

// The built module's editor open in a host window on an X server of the test's own, and an
// in-process effect started the same way, whose headless drawing is what the window must show.
class EditorWindowTest : public ::testing::Test
{
protected:
  void SetUp() override;
  void TearDown() override;
  // The server's colour depth.
  virtual int Depth() const { return 24; }
  // Opens the editor under test in `editor`: the VST2 module's, loaded into `host`.
  virtual void OpenEditor();

  Display* X() const { return editor->GetDisplay(); }
  unsigned long EditorWindow() const { return editor->EditorWindow(); }
  // The in-process twin's whole editor drawn headless, as 0xRRGGBB.
  std::vector<uint32_t> ReferencePixels();
  // The window as 0xRRGGBB after the editor has had time to paint.
  std::vector<uint32_t> WindowPixels();
  Skarvel& Reference() { return *reference; }
  // The rectangle of the panel table's first control of this kind and parameter (and arg).
  EditorRect ControlRect(PanelLayout::Kind kind, int param, int arg = -1) const;

  // The window that input goes to, at editor coordinates.
  virtual unsigned long InputWindow() const { return EditorWindow(); }
  // The left button held, for driving the in-process twin's surface as the window is driven.
  static MouseModifiers Left()
  {
    MouseModifiers m;
    m.L = true;
    return m;
  }
  // Real input through XTest at editor coordinates; each step is followed by some idle time.
  void MoveTo(int x, int y);
  void Button(unsigned int button, bool press);
  void ClickAt(int x, int y, unsigned int button = 1);
  // Left clicks at the points in one burst, so the server stamps them only moments apart.
  void QuickClicks(const std::vector<std::pair<int, int>>& points);
  void Key(unsigned long keysym, bool press);
  virtual void Settle() { editor->Pump(60); }

  std::vector<HostCallRecord> CallsOf(VstInt32 opcode, VstInt32 index) const;

  std::unique_ptr<XvfbServer> server;
  std::unique_ptr<TestHost> host;
  std::unique_ptr<EditorHost> editor;
  Skarvel* reference = nullptr;  // closed through its AEffect, which deletes it
};

std::pair<int, int> Centre(const EditorRect& r);
// How many pixels of two editor pictures differ; the box around them is printed.
size_t Mismatches(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b);
