#pragma once

#include "gui/IControl.h"

// A distortion curve: the effect's points joined by lines across the rectangle, each point
// clipped to -1..1 around the middle line. The coloured one fades from grey at its ends to
// white in the middle.
class IKwCurve : public IControl
{
public:
  IKwCurve(IPlugBase* plug, const EditorRect& rect, bool coloured, const double* points, int count);

  bool Paint(IGraphics* g) override;

private:
  EditorColour SegmentColour(int i) const;

  bool coloured;
  double xScale;         // drawing width
  double yScale;         // half the drawing height, whole pixels
  double yOffset;        // the same half height
  const double* points;  // owned by the effect
  int count;
};
