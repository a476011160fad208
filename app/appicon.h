#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace morvane {

// The program icon: a hammer laid diagonally on a grey square tile, drawn in
// the 16 colours of the classic palette. At 16 x 16 and 32 x 32 pixels it is
// the window's bitmap, drawn without smoothing; larger sizes (the launcher's
// 48 to 256 pixels) draw the same shapes smoothed.
QIcon programIcon();
QPixmap programIconPixmap(int size);
QImage programIconImage(int size);

// The same artwork as a scalable SVG document.
QString programIconSvg();

}  // namespace morvane
