#pragma once

#include <vector>

#include "gui/EditorRect.h"
#include "gui/EditorTypes.h"

class IGraphics;
class IPlugBase;
class ITextControl;

// The base of every editor control: where it draws and takes the mouse, the parameter it is
// bound to, its normalised value and the dirty state the surface repaints from.
class IControl
{
public:
  IControl(IPlugBase* plug, const EditorRect& rect, int paramIdx = -1, int blendMethod = BlendMode::kNone);

  // Virtual slots, in this order (the established layout's numbering; nothing depends on it
  // at run time).
  //
  // Contracts: the surface calls every slot on the editor's thread, the host's main or
  // user-interface thread, without the plug-in's ParameterLock, except ApplyValueFromPlug,
  // ApplyAuxValueFromPlug and MarkDirty(false) (which they and the text controls'
  // SetTextFromPlug call), which may run with it held: attaching the editor, a parameter's
  // read-out after a change, the editor catching up with host automation, refreshing after a
  // program or state change. Mouse positions are in editor pixels; Paint draws only through
  // the surface, clipped to the area being repainted.
  virtual ~IControl();
  virtual void MouseDown(int x, int y, const MouseModifiers& mod);
  virtual void MouseUp(int x, int y, const MouseModifiers& mod);
  virtual void MouseDrag(int x, int y, int dX, int dY, const MouseModifiers& mod);
  virtual void MouseDoubleClick(int x, int y, const MouseModifiers& mod);
  virtual void MouseWheel(int x, int y, const MouseModifiers& mod, int d);
  virtual bool KeyDown(int x, int y, int key);
  virtual void MouseOver(int x, int y, const MouseModifiers& mod);
  virtual void MouseOut();
  virtual bool Paint(IGraphics* g) = 0;
  // A value from the plug-in: the first one becomes the default a double-click restores.
  virtual void ApplyValueFromPlug(double v);
  virtual void ApplyEnteredText(const char* text);
  virtual void SetHidden(bool hide);
  virtual void SetGreyed(bool grey);
  virtual bool HitTest(int x, int y);
  // Clamps the value and marks the control for repainting; with push, the value also goes to
  // the bound parameter.
  virtual void MarkDirty(bool push = true);
  virtual void MarkClean();
  virtual bool NeedsRedraw();
  virtual void IdleTick();
  virtual void ApplyAuxValueFromPlug(int auxIdx, double v);
  // The skin bitmap Paint draws, so the surface can decode it ahead of the paint; null for
  // controls that draw none.
  virtual const SkinBitmap* DrawnBitmap() const { return nullptr; }
  // The frame (1-based) of DrawnBitmap() that Paint draws now, or 0 when it may draw any part.
  virtual int DrawnFrame() const { return 0; }

  // Asks the user for the bound parameter's value: a menu for parameters with display texts,
  // a text entry for the rest. Nothing while prompting is disabled (the default).
  void PromptForValue();

  IPlugBase* GetPlug() const { return plug; }
  IGraphics* GetGUI() const;
  const EditorRect& GetRECT() const { return rect; }
  const EditorRect& GetTargetRECT() const { return targetRect; }
  void SetTargetRECT(const EditorRect& r) { targetRect = r; }
  int ParamIdx() const { return paramIdx; }
  double GetValue() const { return value; }
  // Sets the value without marking anything; MarkDirty follows when it is to show.
  void SetValue(double v) { value = v; }
  double GetDefaultValue() const { return defaultValue; }
  void SetClamp(double lo, double hi)
  {
    clampLo = lo;
    clampHi = hi;
  }
  bool IsHidden() const { return hidden; }
  bool IsGreyed() const { return greyed; }
  bool IsDirty() const { return dirty; }
  void RequestRedraw() { redrawRequested = true; }
  void SetPromptDisabled(bool b) { promptDisabled = b; }
  void SetDoubleClickActsAsClick(bool b) { doubleClickAsClick = b; }
  bool DoubleClickActsAsClick() const { return doubleClickAsClick; }
  void SetMouseOverWhenGreyed(bool b) { mouseOverWhenGreyed = b; }
  bool MouseOverWhenGreyed() const { return mouseOverWhenGreyed; }
  const BlendMode& GetBlend() const { return blend; }
  TextStyle& GetTextStyle() { return textStyle; }
  int TextEntryLength() const { return textEntryLength; }
  void SetTextEntryLength(int n) { textEntryLength = n; }
  void AddAuxBinding(int paramIdx);
  int NAuxBindings() const { return static_cast<int>(aux.size()); }
  const AuxBinding& GetAuxBinding(int i) const { return aux[i]; }
  // Text controls that show the bound parameter's display string and name after each push.
  void SetValueDisplayControl(ITextControl* c) { valueDisplay = c; }
  void SetNameDisplayControl(ITextControl* c) { nameDisplay = c; }

protected:
  int textEntryLength = 7;
  TextStyle textStyle;
  IPlugBase* plug;
  EditorRect rect;
  EditorRect targetRect;
  int paramIdx;
  std::vector<AuxBinding> aux;
  double value = 0.0;
  double defaultValue = -1.0;  // not yet recorded
  double clampLo = 0.0;
  double clampHi = 1.0;
  bool dirty = true;
  bool hidden = false;
  bool greyed = false;
  bool redrawRequested = false;
  bool promptDisabled = true;
  bool doubleClickAsClick = false;
  bool mouseOverWhenGreyed = false;
  BlendMode blend;
  ITextControl* valueDisplay = nullptr;
  ITextControl* nameDisplay = nullptr;
};
