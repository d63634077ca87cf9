#include "data/Clock.h"

int secondOfDay(const QTime &t)
{
    return t.hour() * 3600 + t.minute() * 60 + t.second();
}

int secondOfDaySince(const QTime &t, int startSecond)
{
    const int s = secondOfDay(t);
    return s < startSecond ? s + 86400 : s;
}
