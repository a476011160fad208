// Linked with the program's own main() (app/main.cpp), this probe watches the
// program start as a user starts it: it prints the moment the main window is
// first on screen ("first-paint NANOSECONDS", wall clock since the epoch),
// then opens the five calculators by the main window's buttons, waits until
// each has painted, and ends the process at once, so that the peak memory of
// the run is that of the program with all five calculators open.
// With MORVANE_PROBE_FIRST_PAINT_ONLY=1 in the environment it ends at the
// first paint of the main window, for profiling the start alone.

#include "firstpaint.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QSet>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Ends the process once every calculator window has painted.
class AllPainted : public QObject
{
public:
    AllPainted(QWidget *mainWindow, int count)
        : QObject(qApp)
        , mainWindow_(mainWindow)
        , count_(count)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() != mainWindow_) {
            painted_.insert(widget->window());
            if (painted_.size() == count_)
                QTimer::singleShot(0, [] { bench::endNow(); });
        }
        return false;
    }

private:
    QWidget *mainWindow_;
    int count_;
    QSet<QWidget *> painted_;
};

void openEveryCalculator(QWidget *mainWindow)
{
    if (qEnvironmentVariableIntValue("MORVANE_PROBE_FIRST_PAINT_ONLY"))
        bench::endNow();
    const char *buttons[] = {"Command1", "Command2", "Command3", "Command5", "Command6"};
    new AllPainted(mainWindow, int(std::size(buttons)));
    for (const char *name : buttons) {
        auto *button = mainWindow->findChild<QAbstractButton *>(name);
        if (!button) {
            std::fprintf(stderr, "the main window has no button %s\n", name);
            std::_Exit(EXIT_FAILURE);
        }
        button->click();
    }
    QTimer::singleShot(20000, [] {
        std::fprintf(stderr, "the calculators did not all paint\n");
        std::_Exit(EXIT_FAILURE);
    });
}

// Runs as the program's QApplication is made, before main() goes on.
void watchTheStart()
{
    bench::reportFirstPaint([](QWidget *w) { return w->objectName() == QLatin1String("Form1"); }, openEveryCalculator);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchTheStart)
