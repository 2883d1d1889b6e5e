#pragma once

// Tells a double-click from two single clicks where the window system reports only presses:
// a second press of the same button within the interval and inside a small square around the
// first is a double-click. A press of another button, or a third press, starts afresh.
class DoubleClickDetector
{
public:
  // The Linux desktops' usual settings.
  static constexpr unsigned long kIntervalMs = 400;
  static constexpr int kDistance = 5;

  // Records a press at event time `timeMs` (the server's millisecond clock, which wraps);
  // true when it completes a double-click.
  bool Press(int button, int x, int y, unsigned long timeMs);
  // Forgets the last press (a new window starts without one).
  void Reset() { pending = false; }

private:
  bool pending = false;
  int button = 0;
  int x = 0;
  int y = 0;
  unsigned long time = 0;
};
