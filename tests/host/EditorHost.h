#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/host/TestHost.h"

typedef struct _XDisplay Display;

// What a host window needs of a plug-in's editor, whatever the plug-in format.
class PluginEditor
{
public:
  virtual ~PluginEditor() = default;
  // The editor's size; false when the plug-in has no editor.
  virtual bool Size(int& width, int& height) = 0;
  virtual bool Open(unsigned long parent) = 0;
  // What the host does for the editor on its idle or timer calls.
  virtual void Idle() = 0;
  virtual void Close() = 0;
};

// A host's editor window for a loaded plug-in: a top-level window on the host's own display
// connection with a container window, `margin` pixels in, sized as the editor asks. The
// plug-in's editor opens inside the container and lives on the host's idle calls (for VST2
// effEditGetRect, effEditOpen, effEditIdle and effEditClose).
class EditorHost
{
public:
  explicit EditorHost(TestHost& host);
  explicit EditorHost(PluginEditor& editor) : plugin(editor) {}
  ~EditorHost();
  EditorHost(const EditorHost&) = delete;
  EditorHost& operator=(const EditorHost&) = delete;

  // Creates the windows on DISPLAY and opens the editor in them; false (with the reason in
  // Error) when any step fails.
  bool Open(int margin = 0, const char* title = "vsthost");
  // The editor closed, then the host's windows go.
  void Close();
  // The editor opened again into the same container (the plug-in may already have it open).
  bool Reopen();
  // Handles the host's events and the editor's idle call every 10 ms for that long.
  void Pump(int milliseconds);
  // False once the user has closed the top-level window.
  bool IsOpen() const { return topLevel != 0 && !closedByUser; }

  Display* GetDisplay() const { return display; }
  unsigned long TopLevel() const { return topLevel; }
  unsigned long Container() const { return container; }
  // The editor's window: the container's only child, or 0.
  unsigned long EditorWindow() const;
  // The window's pixels as 0xRRGGBB words (any depth is widened to 8 bits a channel), or
  // empty when the window cannot be read.
  std::vector<uint32_t> Grab(unsigned long window, int& width, int& height) const;
  // The raw pixel values of the window in its own visual's format.
  std::vector<unsigned long> GrabRaw(unsigned long window, int& width, int& height) const;
  // Key events that reached the top-level window from elsewhere (the editor passing them on).
  const std::vector<int>& ForwardedKeyTypes() const { return forwardedKeyTypes; }
  const std::string& Error() const { return error; }
  int EditorWidth() const { return editorWidth; }
  int EditorHeight() const { return editorHeight; }

private:
  void HandleOwnEvents();

  std::unique_ptr<PluginEditor> vstEditor;  // when the host is a VST2 TestHost
  PluginEditor& plugin;
  Display* display = nullptr;
  unsigned long topLevel = 0;
  unsigned long container = 0;
  unsigned long deleteAtom = 0;
  bool editorOpen = false;
  bool closedByUser = false;
  int editorWidth = 0;
  int editorHeight = 0;
  std::vector<int> forwardedKeyTypes;
  std::string error;
};
