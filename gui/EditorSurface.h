#pragma once

class IGraphics;
class IPlugBase;

// The editor surface of this platform: the window class that shows the editor in the host's
// window, or the headless surface where there is none yet.
IGraphics* MakeEditorSurface(IPlugBase* plug, int width, int height, int fps);
