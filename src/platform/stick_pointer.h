// A pad's left stick as the menu pointer, the same for every platform: a small dead zone, then a
// speed that grows with the square of the push (fine aim near the centre, the whole screen in
// about a second at full tilt), with the motion below a pixel carried on so slow pushes still
// move the pointer.
#pragma once

#include <algorithm>
#include <cmath>

class StickPointer {
 public:
  static constexpr float DeadZone = 0.2f;   // of the stick's full reach
  static constexpr float TopSpeed = 14.0f;  // pixels a frame at full tilt

  // Adds one stick (each axis -1..1) to this frame's pointer motion.
  void AddStick(float x, float y) {
    const float reach = std::min(1.0f, std::sqrt(x * x + y * y));
    if (reach <= DeadZone) return;
    const float t = (reach - DeadZone) / (1.0f - DeadZone);
    const float speed = TopSpeed * t * t;
    Vx += x / std::sqrt(x * x + y * y) * speed;
    Vy += y / std::sqrt(x * x + y * y) * speed;
  }

  // This frame's motion in whole pixels; starts the next frame afresh.
  void Take(int& dx, int& dy) {
    if (Vx == 0 && Vy == 0) {
      RemainderX = RemainderY = 0;  // at rest nothing is carried, so the pointer never creeps later
      dx = dy = 0;
      return;
    }
    const float mx = Vx + RemainderX, my = Vy + RemainderY;
    dx = int(std::trunc(mx));
    dy = int(std::trunc(my));
    RemainderX = mx - float(dx);
    RemainderY = my - float(dy);
    Vx = Vy = 0;
  }

 private:
  float Vx = 0, Vy = 0;
  float RemainderX = 0, RemainderY = 0;
};
