#pragma once
// The composer's candidate window: a small frame under the caret listing the
// numbered candidates of the page, each with its code; the keys typed so far
// dark, the rest of the code lighter. It never takes the focus.
#include "wubi/WubiCodeIndex.h"

#include <QLabel>

class CandidateWindow : public QLabel {
    Q_OBJECT
public:
    CandidateWindow();

    // Shows the page for `typed` with its top left at `globalPos` (kept on
    // the screen); hides when there is nothing to show.
    void showPage(const QString &typed, const QVector<CodeEntry> &candidates, int page, bool morePages,
                  const QPoint &globalPos);
};

// The rich text of one page (the window's text), one candidate a line.
QString CandidatePageText(const QString &typed, const QVector<CodeEntry> &candidates, int page, bool morePages);
