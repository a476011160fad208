// The yardstick of the start-up benchmark: a bare Qt Widgets program that
// shows one window with one Chinese label. It prints the wall-clock time of
// its window's first paint (nanoseconds since the epoch) and ends there.

#include "firstpaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("摩擦型高强螺栓连接计算"));
    window.setWindowTitle(QStringLiteral("Morvane"));
    window.resize(335, 160);
    bench::reportFirstPaint([&window](QWidget *w) { return w == &window; }, [](QWidget *) { bench::endNow(); });
    window.show();
    return app.exec();
}
