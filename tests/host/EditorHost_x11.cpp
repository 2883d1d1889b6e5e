#include "tests/host/EditorHost.h"

#include "tests/host/VST2Editor.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace {

// A channel of a pixel in 8 bits; fewer bits are scaled up, so pure white stays 0xFF only
// for 8-bit visuals.
int Widen(unsigned long pixel, unsigned long mask)
{
  if (!mask) return 0;
  int shift = 0, bits = 0;
  while (!(mask & 1)) mask >>= 1, ++shift;
  while (mask & 1) mask >>= 1, ++bits;
  const unsigned long v = (pixel >> shift) & ((1ul << bits) - 1);
  return static_cast<int>(bits >= 8 ? v >> (bits - 8) : v << (8 - bits));
}

}  // namespace

EditorHost::EditorHost(TestHost& host) : ownEditor(std::make_unique<VST2Editor>(host)), plugin(*ownEditor) {}

EditorHost::~EditorHost() { Close(); }

bool EditorHost::Open(int margin, const char* title)
{
  if (!plugin.Size(editorWidth, editorHeight)) {
    error = "the plug-in names no editor size";
    return false;
  }
  display = XOpenDisplay(nullptr);
  if (!display) {
    error = "cannot open the display";
    return false;
  }
  const int screen = DefaultScreen(display);
  topLevel = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, editorWidth + 2 * margin,
                                 editorHeight + 2 * margin, 0, 0, 0x303030);
  XStoreName(display, topLevel, title);
  deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
  Atom protocols[] = {deleteAtom};
  XSetWMProtocols(display, topLevel, protocols, 1);
  XSelectInput(display, topLevel, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
  container = XCreateSimpleWindow(display, topLevel, margin, margin, editorWidth, editorHeight, 0, 0, 0);
  XMapWindow(display, container);
  XMapWindow(display, topLevel);
  XSync(display, False);
  if (!Reopen()) error = "the editor did not open";
  return editorOpen;
}

bool EditorHost::Reopen()
{
  editorOpen = plugin.Open(reinterpret_cast<void*>(static_cast<uintptr_t>(container)));
  return editorOpen;
}

void EditorHost::Close()
{
  if (editorOpen) plugin.Close();
  editorOpen = false;
  if (!display) return;
  XDestroyWindow(display, topLevel);
  XCloseDisplay(display);
  display = nullptr;
  topLevel = container = 0;
}

void EditorHost::Pump(int milliseconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    HandleOwnEvents();
    plugin.Idle();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < end);
}

void EditorHost::HandleOwnEvents()
{
  if (!display) return;
  XSync(display, False);
  while (XPending(display)) {
    XEvent ev;
    XNextEvent(display, &ev);
    if ((ev.type == KeyPress || ev.type == KeyRelease) && ev.xany.send_event)
      forwardedKeyTypes.push_back(ev.type);
    if (ev.type == ClientMessage && static_cast<unsigned long>(ev.xclient.data.l[0]) == deleteAtom)
      closedByUser = true;
  }
}

unsigned long EditorHost::EditorWindow() const
{
  if (!display) return 0;
  Window root, parent, *children = nullptr;
  unsigned int n = 0;
  unsigned long child = 0;
  if (XQueryTree(display, container, &root, &parent, &children, &n) && n == 1) child = children[0];
  if (children) XFree(children);
  return child;
}

std::vector<unsigned long> EditorHost::GrabRaw(unsigned long window, int& width, int& height) const
{
  std::vector<unsigned long> pixels;
  XWindowAttributes wa;
  if (!display || !window || !XGetWindowAttributes(display, window, &wa)) return pixels;
  XImage* image = XGetImage(display, window, 0, 0, wa.width, wa.height, AllPlanes, ZPixmap);
  if (!image) return pixels;
  width = wa.width;
  height = wa.height;
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(XGetPixel(image, x, y));
  XDestroyImage(image);
  return pixels;
}

std::vector<uint32_t> EditorHost::Grab(unsigned long window, int& width, int& height) const
{
  std::vector<uint32_t> rgb;
  XWindowAttributes wa;
  if (!display || !window || !XGetWindowAttributes(display, window, &wa)) return rgb;
  const std::vector<unsigned long> raw = GrabRaw(window, width, height);
  const Visual* v = wa.visual;
  for (unsigned long p : raw)
    rgb.push_back(static_cast<uint32_t>(Widen(p, v->red_mask) << 16 | Widen(p, v->green_mask) << 8 |
                                        Widen(p, v->blue_mask)));
  return rgb;
}
