#pragma once

class IPlugBase;

// The editor's drawing surface. It owns the controls and the off-screen bitmap and binds
// controls to the plug-in's parameters; the platform window classes fill the window slots.
class IGraphics
{
public:
  IGraphics(IPlugBase* plug, int width, int height, int fps);
  virtual ~IGraphics();

  int Width() const { return width; }
  int Height() const { return height; }
  IPlugBase* GetPlug() { return plug; }

  // Pushes a parameter's value into every control bound to it.
  void UpdateControlsFromPlug(int paramIdx, double value, bool normalized);
  // Creates the drawing bitmaps; called once when the plug-in attaches the surface.
  void PrepDraw();

  virtual void* OpenWindow(void*) { return nullptr; }
  virtual void CloseWindow() {}
  // Handles the window's pending events; the host calls it regularly through effEditIdle.
  virtual void Idle() {}
  virtual void* GetWindow() { return nullptr; }
  bool WindowIsOpen() { return GetWindow() != nullptr; }

protected:
  IPlugBase* plug;
  int width;
  int height;
  int fps;
};
