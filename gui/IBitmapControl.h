#pragma once

#include "gui/IControl.h"

// A filmstrip bitmap showing the frame for its value.
class IBitmapControl : public IControl
{
public:
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& bitmap,
                 int blendMethod = BlendMode::kNone);

  bool Paint(IGraphics* g) override;
  const SkinBitmap* DrawnBitmap() const override { return &bitmap; }

  const SkinBitmap& GetBitmap() const { return bitmap; }

protected:
  SkinBitmap bitmap;
};
