#pragma once

// A rectangle of editor pixels; right and bottom are exclusive. All four values 0 is "empty".
struct EditorRect
{
  int L = 0, T = 0, R = 0, B = 0;

  EditorRect() = default;
  EditorRect(int l, int t, int r, int b) : L(l), T(t), R(r), B(b) {}

  bool Empty() const { return L == 0 && T == 0 && R == 0 && B == 0; }
  int W() const { return R - L; }
  int H() const { return B - T; }
  bool Contains(int x, int y) const { return L <= x && x < R && T <= y && y < B; }

  // An empty operand yields the other.
  EditorRect Union(const EditorRect& o) const;
  // Empty when either is empty or they do not overlap.
  EditorRect Intersect(const EditorRect& o) const;
  // Rectangles that touch along their right or bottom edge count as overlapping, so a repaint
  // of one also visits the neighbour (it clips its drawing to the repaint area anyway).
  bool Overlaps(const EditorRect& o) const;

  bool operator==(const EditorRect& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const EditorRect& o) const { return !(*this == o); }
};
