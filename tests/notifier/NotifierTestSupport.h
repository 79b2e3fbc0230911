#pragma once

#include <QImage>
#include <QRegion>
#include <optional>
#include <string>

namespace tipin::test {

// A notifier bitmap: a vertical gradient (every row differs) with the four corners cut off
// in magenta (255, 0, 255), as the skins paint their rounded popups.
QImage NotifierBitmap(int width, int height, int cornerRadius = 6);

// The outline as the original built it: the whole rectangle, then every key pixel XOR-ed
// out one 1x1 rectangle at a time (quadratic; small images only).
std::optional<QRegion> ReferenceOutline(const QImage& bitmap, int red, int green, int blue);

} // namespace tipin::test
