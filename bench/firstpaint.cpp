#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bench {

namespace {

class FirstPaint : public QObject
{
public:
    FirstPaint(std::function<bool(QWidget *)> isWindow, std::function<void(QWidget *)> then)
        : QObject(qApp)
        , isWindow_(std::move(isWindow))
        , then_(std::move(then))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && isWindow_(widget->window())) {
            qApp->removeEventFilter(this);
            QWidget *window = widget->window();
            // The paint ends with the picture flushed to the screen; report
            // once control is back in the event loop.
            QTimer::singleShot(0, this, [this, window] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                const double cpuMs = 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
                std::printf("first-paint %lld %.1f\n",
                            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            cpuMs);
                std::fflush(stdout);
                then_(window);
            });
        }
        return false;
    }

private:
    std::function<bool(QWidget *)> isWindow_;
    std::function<void(QWidget *)> then_;
};

}  // namespace

void reportFirstPaint(std::function<bool(QWidget *)> isWindow, std::function<void(QWidget *)> then)
{
    new FirstPaint(std::move(isWindow), std::move(then));
}

void endNow()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace bench
