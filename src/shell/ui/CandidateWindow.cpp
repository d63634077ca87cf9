#include "shell/ui/CandidateWindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
const char kTypedColour[] = "#12385c";
const char kRestColour[] = "#9aabbd";

// How many leading keys of `code` the learner typed (a `z` matched any key).
int typedKeys(const QString &typed, const QString &code)
{
    return int(qMin(typed.size(), code.size()));
}
} // namespace

QString CandidatePageText(const QString &typed, const QVector<CodeEntry> &candidates, int page, bool morePages)
{
    QString html = QStringLiteral("<div style='color:%1; font-weight:bold;'>%2</div>")
                       .arg(QLatin1String(kTypedColour), typed.toHtmlEscaped());
    if (candidates.isEmpty())
        html += QStringLiteral("<div style='color:%1;'>（无此编码）</div>").arg(QLatin1String(kRestColour));
    for (int i = 0; i < candidates.size(); ++i) {
        const CodeEntry &c = candidates[i];
        const int dark = typedKeys(typed, c.code);
        html += QStringLiteral("<div>%1. %2&nbsp;&nbsp;<span style='color:%3;'>%4</span>"
                               "<span style='color:%5;'>%6</span></div>")
                    .arg((i + 1) % 10)
                    .arg(c.word.toHtmlEscaped(), QLatin1String(kTypedColour), c.code.left(dark).toHtmlEscaped(),
                         QLatin1String(kRestColour), c.code.mid(dark).toHtmlEscaped());
    }
    if (page > 0 || morePages) {
        html += QStringLiteral("<div style='color:%1;'>第%2页%3</div>")
                    .arg(QLatin1String(kRestColour))
                    .arg(page + 1)
                    .arg(morePages ? QStringLiteral("  = 下一页") : QString());
    }
    return html;
}

CandidateWindow::CandidateWindow() : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("composerCandidates"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::RichText);
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(12);
    setFont(font);
    setMargin(6);
    setStyleSheet(QStringLiteral("QLabel { background: #fbfdff; border: 1px solid #5b8dbf; color: #12385c; }"));
}

void CandidateWindow::showPage(const QString &typed, const QVector<CodeEntry> &candidates, int page, bool morePages,
                               const QPoint &globalPos)
{
    if (typed.isEmpty()) {
        hide();
        return;
    }
    setText(CandidatePageText(typed, candidates, page, morePages));
    adjustSize();
    QPoint pos = globalPos;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        pos.setX(qBound(area.left(), pos.x(), qMax(area.left(), area.right() - width())));
        if (pos.y() + height() > area.bottom())
            pos.setY(qMax(area.top(), pos.y() - height() - 40)); // above the line instead
    }
    move(pos);
    show();
}
