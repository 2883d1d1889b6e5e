#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/EditorRect.h"
#include "gui/EditorTypes.h"

class IControl;
class IPlugBase;
class IPlugParam;
class IPopupMenu;
class LICE_IBitmap;
class LICE_MemBitmap;
class LICE_SysBitmap;

// The editor's drawing surface. It owns the controls (index 0, drawn first, is the background)
// and an off-screen bitmap of the whole editor, dispatches mouse and keys to the controls and
// binds them to the plug-in's parameters. The platform window classes fill the window slots:
// presenting the bitmap, menus, text entry, dialogs, folders.
class IGraphics
{
public:
  enum FileAction { kFileOpen = 0, kFileSave = 1 };

  IGraphics(IPlugBase* plug, int width, int height, int fps);

  // Virtual slots, in this order (the established layout's numbering; nothing depends on it
  // at run time).
  //
  // Contracts: every slot runs on the editor's thread, the host's main or user-interface
  // thread (the window's events arrive on the host's idle calls or Win32 messages), without
  // the plug-in's ParameterLock unless noted. Slots that wait for the user (dialogs, menus,
  // message boxes) must never be reached with that lock held: the audio thread would wait too.
  // Copies the rectangle of the drawing bitmap to the screen. [window open]
  virtual void PresentRect(const EditorRect& r) = 0;
  // The size of the text laid out in rect by the style's alignment, written back to rect.
  virtual bool MeasureText(TextStyle& style, const char* text, EditorRect& rect);
  virtual void CancelTextEntry() = 0;
  virtual void Resize(int w, int h);  // rebuilds the controls: none may be in use
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
  // The chosen (sub)menu, or null when nothing was chosen.
  virtual IPopupMenu* CreatePopupMenu(IPopupMenu& menu, const EditorRect& r) = 0;
  virtual void CreateTextEntry(IControl* control, const TextStyle& style, const EditorRect& r,
                               const char* initialText, IPlugParam* param) = 0;
  virtual void HostPath(std::string& path) = 0;
  virtual void PluginPath(std::string& path) = 0;
  virtual void DesktopPath(std::string& path) = 0;
  // Shows a file dialog; file becomes the chosen full path, or "" when cancelled.
  virtual void PromptForFile(std::string& file, int action, std::string& directory,
                             const char* extensions) = 0;
  virtual bool PromptForColour(EditorColour& colour, const char* title) = 0;
  virtual bool OpenURL(const char* url, const char* confirmText, const char* errorText,
                       const char* caption) = 0;
  virtual void* OpenWindow(void* parent) = 0;  // [lock held, by IPlugBase::OpenEditor]
  // [lock held, by IPlugBase::CloseEditor] also when no window is open; without the lock from
  // the window class itself when the host destroyed or closed the window, and on destruction.
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  virtual ~IGraphics();
  virtual void HideMouseCursor() {}
  virtual void ShowMouseCursor() {}
  // Decodes the skin bitmap from the library's "PNG" resources, at least its rows above `rows`
  // (a LazySkinBitmap decodes the rest as drawing needs it); null when that fails.
  // [the editor's thread, or the workers a repaint decodes its bitmaps on: different ids at
  // the same time]
  virtual LICE_IBitmap* LoadSkinBitmap(int resourceId, const char* fileName, int rows);
  // Handles the window's pending events and the repaint tick; IPlugBase::EditorIdle calls it
  // on every idle call of the host (VST2 effEditIdle, the VST3 run loop's timer, the CLAP
  // timer, the LV2 UI's idle) while the window is open. The Win32 window needs none: its
  // messages and its timer reach it on their own.
  virtual void Idle() {}
  // Shows or hides the open window inside the host's (which may hide an embedded editor
  // without closing it).
  virtual void SetWindowShown(bool) {}

  IPlugBase* GetPlug() { return plug; }
  int Width() const { return width; }
  int Height() const { return height; }
  int FPS() const { return fps; }

  // Controls. The surface owns them; an index is the position in the list.
  int AttachControl(IControl* control);
  void AttachBackground(const SkinBitmap& bitmap);
  int NControls() const { return static_cast<int>(controls.size()); }
  IControl* GetControl(int i) const;
  void SetKeyCatcher(IControl* control);
  void HandleMouseOver(bool on) { handleMouseOver = on; }
  // Marks every control dirty, so the next repaint draws everything.
  void SetAllControlsDirty();

  // The bitmap by resource id through the process-wide cache, as a strip of `frames` frames;
  // its pixels are decoded when it is first drawn.
  SkinBitmap LoadBitmap(int resourceId, const char* fileName, int frames = 1);

  // Pushes a parameter's value (normalised, or plain and converted) into every control bound
  // to it.
  void UpdateControlsFromPlug(int paramIdx, double value, bool normalized);
  // Readies the drawing bitmaps; called when the plug-in attaches the surface. The drawing
  // bitmap itself is made on first use: hosts that scan plug-ins create editors they never draw.
  void PrepDraw();
  void PromptUserInput(IControl* control, IPlugParam* param, const EditorRect& r);

  // Drawing into the bitmap, clipped to the area being repainted.
  bool DrawSkinBitmap(const SkinBitmap& bitmap, const EditorRect& dest, int srcX, int srcY,
                      const BlendMode* blend = nullptr);
  // Frame `frame` (1-based) of the strip into dest.
  bool DrawBitmapFrame(const SkinBitmap& bitmap, const EditorRect& dest, int frame,
                       const BlendMode* blend = nullptr);
  // The filmstrip frame (1-based) that shows a normalised value.
  static int FrameForValue(int frames, double value);
  bool DrawText(TextStyle& style, const char* text, const EditorRect& rect);
  bool DrawLine(const EditorColour& colour, int x1, int y1, int x2, int y2, const BlendMode* blend = nullptr,
                bool antialias = false);

  // Mouse and keys from the window.
  void OnMouseDown(int x, int y, const MouseModifiers& mod);
  void OnMouseUp(int x, int y, const MouseModifiers& mod);
  void OnMouseDrag(int x, int y, const MouseModifiers& mod);
  // True when the control takes the double-click as a press (the window captures the mouse).
  bool OnMouseDoubleClick(int x, int y, const MouseModifiers& mod);
  bool OnMouseOver(int x, int y, const MouseModifiers& mod);
  void OnMouseOut();
  void OnMouseWheel(int x, int y, const MouseModifiers& mod, int notches);
  bool OnKeyDown(int x, int y, int key);
  // Forgets the captured control and the last mouse position (a menu or dialog took over).
  void ReleaseMouseCapture();
  int CapturedControl() const { return captured; }

  // The union of the dirty controls' rectangles; true when there was any. Idle ticks counted
  // here reach every control's IdleTick after four in a row with nothing dirty.
  bool CollectDirtyArea(EditorRect& rect);
  // Paints the visible controls that overlap r, marks every control clean, presents r.
  void DrawArea(const EditorRect& r);
  const EditorRect& DrawRect() const { return drawRect; }
  // The bitmap drawn into (made on first use), or null before PrepDraw.
  LICE_IBitmap* GetDrawBitmap();

protected:
  int FindControl(int x, int y, bool forMouseOver = false);

  std::vector<std::unique_ptr<IControl>> controls;
  IPlugBase* plug;
  EditorRect drawRect;
  std::unique_ptr<LICE_SysBitmap> drawBitmap;
  std::unique_ptr<LICE_MemBitmap> scratchBitmap;
  bool drawPrepared = false;
  int width;
  int height;
  int fps;
  int idleCount = 0;
  int captured = -1;
  int mouseOverIdx = -1;
  int lastX = -1;
  int lastY = -1;
  bool handleMouseOver = false;
  std::unique_ptr<IControl> keyCatcher;

private:
  void DestroyControls();
  // The cached pixels of a skin bitmap, decoded by LoadSkinBitmap on first use.
  LICE_IBitmap* DecodedBitmap(int resourceId, const char* fileName);
  // Decodes, all at once, the bitmaps the controls to be painted in r draw and no one has
  // decoded yet.
  void DecodeBitmapsToPaint(const EditorRect& r);
};
