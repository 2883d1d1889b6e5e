#pragma once

// A plug-in's editor as the host's window sees it, whatever the plug-in format: its size,
// opening inside a window of the host's, the host's idle calls, and closing.
class PluginEditor
{
public:
  virtual ~PluginEditor() = default;
  // False when the plug-in names no size: it has no editor.
  virtual bool Size(int& width, int& height) = 0;
  // `parent` is the platform's window handle; false when the editor did not open.
  virtual bool Open(void* parent) = 0;
  virtual void Idle() = 0;
  virtual void Close() = 0;
};
