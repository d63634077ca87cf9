#include "shell/ui/WindowSystem.h"

#include <QGuiApplication>

bool WindowSystemPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
