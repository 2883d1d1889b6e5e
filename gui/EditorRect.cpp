#include "gui/EditorRect.h"

#include <algorithm>

EditorRect EditorRect::Union(const EditorRect& o) const
{
  if (Empty()) return o;
  if (o.Empty()) return *this;
  return {std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B)};
}

EditorRect EditorRect::Intersect(const EditorRect& o) const
{
  if (!Overlaps(o)) return {};
  return {std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B)};
}

bool EditorRect::Overlaps(const EditorRect& o) const
{
  if (Empty() || o.Empty()) return false;
  return R >= o.L && L < o.R && B >= o.T && T < o.B;
}
