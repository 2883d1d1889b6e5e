#include "gui/IGraphics.h"

IGraphics::IGraphics(IPlugBase* p, int w, int h, int f) : plug(p), width(w), height(h), fps(f) {}

IGraphics::~IGraphics() = default;

void IGraphics::UpdateControlsFromPlug(int, double, bool) {}

void IGraphics::PrepDraw() {}
