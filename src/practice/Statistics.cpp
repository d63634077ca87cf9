#include "practice/Statistics.h"

#include "data/Clock.h"
#include "practice/TextUnits.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

QString FormatTwoDecimals(double value)
{
    const bool negative = value < 0;
    QString digits = QString::number(std::fabs(value), 'f', 2);
    if (digits.indexOf(QLatin1Char('.')) < 2)
        digits.prepend(QLatin1Char('0'));
    if (negative && digits != QLatin1String("00.00"))
        digits.prepend(QLatin1Char('-'));
    return digits;
}

QString AccuracyText(int total, int errors)
{
    if (total == 0)
        return QString();
    const double rate = double(total - errors) / double(total) * 100.0;
    return FormatTwoDecimals(rate) + QLatin1Char('%');
}

QString SpeedText(int typedCount, int elapsedSeconds)
{
    static const QString unit = QStringLiteral(" 字/分");
    if (elapsedSeconds < 1 || typedCount < 1)
        return QStringLiteral("   0") + unit;
    const qint64 speed = qint64(typedCount) * 60 / elapsedSeconds;
    QString number = QString::number(speed);
    if (speed >= 1 && speed <= 999)
        number = number.rightJustified(4, QLatin1Char(' '));
    return number + unit;
}

QString ElapsedTimeText(int elapsedSeconds)
{
    auto twoDigits = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    const int hours = elapsedSeconds / 3600;
    const int minutes = (elapsedSeconds % 3600) / 60;
    const int seconds = elapsedSeconds % 60;
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') + twoDigits(seconds);
}

namespace {
int CountWithoutLineEnds(QStringView tail)
{
    return CharacterCount(tail) - int(tail.count(u'\r')) - int(tail.count(u'\n'));
}
} // namespace

int TypedCountChange(const QString &snapshot, const QString &typed)
{
    if (typed.size() < snapshot.size())
        return -CountWithoutLineEnds(QStringView(snapshot).right(snapshot.size() - typed.size()));
    return CountWithoutLineEnds(QStringView(typed).right(typed.size() - snapshot.size()));
}

QString ReportTitle(bool chineseText, bool freeInput)
{
    if (freeInput)
        return QStringLiteral("统计资料——打字类型：自由录入");
    return chineseText ? QStringLiteral("统计资料——打字类型：中文打字")
                       : QStringLiteral("统计资料——打字类型：英文打字");
}

std::array<QString, 6> ReportCaptions(bool chineseText)
{
    return {QStringLiteral("打字速度"),
            chineseText ? QStringLiteral("文字字数") : QStringLiteral("字母数"),
            QStringLiteral("标点数"),
            QStringLiteral("总字数(包括空格)"),
            QStringLiteral("正确率"),
            QStringLiteral("所用时间")};
}

std::array<QString, 6> ReportValues(const TypedCounts &counts, int errorCount,
                                    const QString &speedCaption, const QString &timeCaption)
{
    return {speedCaption.trimmed(),
            QString::number(counts.characterCount),
            QString::number(counts.punctuationCount),
            QString::number(counts.totalCount),
            AccuracyText(counts.totalCount, errorCount),
            timeCaption};
}

StartNumber ReadStartNumber(const QString &text)
{
    static const QRegularExpression numeric(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {StartNumberCheck::Empty, 0};
    if (!numeric.match(trimmed).hasMatch())
        return {StartNumberCheck::NotNumeric, 0};
    const double v = trimmed.toDouble();
    if (!(v >= 1 && v <= kMaxStartNumber))
        return {StartNumberCheck::OutOfRange, 0};
    // Round half to even, as the dialog's number reading does.
    return {StartNumberCheck::Accepted, int(std::nearbyint(v))};
}
