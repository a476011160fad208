#pragma once

#include <QIcon>

namespace morvane {

// The program icon: a hammer laid diagonally on a grey square tile, drawn in
// the 16 colours of the classic palette at 16 x 16 and 32 x 32 pixels.
QIcon programIcon();
QPixmap programIconPixmap(int size);

}  // namespace morvane
