// The editor window for Linux hosts. How it differs from the Windows window:
// - The host hands over an X11 window id. The editor opens its own display connection (from
//   DISPLAY) and creates a child window of that id: no background, the arrow cursor, placed at
//   (0, 0), or where the previous window was when it is reopened without being closed.
// - There is no timer and no message loop of our own: every idle call of the host (Idle)
//   handles the pending events and runs the repaint tick when its 40 ms have passed, so
//   painting follows the host's idle rate. An exposure repaints its area together with
//   whatever is dirty.
// - The pixels go to the window with XPutImage of an XImage over the drawing bitmap itself when
//   the window's visual is 8-bit RGB in 32-bit words; any other true-colour visual gets a
//   converted copy of the repainted rectangle.
// - A resize grows the window and the host's two nearest windows by the size difference, but
//   stops below the host's top-level window: the window manager owns that one's size.
// - X has no double-click message: a second left press within 400 ms and 5 pixels of the first
//   is one. The press grabs the pointer implicitly, which is the mouse capture. Wheel buttons
//   4 and 5 are one notch up and down. Alt is the Mod1 modifier.
// - Keys: space, arrows, digits and letters go to the surface with the pointer position; a key
//   the surface does not take is sent on, press and release, to the host's top-level window.
//   The focus is taken when the window is first shown and on every button press.
// - X errors on the editor's connection (the host destroying its window first, a stale parent
//   id) are caught while the editor makes its calls and never reach the host's handler; a
//   destroyed parent closes the editor.
// - Dialogs, text entry and menus are the desktop's own dialogs (zenity or kdialog) run as
//   child processes: modal like the Windows ones, the editor keeps painting while they are
//   open and ignores its input. Without either program they answer "cancelled". A text entry
//   is a dialog too, so it commits when the dialog is confirmed instead of on the next tick,
//   drops the characters the Windows box would have refused and ignores the style's font; a
//   popup menu is a list with submenu items prefixed by their submenu. The dialogs are windows
//   of their own, not owned by the host's window. The file dialog has no 255-character limit,
//   and a saved name without an extension gets the first one.
// - Opening an address starts xdg-open in the background; success is that it could be started,
//   and there is no Internet-connection check.
// - Hiding the cursor gives the window an empty cursor; showing it warps the pointer back.
// - The folders: the host's is the executable's, the plug-in's the module's, the desktop is
//   xdg-user-dir's DESKTOP, else ~/Desktop, else the home folder.
#include "gui/IGraphicsX11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "draw/LICE_SysBitmap.h"
#include "gui/IControl.h"
#include "gui/KeyCodes.h"
#include "gui/PopupMenuList.h"
#include "gui/TextEntryRules.h"

namespace {

// Catches the X errors of one display connection while it is installed and passes every other
// connection's errors to the handler that was there before. Nested traps share the handler.
class X11ErrorTrap
{
public:
  explicit X11ErrorTrap(Display* d) : display(d), outer(top), previous(XSetErrorHandler(&Handle))
  {
    top = this;
  }
  ~X11ErrorTrap()
  {
    if (display) XSync(display, False);
    top = outer;
    XSetErrorHandler(previous);
  }
  // True when any request so far failed.
  bool Failed()
  {
    if (display) XSync(display, False);
    return failed;
  }
  // The connection is about to close; no trap may touch it again.
  static void Forget(Display* d)
  {
    for (X11ErrorTrap* t = top; t; t = t->outer)
      if (t->display == d) t->display = nullptr;
  }

private:
  static int Handle(Display* d, XErrorEvent* e)
  {
    for (X11ErrorTrap* t = top; t; t = t->outer)
      if (t->display == d) {
        t->failed = true;
        return 0;
      }
    X11ErrorTrap* first = top;
    while (first && first->outer) first = first->outer;
    return first && first->previous ? first->previous(d, e) : 0;
  }

  static X11ErrorTrap* top;
  Display* display;
  X11ErrorTrap* outer;
  XErrorHandler previous;
  bool failed = false;
};

X11ErrorTrap* X11ErrorTrap::top = nullptr;

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;

int EditorKeyFromKeysym(KeySym sym)
{
  switch (sym) {
    case XK_Up: return kKeyUp;
    case XK_Down: return kKeyDown;
    case XK_Left: return kKeyLeft;
    case XK_Right: return kKeyRight;
    default:
      // Latin-1 keysyms below 0x80 are their ASCII characters.
      return sym < 0x80 ? KeyCodeFromChar(static_cast<int>(sym)) : kKeyNone;
  }
}

unsigned int ButtonMask(unsigned int button)
{
  switch (button) {
    case Button1: return Button1Mask;
    case Button2: return Button2Mask;
    case Button3: return Button3Mask;
    default: return 0;
  }
}

MouseModifiers Modifiers(unsigned int state)
{
  MouseModifiers m;
  m.L = state & Button1Mask;
  m.R = state & Button3Mask;
  m.S = state & ShiftMask;
  m.C = state & ControlMask;
  m.A = state & Mod1Mask;
  return m;
}

bool NativeIsLittleEndian()
{
  const uint32_t one = 1;
  return *reinterpret_cast<const unsigned char*>(&one) == 1;
}

int BitsPerPixel(Display* display, int depth)
{
  int n = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &n);
  int bpp = 0;
  for (int i = 0; i < n; ++i)
    if (formats[i].depth == depth) bpp = formats[i].bits_per_pixel;
  if (formats) XFree(formats);
  return bpp;
}

void MaskLayout(unsigned long mask, int& shift, int& bits)
{
  shift = bits = 0;
  if (!mask) return;
  while (!(mask & 1)) mask >>= 1, ++shift;
  while (mask & 1) mask >>= 1, ++bits;
}

// One 8-bit channel scaled into a mask's bits at its place.
unsigned long Channel(unsigned int c, int shift, int bits)
{
  const unsigned long v = bits <= 8 ? c >> (8 - bits) : static_cast<unsigned long>(c) << (bits - 8);
  return v << shift;
}

std::string FolderOf(const std::string& path)
{
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsFolder(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

IGraphicsX11::~IGraphicsX11() { CloseWindow(); }

// --- Window ----------------------------------------------------------------------------

void* IGraphicsX11::OpenWindow(void* parent)
{
  const unsigned long parentId = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(parent));
  if (!parentId) return nullptr;
  int x = 0, y = 0, w = width, h = height;
  if (display && window) {
    X11ErrorTrap trap(display);
    Window root;
    int gx, gy;
    unsigned int gw, gh, border, d;
    if (XGetGeometry(display, window, &root, &gx, &gy, &gw, &gh, &border, &d) && !trap.Failed())
      x = gx, y = gy, w = static_cast<int>(gw), h = static_cast<int>(gh);
  }
  CloseWindow();
  display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  bool created;
  {
    X11ErrorTrap trap(display);
    created = CreateChildWindow(parentId, x, y, w, h) && !trap.Failed();
  }
  if (!created) {
    CloseWindow();
    return nullptr;
  }
  doubleClick.Reset();
  exposed = EditorRect();
  keysTaken.reset();
  tracksMouseLeave = focusTaken = false;
  nextTick = std::chrono::steady_clock::now();
  SetAllControlsDirty();
  return GetWindow();
}

bool IGraphicsX11::CreateChildWindow(unsigned long parent, int x, int y, int w, int h)
{
  XWindowAttributes pa;
  if (!XGetWindowAttributes(display, parent, &pa)) return false;
  arrowCursor = XCreateFontCursor(display, XC_left_ptr);
  XSetWindowAttributes a{};
  a.background_pixmap = None;
  a.event_mask = kEventMask;
  a.cursor = arrowCursor;
  window =
    XCreateWindow(display, parent, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
                  CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap | CWEventMask | CWCursor, &a);
  if (!window) return false;
  gc = XCreateGC(display, window, 0, nullptr);
  XMapWindow(display, window);
  ChooseImageFormat();
  // The host's top-level window is the child of the root on the way up.
  hostTopLevel = parent;
  for (;;) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(display, hostTopLevel, &root, &up, &children, &n)) break;
    if (children) XFree(children);
    if (!up || up == root) break;
    hostTopLevel = up;
  }
  return gc != nullptr;
}

void IGraphicsX11::ChooseImageFormat()
{
  XWindowAttributes wa;
  if (!XGetWindowAttributes(display, window, &wa)) return;
  const Visual* v = wa.visual;
  visual = wa.visual;
  depth = wa.depth;
  MaskLayout(v->red_mask, channelShift[0], channelBits[0]);
  MaskLayout(v->green_mask, channelShift[1], channelBits[1]);
  MaskLayout(v->blue_mask, channelShift[2], channelBits[2]);
  directImage = v->red_mask == 0xFF0000 && v->green_mask == 0xFF00 && v->blue_mask == 0xFF &&
                BitsPerPixel(display, depth) == 32;
}

void IGraphicsX11::CloseWindow()
{
  if (!display) return;
  {
    X11ErrorTrap trap(display);
    if (gc) XFreeGC(display, gc);
    if (window) XDestroyWindow(display, window);
    if (arrowCursor) XFreeCursor(display, arrowCursor);
    if (blankCursor) XFreeCursor(display, blankCursor);
  }
  X11ErrorTrap::Forget(display);
  XCloseDisplay(display);
  display = nullptr;
  window = hostTopLevel = arrowCursor = blankCursor = 0;
  gc = nullptr;
  visual = nullptr;
  cursorHidden = false;
}

void* IGraphicsX11::GetWindow()
{
  return display && window ? reinterpret_cast<void*>(static_cast<uintptr_t>(window)) : nullptr;
}

void IGraphicsX11::SetWindowShown(bool shown)
{
  if (!display || !window) return;
  if (shown)
    XMapWindow(display, window);
  else
    XUnmapWindow(display, window);
  XFlush(display);
}

void IGraphicsX11::Resize(int w, int h)
{
  if (w == width && h == height) return;
  const int dw = w - width, dh = h - height;
  IGraphics::Resize(w, h);
  if (!display || !window) return;
  X11ErrorTrap trap(display);
  ResizeBy(window, dw, dh);
  unsigned long up = window;
  for (int level = 0; level < 2; ++level) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(display, up, &root, &parent, &children, &n)) break;
    if (children) XFree(children);
    if (!parent || parent == root || parent == hostTopLevel) break;
    ResizeBy(parent, dw, dh);
    up = parent;
  }
  exposed = EditorRect(0, 0, w, h);
}

void IGraphicsX11::ResizeBy(unsigned long win, int dw, int dh)
{
  XWindowAttributes wa;
  if (!XGetWindowAttributes(display, win, &wa)) return;
  XResizeWindow(display, win, static_cast<unsigned>(std::max(1, wa.width + dw)),
                static_cast<unsigned>(std::max(1, wa.height + dh)));
}

// --- Idle: events and the repaint tick --------------------------------------------------

void IGraphicsX11::Idle()
{
  if (!display) return;
  X11ErrorTrap trap(display);
  HandlePendingEvents(false);
  PaintExposed();
  RunTimerIfDue();
}

void IGraphicsX11::KeepPaintedWhileModal()
{
  if (!display) return;
  X11ErrorTrap trap(display);
  HandlePendingEvents(true);
  PaintExposed();
  RunTimerIfDue();
}

void IGraphicsX11::HandlePendingEvents(bool modal)
{
  while (display && XPending(display)) {
    XEvent ev;
    XNextEvent(display, &ev);
    HandleEvent(ev, modal);
  }
}

void IGraphicsX11::HandleEvent(XEvent& ev, bool modal)
{
  if (ev.xany.window != window) return;
  switch (ev.type) {
    case Expose: {
      const XExposeEvent& e = ev.xexpose;
      exposed = exposed.Union(EditorRect(e.x, e.y, e.x + e.width, e.y + e.height));
      return;
    }
    case DestroyNotify:
      // The host destroyed its window, and ours with it.
      window = 0;
      CloseWindow();
      return;
    default: break;
  }
  if (modal) return;
  switch (ev.type) {
    case ButtonPress: HandleButtonPress(ev); break;
    case ButtonRelease: HandleButtonRelease(ev); break;
    case MotionNotify: HandleMotion(ev); break;
    case LeaveNotify:
      if (tracksMouseLeave && ev.xcrossing.mode == NotifyNormal) {
        tracksMouseLeave = false;
        OnMouseOut();
      }
      break;
    case KeyPress:
    case KeyRelease: HandleKey(ev); break;
    default: break;
  }
}

void IGraphicsX11::HandleButtonPress(XEvent& ev)
{
  const XButtonEvent& b = ev.xbutton;
  if (b.button == Button4 || b.button == Button5) {
    OnMouseWheel(b.x, b.y, Modifiers(b.state), b.button == Button4 ? 1 : -1);
    return;
  }
  if (b.button < Button1 || b.button > Button3) return;
  TakeFocus(b.time);
  // The state is the one before the press; the pressed button counts as held.
  const MouseModifiers mod = Modifiers(b.state | ButtonMask(b.button));
  const bool isDouble = doubleClick.Press(static_cast<int>(b.button), b.x, b.y, b.time);
  if (isDouble && b.button == Button1)
    OnMouseDoubleClick(b.x, b.y, mod);
  else
    OnMouseDown(b.x, b.y, mod);
}

void IGraphicsX11::HandleButtonRelease(XEvent& ev)
{
  const XButtonEvent& b = ev.xbutton;
  // A middle press starts a drag like the others, so its release ends it.
  if (b.button < Button1 || b.button > Button3) return;
  OnMouseUp(b.x, b.y, Modifiers(b.state & ~ButtonMask(b.button)));
}

void IGraphicsX11::HandleMotion(XEvent& ev)
{
  // Only the latest of a run of motions matters; later events keep their order.
  XEvent next;
  while (XPending(display) &&
         (XPeekEvent(display, &next), next.type == MotionNotify && next.xany.window == window))
    XNextEvent(display, &ev);
  const XMotionEvent& m = ev.xmotion;
  if (m.state & (Button1Mask | Button3Mask))
    OnMouseDrag(m.x, m.y, Modifiers(m.state));
  else if (OnMouseOver(m.x, m.y, Modifiers(m.state)))
    tracksMouseLeave = true;
}

void IGraphicsX11::HandleKey(XEvent& ev)
{
  const unsigned int code = ev.xkey.keycode & 0xFF;
  if (ev.type == KeyRelease) {
    if (keysTaken.test(code))
      keysTaken.reset(code);
    else
      ForwardToHost(ev);
    return;
  }
  const int key = EditorKeyFromKeysym(XLookupKeysym(&ev.xkey, 0));
  if (key != kKeyNone && OnKeyDown(ev.xkey.x, ev.xkey.y, key)) {
    keysTaken.set(code);
    return;
  }
  keysTaken.reset(code);
  ForwardToHost(ev);
}

void IGraphicsX11::ForwardToHost(XEvent& ev)
{
  if (!hostTopLevel) return;
  ev.xkey.window = hostTopLevel;
  ev.xkey.subwindow = None;
  XSendEvent(display, hostTopLevel, False, ev.type == KeyPress ? KeyPressMask : KeyReleaseMask, &ev);
}

void IGraphicsX11::TakeFocus(unsigned long time)
{
  XWindowAttributes wa;
  // Focusing a window that is not viewable is an error.
  if (XGetWindowAttributes(display, window, &wa) && wa.map_state == IsViewable)
    XSetInputFocus(display, window, RevertToParent, time);
}

void IGraphicsX11::PaintExposed()
{
  if (!display || exposed.Empty()) return;
  if (!focusTaken) {
    focusTaken = true;
    TakeFocus(CurrentTime);
  }
  // DrawArea marks every control clean, so the dirty ones are painted now too.
  EditorRect r = exposed;
  exposed = EditorRect();
  for (int i = 0; i < NControls(); ++i)
    if (GetControl(i)->NeedsRedraw()) r = r.Union(GetControl(i)->GetRECT());
  DrawArea(r);
}

void IGraphicsX11::RunTimerIfDue()
{
  if (!display) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < nextTick) return;
  const auto period = std::chrono::milliseconds(fps > 0 ? 1000 / fps : 40);
  nextTick += period;
  if (nextTick <= now) nextTick = now + period;
  EditorRect dirty;
  if (CollectDirtyArea(dirty)) DrawArea(dirty);
}

// --- Presenting -------------------------------------------------------------------------

void IGraphicsX11::PresentRect(const EditorRect& r)
{
  LICE_IBitmap* bm = GetDrawBitmap();
  if (!display || !window || !gc || !bm || !bm->getBits()) return;
  const EditorRect c(std::max(r.L, 0), std::max(r.T, 0), std::min(r.R, bm->getWidth()),
                     std::min(r.B, bm->getHeight()));
  if (c.W() <= 0 || c.H() <= 0) return;
  if (!directImage) {
    PutConverted(c);
    return;
  }
  XImage* image =
    XCreateImage(display, static_cast<Visual*>(visual), static_cast<unsigned>(depth), ZPixmap, 0,
                 reinterpret_cast<char*>(bm->getBits()), static_cast<unsigned>(bm->getWidth()),
                 static_cast<unsigned>(bm->getHeight()), 32, bm->getRowSpan() * 4);
  if (!image) return;
  image->byte_order = NativeIsLittleEndian() ? LSBFirst : MSBFirst;
  XPutImage(display, window, gc, image, c.L, c.T, c.L, c.T, static_cast<unsigned>(c.W()),
            static_cast<unsigned>(c.H()));
  image->data = nullptr;  // the bitmap's own pixels
  XDestroyImage(image);
  XFlush(display);
}

void IGraphicsX11::PutConverted(const EditorRect& c)
{
  XImage* image = XCreateImage(display, static_cast<Visual*>(visual), static_cast<unsigned>(depth), ZPixmap,
                               0, nullptr, static_cast<unsigned>(c.W()), static_cast<unsigned>(c.H()), 32, 0);
  if (!image) return;
  image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * c.H()));
  if (!image->data) {
    XDestroyImage(image);
    return;
  }
  LICE_IBitmap* bm = GetDrawBitmap();
  for (int y = 0; y < c.H(); ++y) {
    const LICE_pixel* row = LICE_Row(bm, c.T + y) + c.L;
    for (int x = 0; x < c.W(); ++x) {
      const LICE_pixel p = row[x];
      XPutPixel(image, x, y,
                Channel((p >> 16) & 0xFF, channelShift[0], channelBits[0]) |
                  Channel((p >> 8) & 0xFF, channelShift[1], channelBits[1]) |
                  Channel(p & 0xFF, channelShift[2], channelBits[2]));
    }
  }
  XPutImage(display, window, gc, image, 0, 0, c.L, c.T, static_cast<unsigned>(c.W()),
            static_cast<unsigned>(c.H()));
  XDestroyImage(image);
  XFlush(display);
}

// --- Cursor -----------------------------------------------------------------------------

void IGraphicsX11::HideMouseCursor()
{
  if (!display || !window || cursorHidden) return;
  X11ErrorTrap trap(display);
  Window root, child;
  int wx, wy;
  unsigned int mask;
  if (!XQueryPointer(display, window, &root, &child, &savedCursorX, &savedCursorY, &wx, &wy, &mask)) return;
  if (!blankCursor) {
    static const char kEmpty[1] = {0};
    const Pixmap empty = XCreateBitmapFromData(display, window, kEmpty, 1, 1);
    XColor black{};
    blankCursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(display, empty);
  }
  XDefineCursor(display, window, blankCursor);
  cursorHidden = true;
}

void IGraphicsX11::ShowMouseCursor()
{
  if (!display || !window || !cursorHidden) return;
  X11ErrorTrap trap(display);
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, savedCursorX, savedCursorY);
  XDefineCursor(display, window, arrowCursor);
  cursorHidden = false;
  savedCursorX = savedCursorY = -1;
}

// --- Dialogs ----------------------------------------------------------------------------

DesktopDialogs IGraphicsX11::Dialogs()
{
  return DesktopDialogs([this] { KeepPaintedWhileModal(); });
}

int IGraphicsX11::ShowMessageBox(const char* text, const char* caption, int type)
{
  const int answer = Dialogs().MessageBox(text, caption, type);
  ReleaseMouseCapture();
  return answer;
}

IPopupMenu* IGraphicsX11::CreatePopupMenu(IPopupMenu& menu, const EditorRect&)
{
  ReleaseMouseCapture();
  PopupMenuList list(menu);
  return list.Choose(Dialogs().ChooseItem(list.Labels(), ""));
}

void IGraphicsX11::CreateTextEntry(IControl* control, const TextStyle&, const EditorRect&,
                                   const char* initialText, IPlugParam* param)
{
  if (!control || !WindowIsOpen()) return;
  std::string typed;
  const bool confirmed = Dialogs().AskText(initialText, typed);
  ReleaseMouseCapture();
  if (confirmed)
    TextEntryRules::Commit(control, param, TextEntryRules::Filter(typed, param, control->TextEntryLength()));
}

void IGraphicsX11::PromptForFile(std::string& file, int action, std::string& directory,
                                 const char* extensions)
{
  if (!WindowIsOpen()) {
    file.clear();
    return;
  }
  if (directory.empty()) DesktopPath(directory);
  std::string start = file;
  if (start.empty() || start[0] != '/') {
    start = directory;
    if (!start.empty() && start.back() != '/') start += '/';
    start += file;
  }
  std::string chosen;
  const bool ok = Dialogs().ChooseFile(action == kFileSave, start, extensions ? extensions : "", chosen);
  ReleaseMouseCapture();
  if (!ok) return;
  file = chosen;
  directory = FolderOf(chosen);
}

bool IGraphicsX11::PromptForColour(EditorColour& colour, const char* title)
{
  if (!WindowIsOpen()) return false;
  int r = colour.R, g = colour.G, b = colour.B;
  const bool ok = Dialogs().ChooseColour(r, g, b, title);
  ReleaseMouseCapture();
  if (!ok) return false;
  colour.R = std::clamp(r, 0, 255), colour.G = std::clamp(g, 0, 255), colour.B = std::clamp(b, 0, 255);
  return true;
}

bool IGraphicsX11::OpenURL(const char* url, const char* confirmText, const char* errorText,
                           const char* caption)
{
  if (confirmText && *confirmText &&
      ShowMessageBox(confirmText, caption, DesktopDialogs::kYesNo) != DesktopDialogs::kAnswerYes)
    return false;
  // Started in the background: a browser may run for as long as it likes.
  const bool opened =
    url && *url && ChildProcess::IsInstalled("xdg-open") &&
    ChildProcess::Run({"/bin/sh", "-c", "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &", "sh", url})
        .exitCode == 0;
  if (!opened && errorText && *errorText) ShowMessageBox(errorText, caption, DesktopDialogs::kOk);
  return opened;
}

// --- Folders ----------------------------------------------------------------------------

void IGraphicsX11::HostPath(std::string& path)
{
  std::vector<char> buf(4096);
  const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  path = n > 0 ? FolderOf(std::string(buf.data(), static_cast<size_t>(n))) : std::string();
}

void IGraphicsX11::PluginPath(std::string& path)
{
  Dl_info info{};
  // Any address inside this module names the module's file.
  if (dladdr(reinterpret_cast<void*>(&EditorKeyFromKeysym), &info) && info.dli_fname)
    path = FolderOf(info.dli_fname);
  else
    path.clear();
}

void IGraphicsX11::DesktopPath(std::string& path)
{
  if (ChildProcess::IsInstalled("xdg-user-dir")) {
    const ChildProcess::Result r = ChildProcess::Run({"xdg-user-dir", "DESKTOP"});
    const std::string line = r.output.substr(0, r.output.find('\n'));
    if (r.exitCode == 0 && IsFolder(line)) {
      path = line;
      return;
    }
  }
  const char* home = std::getenv("HOME");
  path = home ? home : "";
  if (IsFolder(path + "/Desktop")) path += "/Desktop";
}
