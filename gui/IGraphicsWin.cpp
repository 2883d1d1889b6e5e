// The editor's Win32 window. The surface's headers come first: <windows.h> defines DrawText,
// CreateFont and friends as macros.
#include "gui/IGraphicsWin.h"

#include "draw/LICE_IBitmap.h"
#include "draw/Resources.h"
#include "gui/IControl.h"
#include "gui/IPopupMenu.h"
#include "gui/KeyCodes.h"
#include "plug/IPlugBase.h"
#include "plug/IPlugParam.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <wininet.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
// Shared by every editor window of the library: the class lives while one is open, and the
// window procedure reads the timer rate at creation.
int g_openWindows = 0;
double g_frameRate = 25.0;

void RegisterEditorClass(HINSTANCE module, WNDPROC proc)
{
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = module;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = IGraphicsWin::kWindowClass;
  RegisterClassA(&wc);
}

MouseModifiers Modifiers(WPARAM keys)
{
  MouseModifiers m;
  m.L = (keys & MK_LBUTTON) != 0;
  m.R = (keys & MK_RBUTTON) != 0;
  m.S = (keys & MK_SHIFT) != 0;
  m.C = (keys & MK_CONTROL) != 0;
  m.A = GetKeyState(VK_MENU) < 0;
  return m;
}

// Digit and letter keys have their characters' codes; 0x61..0x7A are the number pad and
// function keys, not lower-case letters.
int EditorKeyFromVirtualKey(WPARAM vk)
{
  switch (vk) {
    case VK_SPACE: return kKeySpace;
    case VK_UP: return kKeyUp;
    case VK_DOWN: return kKeyDown;
    case VK_LEFT: return kKeyLeft;
    case VK_RIGHT: return kKeyRight;
    default:
      return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ? KeyCodeFromChar(int(vk)) : kKeyNone;
  }
}

// The module's file name up to and including its last backslash.
void ModuleFolder(HMODULE module, std::string& path)
{
  char name[MAX_PATH + 1] = {};
  GetModuleFileNameA(module, name, MAX_PATH);
  char* slash = std::strrchr(name, '\\');
  if (slash) slash[1] = '\0';
  path = slash ? name : "";
}

// "*.kw;*.bgp" from "kw bgp".
std::string FilterPattern(const char* extensions)
{
  std::string pattern, word;
  for (const char* p = extensions;; ++p) {
    if (*p && *p != ' ') {
      word += *p;
      continue;
    }
    if (!word.empty()) pattern += (pattern.empty() ? "*." : ";*.") + word;
    word.clear();
    if (!*p) return pattern;
  }
}

// The numbering prefixes a menu may ask for, item numbers counted from 1.
std::string ItemText(const IPopupMenu& menu, int i)
{
  static const char* const kFormats[] = {"%s", "%1d: %s", "%02d: %s", "%03d: %s"};
  const int prefix = menu.GetPrefix();
  const char* text = menu.GetItem(i)->text.c_str();
  char buffer[512];
  if (prefix >= 1 && prefix <= 3)
    std::snprintf(buffer, sizeof buffer, kFormats[prefix], i + 1, text);
  else
    std::snprintf(buffer, sizeof buffer, "%s", text);
  return buffer;
}

// Every item takes the next command id, depth first through the submenus.
HMENU BuildMenu(const IPopupMenu& menu, UINT& nextId)
{
  HMENU h = ::CreatePopupMenu();
  for (int i = 0; i < menu.NItems(); ++i) {
    const IPopupMenu::Item* item = menu.GetItem(i);
    const UINT id = nextId++;
    if (item->flags & IPopupMenu::kSeparator) {
      AppendMenuA(h, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (item->flags & IPopupMenu::kGreyed) flags |= MF_GRAYED;
    if (item->flags & IPopupMenu::kDisabled) flags |= MF_DISABLED;
    if (item->flags & IPopupMenu::kChecked) flags |= MF_CHECKED;
    const std::string text = ItemText(menu, i);
    if (item->submenu)
      AppendMenuA(h, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu(*item->submenu, nextId)),
                  text.c_str());
    else
      AppendMenuA(h, flags, id, text.c_str());
  }
  return h;
}

// The (sub)menu holding command `id`, with the item's index stored as its choice.
IPopupMenu* ChooseById(IPopupMenu& menu, UINT id, UINT& nextId)
{
  for (int i = 0; i < menu.NItems(); ++i) {
    if (nextId++ == id) {
      menu.SetChosenItemIdx(i);
      return &menu;
    }
    if (IPopupMenu* sub = menu.GetItem(i)->submenu.get())
      if (IPopupMenu* chosen = ChooseById(*sub, id, nextId)) return chosen;
  }
  return nullptr;
}

struct ProcessWindowSearch
{
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND w, LPARAM data)
{
  auto* search = reinterpret_cast<ProcessWindowSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char name[256] = {};
  GetClassNameA(w, name, sizeof name);
  if (pid == search->processId && std::strcmp(name, search->className) == 0) {
    search->found = w;
    return FALSE;
  }
  return TRUE;
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
  if (msg != WM_INITDIALOG) return 0;
  const auto* cc = reinterpret_cast<const CHOOSECOLORA*>(lParam);
  if (cc && cc->lCustData) SetWindowTextA(dialog, reinterpret_cast<const char*>(cc->lCustData));
  return TRUE;
}

bool IsPlainChild(HWND w)
{
  return w && (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) && !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

void GrowWindow(HWND w, int dw, int dh)
{
  RECT r;
  GetWindowRect(w, &r);
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}
}  // namespace

// The window procedures, with access to the surface's window state.
struct IGraphicsWinProc
{
  static LRESULT CALLBACK Window(HWND w, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Edit(HWND w, UINT msg, WPARAM wParam, LPARAM lParam);

  static LRESULT Create(HWND w, LPARAM lParam);
  static LRESULT Handle(IGraphicsWin& g, HWND w, UINT msg, WPARAM wParam, LPARAM lParam);
  static void Paint(IGraphicsWin& g, HWND w);
  static void Tick(IGraphicsWin& g, HWND w);
  static bool KeyDown(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam);
  static void MouseMove(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam);
  static void ButtonDown(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam);
  static void Wheel(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam);
  static bool AcceptsChar(const IPlugParam& p, WPARAM c);
};

LRESULT CALLBACK IGraphicsWinProc::Window(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_CREATE) return Create(w, lParam);
  auto* g = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(w, GWLP_USERDATA));
  if (!g || g->editorWindow != w) return DefWindowProcA(w, msg, wParam, lParam);
  if (g->editWindow && g->textEntryState == IGraphicsWin::kEntryEditing) {
    // While the user types, a click anywhere in the editor only asks the timer to cancel.
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
      g->textEntryState = IGraphicsWin::kEntryCancel;
      return 0;
    }
    return DefWindowProcA(w, msg, wParam, lParam);
  }
  return Handle(*g, w, msg, wParam, lParam);
}

LRESULT IGraphicsWinProc::Create(HWND w, LPARAM lParam)
{
  auto* g = static_cast<IGraphicsWin*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
  SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(g));
  g->editorWindow = w;  // messages sent before CreateWindowExA returns are ours too
  const double rate = g_frameRate > 0.0 ? g_frameRate : 25.0;
  SetTimer(w, IGraphicsWin::kTimerId, UINT(1000.0 / rate), nullptr);
  SetFocus(w);
  return 0;
}

LRESULT IGraphicsWinProc::Handle(IGraphicsWin& g, HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (msg) {
    case WM_PAINT: Paint(g, w); return 0;
    case WM_CLOSE: g.CloseWindow(); return 0;
    case WM_KEYDOWN:
      if (KeyDown(g, w, wParam, lParam)) return 0;
      break;
    case WM_TIMER:
      if (wParam != IGraphicsWin::kTimerId) break;
      Tick(g, w);
      return 0;
    case WM_CTLCOLOREDIT: {
      if (!g.editControl) break;
      const TextStyle& style = g.editControl->GetTextStyle();
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, RGB(style.entryBackground.R, style.entryBackground.G, style.entryBackground.B));
      SetTextColor(dc, RGB(style.entryForeground.R, style.entryForeground.G, style.entryForeground.B));
      SetBkMode(dc, OPAQUE);
      return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_MOUSEMOVE: MouseMove(g, w, wParam, lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: ButtonDown(g, w, wParam, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:  // a middle press captures too, so its release must end the drag
      ReleaseCapture();
      g.OnMouseUp(x, y, Modifiers(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (g.OnMouseDoubleClick(x, y, Modifiers(wParam))) SetCapture(w);
      return 0;
    case WM_MOUSEWHEEL: Wheel(g, w, wParam, lParam); return 0;
    case WM_MOUSELEAVE: g.OnMouseOut(); return 0;
    default: break;
  }
  return DefWindowProcA(w, msg, wParam, lParam);
}

void IGraphicsWinProc::Paint(IGraphicsWin& g, HWND w)
{
  RECT r;
  if (!GetUpdateRect(w, &r, FALSE)) return;
  PAINTSTRUCT ps;
  BeginPaint(w, &ps);
  g.DrawArea(EditorRect(r.left, r.top, r.right, r.bottom));
  EndPaint(w, &ps);
}

void IGraphicsWinProc::Tick(IGraphicsWin& g, HWND w)
{
  // The window's own messages are the editor's events here, not the host's idle calls.
  if (IPlugBase* plug = g.GetPlug()) plug->SendPendingLatencyNotice();
  if (g.textEntryState == IGraphicsWin::kEntryCancel)
    g.CloseTextEntry(false);
  else if (g.textEntryState == IGraphicsWin::kEntryCommit)
    g.CloseTextEntry(true);
  else if (g.textEntryState != IGraphicsWin::kEntryNone)
    g.textEntryState = IGraphicsWin::kEntryNone;

  EditorRect dirty;
  if (!g.CollectDirtyArea(dirty)) return;
  RECT r = {dirty.L, dirty.T, dirty.R, dirty.B};
  InvalidateRect(w, &r, FALSE);
  if (g.editWindow && g.editControl) {
    // The text box lies over its control; painting the control would hide it.
    const EditorRect& c = g.editControl->GetRECT();
    RECT cr = {c.L, c.T, c.R, c.B};
    ValidateRect(w, &cr);
    g.textEntryState = IGraphicsWin::kEntryPainted;
  }
  UpdateWindow(w);
}

// True when the editor took the key.
bool IGraphicsWinProc::KeyDown(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam)
{
  const int key = EditorKeyFromVirtualKey(wParam);
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(w, &p);
  if (key != kKeyNone && g.OnKeyDown(p.x, p.y, key)) return true;
  // Keys the editor has no use for belong to the host (transport, shortcuts).
  HWND root = GetAncestor(w, GA_ROOT);
  if (root && root != w) SendMessageA(root, WM_KEYDOWN, wParam, lParam);
  return false;
}

void IGraphicsWinProc::MouseMove(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam)
{
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  if (wParam & (MK_LBUTTON | MK_RBUTTON)) {
    if (GetCapture() == w && !g.editWindow) g.OnMouseDrag(x, y, Modifiers(wParam));
    return;
  }
  if (g.OnMouseOver(x, y, Modifiers(wParam))) {
    TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, w, HOVER_DEFAULT};
    TrackMouseEvent(&track);
  }
}

void IGraphicsWinProc::ButtonDown(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam)
{
  if (g.editWindow) {
    g.CloseTextEntry(false);
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
  }
  SetFocus(w);
  SetCapture(w);
  g.OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Modifiers(wParam));
}

void IGraphicsWinProc::Wheel(IGraphicsWin& g, HWND w, WPARAM wParam, LPARAM lParam)
{
  if (g.editWindow) {
    g.textEntryState = IGraphicsWin::kEntryCancel;
    return;
  }
  // The wheel reports screen coordinates.
  RECT r;
  GetWindowRect(w, &r);
  const int notches = short(HIWORD(wParam)) / WHEEL_DELTA;
  g.OnMouseWheel(GET_X_LPARAM(lParam) - r.left, GET_Y_LPARAM(lParam) - r.top, Modifiers(LOWORD(wParam)),
                 notches);
}

bool IGraphicsWinProc::AcceptsChar(const IPlugParam& p, WPARAM c)
{
  if (c == VK_BACK) return true;
  const bool digitOrSign = (c >= '0' && c <= '9') || c == '-' || c == '+';
  switch (p.kind) {
    case IPlugParam::kBool:
    case IPlugParam::kInt:
    case IPlugParam::kEnum: return digitOrSign;
    case IPlugParam::kDouble: return digitOrSign || c == '.';
    default: return true;
  }
}

LRESULT CALLBACK IGraphicsWinProc::Edit(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* g = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(w, GWLP_USERDATA));
  if (!g || g->editWindow != w) return DefWindowProcA(w, msg, wParam, lParam);
  const auto previous = reinterpret_cast<WNDPROC>(g->editPreviousProc);
  switch (msg) {
    case WM_SETFOCUS: g->textEntryState = IGraphicsWin::kEntryEditing; break;
    case WM_KILLFOCUS: g->textEntryState = IGraphicsWin::kEntryCancel; break;
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcA(previous, w, msg, wParam, lParam);
      const MSG* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_CHAR:
      if (wParam == VK_RETURN) return 0;
      if (g->editParam && !AcceptsChar(*g->editParam, wParam)) return 0;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        g->textEntryState = IGraphicsWin::kEntryCommit;
        return 0;
      }
      break;
    case WM_COMMAND:
      if (wParam == IDOK) {
        g->textEntryState = IGraphicsWin::kEntryCommit;
        return 0;
      }
      break;
    default: break;
  }
  return CallWindowProcA(previous, w, msg, wParam, lParam);
}

// --- The surface's platform slots -----------------------------------------------------

IGraphicsWin::IGraphicsWin(IPlugBase* p, int w, int h, int f)
    : IGraphics(p, w, h, f), module(ResourceModule() ? ResourceModule() : GetModuleHandleA(nullptr))
{}

IGraphicsWin::~IGraphicsWin() { CloseWindow(); }

int IGraphicsWin::OpenWindowCount() { return g_openWindows; }

void IGraphicsWin::PresentRect(const EditorRect& r)
{
  LICE_IBitmap* bm = GetDrawBitmap();
  HDC src = bm ? static_cast<HDC>(bm->getDC()) : nullptr;
  if (!editorWindow || !src) return;
  HDC dc = GetDC(editorWindow);
  BitBlt(dc, r.L, r.T, r.W(), r.H(), src, r.L, r.T, SRCCOPY);
  ReleaseDC(editorWindow, dc);
}

void* IGraphicsWin::OpenWindow(void* parent)
{
  hostParent = static_cast<HWND>(parent);
  int x = 0, y = 0, w = Width(), h = Height();
  if (editorWindow) {
    // Reopening keeps the window where the host (or the user) put it. The offset is taken in
    // the parent's client area, where child windows are placed, not from its outer frame.
    RECT wr;
    GetWindowRect(editorWindow, &wr);
    POINT corner = {wr.left, wr.top};
    if (HWND oldParent = GetParent(editorWindow)) ScreenToClient(oldParent, &corner);
    x = corner.x;
    y = corner.y;
    w = wr.right - wr.left;
    h = wr.bottom - wr.top;
    CloseWindow();
  }
  HINSTANCE instance = static_cast<HINSTANCE>(module);
  if (g_openWindows++ == 0) RegisterEditorClass(instance, IGraphicsWinProc::Window);
  g_frameRate = FPS();
  editorWindow = CreateWindowExA(0, kWindowClass, "IPlug", WS_CHILD | WS_VISIBLE, x, y, w, h, hostParent,
                                 nullptr, instance, this);
  if (!editorWindow) {
    if (--g_openWindows == 0) UnregisterClassA(kWindowClass, instance);
    return nullptr;
  }
  SetAllControlsDirty();
  return editorWindow;
}

void IGraphicsWin::CloseWindow()
{
  if (!editorWindow) return;
  CloseTextEntry(false);
  HWND w = editorWindow;
  editorWindow = nullptr;
  DestroyWindow(w);
  if (--g_openWindows == 0) UnregisterClassA(kWindowClass, static_cast<HINSTANCE>(module));
}

void IGraphicsWin::SetWindowShown(bool shown)
{
  if (editorWindow) ShowWindow(editorWindow, shown ? SW_SHOW : SW_HIDE);
}

void IGraphicsWin::Resize(int w, int h)
{
  if (w == Width() && h == Height()) return;
  const int dw = w - Width(), dh = h - Height();
  IGraphics::Resize(w, h);
  if (!editorWindow) return;
  GrowWindow(editorWindow, dw, dh);
  HWND parent = GetParent(editorWindow);
  for (int level = 0; level < 2 && IsPlainChild(parent); ++level, parent = GetParent(parent))
    GrowWindow(parent, dw, dh);
  InvalidateRect(editorWindow, nullptr, FALSE);
}

HWND__* IGraphicsWin::HostTopWindow()
{
  if (hostTopWindow) return hostTopWindow;
  if (hostParent) {
    hostTopWindow = GetAncestor(hostParent, GA_ROOT);
    char name[256] = {};
    GetClassNameA(hostTopWindow, name, sizeof name);
    hostTopClass = name;
  } else if (!hostTopClass.empty()) {
    processId = GetCurrentProcessId();
    ProcessWindowSearch search = {processId, hostTopClass.c_str(), nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    hostTopWindow = search.found;
  }
  return hostTopWindow;
}

int IGraphicsWin::ShowMessageBox(const char* text, const char* caption, int type)
{
  return MessageBoxA(HostTopWindow(), text, caption, UINT(type));
}

IPopupMenu* IGraphicsWin::CreatePopupMenu(IPopupMenu& menu, const EditorRect& r)
{
  ReleaseMouseCapture();
  if (!editorWindow) return nullptr;
  UINT nextId = 1;
  HMENU h = BuildMenu(menu, nextId);
  POINT corner = {r.L, r.B};
  ClientToScreen(editorWindow, &corner);
  TrackPopupMenu(h, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, corner.x, corner.y, 0, editorWindow,
                 nullptr);
  IPopupMenu* chosen = nullptr;
  MSG msg;
  if (PeekMessageA(&msg, editorWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(msg.wParam) == 0) {
    UINT id = 1;
    chosen = ChooseById(menu, LOWORD(msg.wParam), id);
  }
  DestroyMenu(h);
  return chosen;
}

void IGraphicsWin::CreateTextEntry(IControl* control, const TextStyle& style, const EditorRect& r,
                                   const char* initialText, IPlugParam* param)
{
  if (!control || editWindow || !editorWindow) return;
  const DWORD align = style.align == TextStyle::kAlignLeft    ? ES_LEFT
                      : style.align == TextStyle::kAlignRight ? ES_RIGHT
                                                              : ES_CENTER;
  editWindow =
    CreateWindowExA(0, "EDIT", initialText ? initialText : "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | align,
                    r.L, r.T, r.R - r.L + 1, r.B - r.T + 1, editorWindow,
                    reinterpret_cast<HMENU>(INT_PTR(kEditId)), static_cast<HINSTANCE>(module), nullptr);
  if (!editWindow) return;
  HFONT font =
    CreateFontA(style.size, 0, 0, 0, style.style == TextStyle::kStyleBold ? FW_BOLD : FW_DONTCARE,
                style.style == TextStyle::kStyleItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, style.face);
  SendMessageA(editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SendMessageA(editWindow, EM_SETSEL, 0, -1);
  SendMessageA(editWindow, EM_LIMITTEXT, WPARAM(control->TextEntryLength()), 0);
  SetFocus(editWindow);
  SetWindowLongPtrA(editWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  editPreviousProc =
    SetWindowLongPtrA(editWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IGraphicsWinProc::Edit));
  editControl = control;
  editParam = param;
}

void IGraphicsWin::CloseTextEntry(bool apply)
{
  if (editWindow) {
    char text[32] = {};
    if (apply) GetWindowTextA(editWindow, text, sizeof text);
    HWND edit = editWindow;
    editWindow = nullptr;  // the box's focus loss on the way out is no longer ours
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    SetWindowLongPtrA(edit, GWLP_WNDPROC, editPreviousProc);
    DestroyWindow(edit);
    if (font) DeleteObject(font);
    if (apply && editControl) ApplyEnteredText(text);
  }
  editControl = nullptr;
  editParam = nullptr;
  editPreviousProc = 0;
  textEntryState = kEntryNone;
}

void IGraphicsWin::ApplyEnteredText(const char* text)
{
  if (!editParam) {
    editControl->ApplyEnteredText(text);
    return;
  }
  double plain = 0.0;
  if (editParam->kind == IPlugParam::kBool || editParam->kind == IPlugParam::kEnum) {
    for (int i = 0; i < editParam->NDisplayTexts(); ++i)
      if (std::strcmp(editParam->GetDisplayTextEntry(i).text, text) == 0) {
        plain = editParam->GetDisplayTextEntry(i).value;
        break;
      }
  } else {
    plain = std::strtod(text, nullptr);
    if (editParam->displayNegated) plain = -plain;
  }
  const double v = editParam->ToNormalized(plain);
  if (v != editControl->GetValue()) {
    editControl->SetValue(v);
    editControl->MarkDirty(true);
    editControl->RequestRedraw();
  }
}

void IGraphicsWin::HostPath(std::string& path) { ModuleFolder(nullptr, path); }

void IGraphicsWin::PluginPath(std::string& path) { ModuleFolder(static_cast<HMODULE>(module), path); }

void IGraphicsWin::DesktopPath(std::string& path)
{
  char folder[MAX_PATH + 1] = {};
  path = SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE) ? folder : "";
}

void IGraphicsWin::PromptForFile(std::string& file, int action, std::string& directory,
                                 const char* extensions)
{
  if (!editorWindow) {
    file.clear();
    return;
  }
  if (directory.empty()) DesktopPath(directory);
  char name[256] = {};
  std::snprintf(name, sizeof name, "%s", file.c_str());
  const std::string pattern = FilterPattern(extensions ? extensions : "");
  // One filter entry, described by its own pattern; the list ends with an empty entry.
  std::string filter = pattern + '\0' + pattern + '\0' + '\0';
  std::string defaultExtension = pattern.size() > 2 ? pattern.substr(2, pattern.find(';') - 2) : "";

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = editorWindow;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;  // 255 characters and the terminator
  ofn.lpstrInitialDir = directory.c_str();
  ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  bool chosen;
  if (action == kFileSave) {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    chosen = GetSaveFileNameA(&ofn);
  } else {
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameA(&ofn);
  }
  if (!chosen) return;
  char drive[_MAX_DRIVE], folder[_MAX_DIR];
  _splitpath(name, drive, folder, nullptr, nullptr);
  char where[_MAX_DRIVE + _MAX_DIR];
  std::snprintf(where, sizeof where, "%s%s", drive, folder);
  directory = where;
  file = name;
}

bool IGraphicsWin::PromptForColour(EditorColour& colour, const char* title)
{
  if (!editorWindow) return false;
  if (!customColours) customColours = std::make_unique<unsigned long[]>(16);
  CHOOSECOLORA cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = editorWindow;
  cc.rgbResult = RGB(colour.R, colour.G, colour.B);
  cc.lpCustColors = reinterpret_cast<COLORREF*>(customColours.get());
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR | CC_ANYCOLOR | CC_ENABLEHOOK;
  cc.lpfnHook = ColourDialogHook;
  cc.lCustData = reinterpret_cast<LPARAM>(title);
  if (!ChooseColorA(&cc)) return false;
  colour.R = GetRValue(cc.rgbResult);
  colour.G = GetGValue(cc.rgbResult);
  colour.B = GetBValue(cc.rgbResult);
  return true;
}

bool IGraphicsWin::OpenURL(const char* url, const char* confirmText, const char* errorText,
                           const char* caption)
{
  if (confirmText && MessageBoxA(editorWindow, confirmText, caption, MB_YESNO) != IDYES) return false;
  DWORD connection = 0;
  if (InternetGetConnectedState(&connection, 0) &&
      reinterpret_cast<INT_PTR>(ShellExecuteA(editorWindow, "open", url, nullptr, nullptr, SW_SHOWNORMAL)) >
        32)
    return true;
  if (errorText) MessageBoxA(editorWindow, errorText, caption, MB_OK);
  return false;
}

void IGraphicsWin::HideMouseCursor()
{
  if (cursorHidden) return;
  POINT p;
  GetCursorPos(&p);
  hiddenCursorX = p.x;
  hiddenCursorY = p.y;
  ShowCursor(FALSE);
  cursorHidden = true;
}

void IGraphicsWin::ShowMouseCursor()
{
  if (!cursorHidden) return;
  SetCursorPos(hiddenCursorX, hiddenCursorY);
  ShowCursor(TRUE);
  cursorHidden = false;
}
