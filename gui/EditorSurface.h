#pragma once

class IGraphics;
class IPlugBase;

// The editor surface of this platform: the window class that shows the editor in the host's
// window (it draws without a window until a host opens one).
IGraphics* MakeEditorSurface(IPlugBase* plug, int width, int height, int fps);
