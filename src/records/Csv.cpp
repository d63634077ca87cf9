#include "records/Csv.h"

namespace {

QString CsvField(const QString &field)
{
    const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
                        || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))
                        || field != field.trimmed();
    if (!quoted)
        return field;
    QString escaped = field;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

QByteArray CsvDocument(const QVector<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString &field : row)
            fields.append(CsvField(field));
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QVector<QStringList> RunSummaryRows(const QVector<RunSummary> &runs)
{
    QVector<QStringList> rows;
    rows.append({QStringLiteral("学习者"), QStringLiteral("练习类型"), QStringLiteral("开始时间"),
                 QStringLiteral("用时（秒）"), QStringLiteral("字数"), QStringLiteral("错误数"),
                 QStringLiteral("速度（字/分）"), QStringLiteral("输入法"), QStringLiteral("击键"),
                 QStringLiteral("码长"), QStringLiteral("理想码长"), QStringLiteral("打词率"), QStringLiteral("选重"),
                 QStringLiteral("回改")});
    for (const RunSummary &r : runs) {
        const TypingFigureTexts t = TextsOf(r.typing, r.durationMs, r.characters);
        rows.append({r.learner, exercise::Caption(r.kind), r.start.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                     QString::number(r.durationMs / 1000.0, 'f', 1), QString::number(r.characters),
                     QString::number(r.errors), QString::number(r.speed(), 'f', 1),
                     input_method::Caption(r.typing.method), t.keysPerSecond, t.keysPerCharacter,
                     t.idealKeysPerCharacter, t.phraseShare, t.candidatePicks, t.corrections});
    }
    return rows;
}
