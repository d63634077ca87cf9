// The shipped code tables against the verified facts, and loading damaged
// table files.
#include "data/CodeTable.h"
#include "data/Gbk.h"
#include "data/Scramble.h"
#include "practice/PracticeState.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTest>

namespace {
struct Row {
    QString word;
    QString code;
    QString kind;
};

QList<Row> readRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Row> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        rows.append({f.value(0), f.value(1), f.value(2)});
    }
    return rows;
}

void writeTableFile(const QString &dataRoot, const QString &name, const QByteArray &plain)
{
    QDir().mkpath(dataRoot + "/data");
    QFile file(dataRoot + "/data/" + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(UnscrambleBytes(plain));
}

QByteArray gbk(const char *utf8)
{
    return EncodeGbk(QString::fromUtf8(utf8));
}
} // namespace

class TablesTest : public QObject {
    Q_OBJECT
private slots:
    void shippedTablesMatchTheFacts_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::newRow("86") << QStringLiteral("86");
        QTest::newRow("98") << QStringLiteral("98");
    }

    void shippedTablesMatchTheFacts()
    {
        QFETCH(QString, edition);
        const bool is86 = edition == QLatin1String("86");
        PracticeState state;
        const QStringList messages = LoadCodeTables(TestEnv::dataRoot(), is86, !is86, state.tables);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        const CodeTable &table = state.tables.edition(is86);
        QVERIFY(table.text().startsWith(QLatin1Char('#')));
        QVERIFY(table.text().endsWith(QLatin1Char('#')));
        QVERIFY(!table.text().contains(QLatin1Char('\r')) && !table.text().contains(QLatin1Char('\n')));

        const QString wubi = TestEnv::sourceDir() + "/assets/wubi/";
        const QList<Row> source = readRows(wubi + "wubi" + edition + ".tsv");
        QHash<QString, QString> firstCode;
        QHash<QString, int> shortest;
        for (const Row &r : source) {
            if (!firstCode.contains(r.word))
                firstCode.insert(r.word, r.code);
            shortest[r.word] = std::min(shortest.value(r.word, 99), int(r.code.size()));
        }
        QVERIFY(source.size() > 80000);

        const QList<Row> facts = readRows(wubi + "facts" + edition + ".tsv");
        QCOMPARE(facts.size(), is86 ? 941 : 938);
        for (const Row &fact : facts) {
            const QString entry = "#" + fact.word + "%" + fact.code + "#";
            QVERIFY2(table.text().contains(entry), qPrintable(entry));
            QVERIFY(LookUpCode(state, fact.word, is86));
            QCOMPARE(state.lookupCode, firstCode.value(fact.word));
            QCOMPARE(int(state.lookupCode.size()), shortest.value(fact.word));
            QVERIFY(state.lookupCode.size() <= fact.code.size());
            if (fact.kind == QLatin1String("1"))
                QCOMPARE(state.lookupCode, fact.code);
        }
    }

    void spotValuesOfBothEditions()
    {
        PracticeState state;
        QVERIFY(LoadCodeTables(TestEnv::dataRoot(), true, true, state.tables).isEmpty());
        auto code = [&](const QString &w, bool e86) { return LookUpCode(state, w, e86) ? state.lookupCode : QString(); };
        QCOMPARE(code("工", true), QStringLiteral("a"));
        QCOMPARE(code("我", true), QStringLiteral("q"));
        QCOMPARE(code("我", false), QStringLiteral("q"));
        QCOMPARE(code("式", true), QStringLiteral("aa"));
        QCOMPARE(code("式", false), QStringLiteral("aa"));
        QVERIFY(state.tables.t86.text().contains("#我%trnt#"));
        QVERIFY(state.tables.t98.text().contains("#我%trny#"));
        QVERIFY(state.tables.t86.text().startsWith("#工%a#了%b#以%c#"));
        // A phrase entry: its first two characters are a prefix of it.
        QVERIFY(!code("中华人民共和国", true).isEmpty());
        QVERIFY(IsEntryPrefix(state, u"中华", true));
        QVERIFY(!IsEntryPrefix(state, u"abc", true));
    }

    // Start-up loads both editions in one call over whatever the tables held;
    // the command line loads one and leaves the other alone.
    void startUpLoadsBothEditionsInOneCall()
    {
        const auto code = [](const CodeTable &table, QStringView word) { return table.codeOf(word).value_or("-"); };
        CodeTables both;
        both.t86 = CodeTable(QStringLiteral("#旧%old#"));
        QVERIFY(LoadCodeTables(TestEnv::dataRoot(), true, true, both).isEmpty());
        QCOMPARE(code(both.t86, u"年") + code(both.t86, u"特"), QStringLiteral("rhtrf"));
        QCOMPARE(code(both.t98, u"年") + code(both.t98, u"特"), QStringLiteral("tgcffy"));
        QVERIFY(code(both.t86, u"旧") != QStringLiteral("old"));

        CodeTables only98;
        only98.t86 = CodeTable(QStringLiteral("#旧%old#"));
        QVERIFY(LoadCodeTables(TestEnv::dataRoot(), false, true, only98).isEmpty());
        QCOMPARE(code(only98.t86, u"旧"), QStringLiteral("old"));
        for (QStringView word : {u"鸟", u"我们", u"中华人民共和国"})
            QCOMPARE(code(only98.t98, word), code(both.t98, word));
    }

    void damagedTableFilesGiveEmptyTablesAndMessages()
    {
        TestEnv env;
        const QString root = env.path();
        CodeTables tables;
        tables.t98 = CodeTable(QStringLiteral("#旧%old#"));

        // Missing.
        QStringList messages = LoadCodeTables(root, true, false, tables);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("zb86.dz"));
        QVERIFY(tables.t86.isEmpty());
        QCOMPARE(tables.t98.codeOf(u"旧"), std::optional<QString>(QStringLiteral("old"))); // not asked for

        // Empty.
        writeTableFile(root, "zb86.dz", QByteArray());
        QCOMPARE(LoadCodeTables(root, true, false, tables).size(), 1);
        QVERIFY(tables.t86.isEmpty());

        // Cut off in the middle of a character (工 = B9 A4).
        writeTableFile(root, "zb86.dz", gbk("#了%b\r\n#") + QByteArray("\xb9", 1));
        messages = LoadCodeTables(root, true, false, tables);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("GBK"));
        QVERIFY(tables.t86.isEmpty());

        // Bytes that are no GBK characters.
        writeTableFile(root, "zb86.dz", gbk("#了%b\r\n#") + QByteArray("\x81\x30\x81\x30", 4) + gbk("%a#"));
        QCOMPARE(LoadCodeTables(root, true, false, tables).size(), 1);
        QVERIFY(tables.t86.isEmpty());

        // Cut off between two characters: decodes, but the closing "#" is gone.
        writeTableFile(root, "zb86.dz", gbk("#工%a\r\n#了%b\r\n#式%a"));
        messages = LoadCodeTables(root, true, false, tables);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("zb86.dz"));
        QVERIFY(tables.t86.isEmpty());

        // Only the closing "#" missing, the last line whole: loaded, and the
        // "#" supplied, so the last entry is found like any other.
        writeTableFile(root, "zb86.dz", gbk("#工%a\r\n#了%b\r\n#式%aa\r\n"));
        QVERIFY(LoadCodeTables(root, true, false, tables).isEmpty());
        QCOMPARE(tables.t86.text(), QStringLiteral("#工%a#了%b#式%aa#"));
        QCOMPARE(tables.t86.codeOf(u"式"), std::optional<QString>(QStringLiteral("aa")));

        // Real GBK codes that decode to private-use characters (FE50..FEA0,
        // A6D9..A6DF) are no damage.
        writeTableFile(root, "zb86.dz", gbk("#工%a\r\n#") + QByteArray("\xFE\x50\xA6\xD9", 4) + gbk("%ab\r\n#"));
        QVERIFY(LoadCodeTables(root, true, false, tables).isEmpty());
        QCOMPARE(tables.t86.codeOf(u"工"), std::optional<QString>(QStringLiteral("a")));
        QCOMPARE(tables.t86.codeOf(DecodeGbk(QByteArray("\xFE\x50\xA6\xD9", 4))),
                 std::optional<QString>(QStringLiteral("ab")));

        // Decodable, but not a table (for instance a file stored unscrambled).
        writeTableFile(root, "zb86.dz", gbk("这不是编码表"));
        QCOMPARE(LoadCodeTables(root, true, false, tables).size(), 1);
        QVERIFY(tables.t86.isEmpty());

        // Both sound: line breaks anywhere between entries are dropped.
        writeTableFile(root, "zb86.dz", gbk("#工%a\r\n#了%b#式%aa\r\n\r\n#"));
        writeTableFile(root, "zb98.dz", gbk("#工%a#"));
        QVERIFY(LoadCodeTables(root, true, true, tables).isEmpty());
        QCOMPARE(tables.t86.text(), QStringLiteral("#工%a#了%b#式%aa#"));
        QCOMPARE(tables.t86.codeOf(u"式"), std::optional<QString>(QStringLiteral("aa")));
        QCOMPARE(tables.t98.codeOf(u"旧"), std::nullopt);
    }

    void decodingDropsLineBreaksAndFlagsBadBytes()
    {
        bool ok = false;
        QCOMPARE(DecodeTableText(gbk("#工%a\r\n#人%w\r\n#"), &ok), QStringLiteral("#工%a#人%w#"));
        QVERIFY(ok);
        DecodeTableText(QByteArray("#\xff\xfe%a#", 6), &ok);
        QVERIFY(!ok);
        const QString cut = DecodeTableText(QByteArray("#\xb9", 2), &ok);
        QVERIFY(!ok);
        QCOMPARE(cut, QStringLiteral("#\uFFFD"));
    }
};

QTEST_GUILESS_MAIN(TablesTest)
#include "tables.moc"
