#include "club/ClubInput.h"

#include <QList>

namespace {
bool isControl(char32_t c, bool lineBreaksAllowed)
{
    if (lineBreaksAllowed && (c == U'\r' || c == U'\n' || c == U'\t'))
        return false;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFEFF || c == 0x2028 || c == 0x2029;
}

int countControls(const QString &text, bool lineBreaksAllowed)
{
    int count = 0;
    for (char32_t c : text.toUcs4())
        if (isControl(c, lineBreaksAllowed))
            ++count;
    return count;
}

QString checkLine(const QString &text, const QString &what, int maxLength)
{
    if (text.trimmed().isEmpty())
        return QStringLiteral("%1不能为空。").arg(what);
    const qsizetype length = text.toUcs4().size();
    if (length > maxLength)
        return QStringLiteral("%1太长（%2 个字），最多 %3 个字。").arg(what).arg(length).arg(maxLength);
    if (const int controls = countControls(text, false))
        return QStringLiteral("%1中有 %2 个控制字符，请去掉后再试。").arg(what).arg(controls);
    return QString();
}
} // namespace

QString CheckClubTitle(const QString &title)
{
    return checkLine(title, QStringLiteral("标题"), kMaxClubTitle);
}

QString CheckClubName(const QString &name)
{
    return checkLine(name, QStringLiteral("名字"), kMaxClubName);
}

QString CheckClubLogin(const QString &login)
{
    if (login.isEmpty())
        return QStringLiteral("登录名不能为空。");
    // PostgreSQL keeps 63 bytes of a name.
    if (login.toUtf8().size() > 63)
        return QStringLiteral("登录名太长，最多 63 个字节。");
    for (const QChar c : login)
        if (c.isSpace() || countControls(QString(c), false) > 0)
            return QStringLiteral("登录名里不能有空格或控制字符。");
    return QString();
}

QString CheckPassage(const QString &passage)
{
    if (passage.trimmed().isEmpty())
        return QStringLiteral("文章是空的。");
    // Checked on the UTF-16 size first, so a huge text is not converted whole.
    if (passage.size() > 2 * kMaxPassageLength || passage.toUcs4().size() > kMaxPassageLength)
        return QStringLiteral("文章太长，最多 %1 个字。").arg(kMaxPassageLength);
    if (const int controls = countControls(passage, true))
        return QStringLiteral("文章中有 %1 个控制字符，无法输入，请去掉后再发布。").arg(controls);
    return QString();
}
