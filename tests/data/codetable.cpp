// Code-table lookups: first entry wins, whole-word matching, the prefix test,
// and the index agreeing with the plain scan on any table.
#include "data/CodeTable.h"
#include "support/TableScan.h"
#include "data/Random.h"
#include "practice/PracticeState.h"

#include <QTest>

namespace {
const QString kTable = QStringLiteral("#工%a#式%aa#中国%khlg#中%k#中华人民%kwwn#中%khk#人%w#工%aaaa#");

QString randomText(RandomSource &random, const QString &alphabet, int maxLength)
{
    QString s;
    const int length = random.uniform(0, maxLength);
    for (int i = 0; i < length; ++i)
        s += alphabet[random.uniform(0, int(alphabet.size()) - 1)];
    return s;
}

// Tables built from entries, sometimes damaged: markers inside words and
// codes, missing closing "#", stray text before the first entry.
QString randomTable(RandomSource &random, const QString &alphabet)
{
    QString table;
    if (random.uniform(0, 4) == 0)
        table += randomText(random, alphabet, 3);
    const int entries = random.uniform(0, 12);
    for (int i = 0; i < entries; ++i)
        table += QLatin1Char('#') + randomText(random, alphabet, 3) + QLatin1Char('%') + randomText(random, alphabet, 3);
    if (random.uniform(0, 2) != 0)
        table += QLatin1Char('#');
    return table;
}

QStringList queriesFor(RandomSource &random, const QString &table, const QString &alphabet)
{
    QStringList queries{QString(), QStringLiteral("#"), QStringLiteral("%"), QStringLiteral("#%")};
    for (int i = 0; i < 30; ++i)
        queries << randomText(random, alphabet, 4);
    // Pieces of the table itself hit entries, across entry boundaries too.
    for (int i = 0; i < 30 && !table.isEmpty(); ++i) {
        const int from = random.uniform(0, int(table.size()) - 1);
        queries << table.mid(from, random.uniform(0, 6));
    }
    return queries;
}
} // namespace

class CodeTableTest : public QObject {
    Q_OBJECT
private slots:
    void firstEntryOfAWordWins()
    {
        const CodeTable table(kTable);
        QCOMPARE(table.codeOf(u"工"), std::optional<QString>(QStringLiteral("a")));
        QCOMPARE(table.codeOf(u"中"), std::optional<QString>(QStringLiteral("k")));
        QCOMPARE(table.codeOf(u"中国"), std::optional<QString>(QStringLiteral("khlg")));
        QCOMPARE(table.codeOf(u"人"), std::optional<QString>(QStringLiteral("w")));
    }

    void aPhraseDoesNotAnswerForItsFirstCharacter()
    {
        const CodeTable table(QStringLiteral("#中华人民%kwwn#中华%kw#"));
        QCOMPARE(table.codeOf(u"中"), std::nullopt);
        QCOMPARE(table.codeOf(u"中华"), std::optional<QString>(QStringLiteral("kw")));
        QCOMPARE(table.codeOf(u"华人"), std::nullopt);
    }

    void prefixTestSeesWordStartsOnly()
    {
        const CodeTable table(kTable);
        QVERIFY(table.isEntryPrefix(u"中华"));
        QCOMPARE(table.codeOf(u"中华"), std::nullopt); // a prefix, not an entry
        QVERIFY(table.isEntryPrefix(u"中华人民"));
        QVERIFY(table.isEntryPrefix(u"工"));
        QVERIFY(!table.isEntryPrefix(u"华人"));
        QVERIFY(!table.isEntryPrefix(u"中华人民共和国"));
        // As in the plain scan, the separator and code can follow the word.
        QVERIFY(table.isEntryPrefix(u"工%aa"));
        QVERIFY(table.isEntryPrefix(u""));
    }

    void lastEntryWithoutClosingMarkStillAnswers()
    {
        const CodeTable table(QStringLiteral("#工%a#人%w"));
        QCOMPARE(table.codeOf(u"人"), std::optional<QString>(QStringLiteral("w")));
        QCOMPARE(table.codeOf(u"工"), std::optional<QString>(QStringLiteral("a")));
    }

    void emptyTableAnswersNothing()
    {
        const CodeTable empty;
        QVERIFY(empty.isEmpty());
        QCOMPARE(empty.codeOf(u"工"), std::nullopt);
        QVERIFY(!empty.isEntryPrefix(u"工"));
        QVERIFY(!empty.isEntryPrefix(u""));
        const CodeTable blank{QString()};
        QCOMPARE(blank.codeOf(u""), std::nullopt);
        QVERIFY(!blank.isEntryPrefix(u""));
    }

    void lookUpCodeSetsTheResultOnlyOnSuccess()
    {
        PracticeState state;
        state.tables.t86 = CodeTable(QStringLiteral("#我%q#我%trnt#"));
        state.tables.t98 = CodeTable(QStringLiteral("#我%trny#"));
        QVERIFY(LookUpCode(state, u"我", true));
        QCOMPARE(state.lookupCode, QStringLiteral("q"));
        QVERIFY(LookUpCode(state, u"我", false));
        QCOMPARE(state.lookupCode, QStringLiteral("trny"));
        QVERIFY(!LookUpCode(state, u"你", true));
        QCOMPARE(state.lookupCode, QStringLiteral("trny"));
        QVERIFY(IsEntryPrefix(state, u"我", true));
        QVERIFY(!IsEntryPrefix(state, u"你", false));
    }

    void copiesShareAWorkingIndex()
    {
        CodeTable copy;
        {
            const CodeTable original(kTable);
            copy = original;
        }
        QCOMPARE(copy.codeOf(u"式"), std::optional<QString>(QStringLiteral("aa")));
        QVERIFY(copy.isEntryPrefix(u"中华"));
    }

    void indexAgreesWithTheLinearScan()
    {
        SeededRandom random(20261208);
        // The last alphabet holds the lowest and highest code units.
        const QStringList alphabets{QStringLiteral("ab#%"), QStringLiteral("a工#%"), QStringLiteral("ab"),
                                    QStringLiteral("ab%"), QString::fromUtf16(u"a\0#%\uffff", 5)};
        int checked = 0;
        for (int round = 0; round < 1500; ++round) {
            const QString &alphabet = alphabets[round % alphabets.size()];
            const CodeTable table(randomTable(random, alphabet));
            for (const QString &q : queriesFor(random, table.text(), alphabet)) {
                if (table.codeOf(q) != ScanCodeOf(table, q))
                    QFAIL(qPrintable(QStringLiteral("codeOf(\"%1\") in \"%2\"").arg(q, table.text())));
                if (table.isEntryPrefix(q) != ScanEntryPrefix(table, q))
                    QFAIL(qPrintable(QStringLiteral("isEntryPrefix(\"%1\") in \"%2\"").arg(q, table.text())));
                ++checked;
            }
        }
        QVERIFY(checked > 50000);
    }

    void indexHandlesCharactersOutsideTheBasicPlane()
    {
        // 𠀀 is a surrogate pair: prefixes must compare by code units.
        const CodeTable table(QStringLiteral("#𠀀%aaaa#𠀀𠀁%bbbb#"));
        QCOMPARE(table.codeOf(u"𠀀"), std::optional<QString>(QStringLiteral("aaaa")));
        QVERIFY(table.isEntryPrefix(u"𠀀𠀁"));
        QVERIFY(table.isEntryPrefix(QStringView(u"𠀀").first(1)));
        QCOMPARE(table.isEntryPrefix(u"𠀁"), ScanEntryPrefix(table, u"𠀁"));
    }
};

QTEST_GUILESS_MAIN(CodeTableTest)
#include "codetable.moc"
