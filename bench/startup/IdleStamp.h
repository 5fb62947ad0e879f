#pragma once

#include <QEvent>
#include <QObject>

#include <cstdio>
#include <ctime>

// Wall clock stamps for bench/startup.py: the end of each start-up step, and the first
// idle moment, which tells the start-up from the whole run (its teardown too).
inline void printStamp(const char *kind, const char *what = "")
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%s %lld %s\n", kind, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, what);
    std::fflush(stdout);
}

inline void printStepStamp(const char *step)
{
    printStamp("step", step);
}

inline void printIdleStamp()
{
    printStamp("idle");
}

// Stamps the first paint event of any widget: installed on the application.
class FirstPaintStamp : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            printStepStamp("expose");
        }
        return false;
    }

private:
    bool m_painted = false;
};
