#pragma once
// A generated drill run in the line-by-line practice: start settings, the
// drill kind, the first page, then the start dialog.
#include <QString>
#include <functional>

struct AppContext;
class Shell;

struct LineDrill {
    int kind = 0; // Shell::selectDrillKind
    QString title;
    bool titleAfterStart = false; // the title is set once the start dialog closed
    // Builds drillPool (or the edition) and returns the first page.
    std::function<QString(AppContext &)> firstPage;
    QString exerciseKind; // how the progress statistics file its runs (exercise::kWubiPhrases ...)
};

void RunLineDrill(AppContext &ctx, Shell &shell, const LineDrill &drill);
