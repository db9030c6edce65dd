// Centring a window on the screen: half the free room, rounded to the nearest
// pixel with halves going to the even neighbour.
#pragma once

namespace quillet {

constexpr int CentredOffset(int screenExtent, int windowExtent) {
  const int room = screenExtent - windowExtent;
  // Floor division, so negative room (a window larger than the screen) rounds
  // the same way as positive room.
  const int half = room >= 0 ? room / 2 : -((-room + 1) / 2);
  const bool exactHalf = (room % 2) != 0;
  return (exactHalf && half % 2 != 0) ? half + 1 : half;
}

}  // namespace quillet
