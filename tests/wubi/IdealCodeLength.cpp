// 理想码长 over the real code tables: the cheapest split of a text into
// words of the edition's table, checked against a count by hand.
#include "support/TestEnv.h"
#include "wubi/IdealCodeLength.h"

#include <QTest>

class IdealCodeLengthTest : public QObject {
    Q_OBJECT
private slots:
    void fewestKeysSplitTheTextIntoTheCheapestWords();
};

void IdealCodeLengthTest::fewestKeysSplitTheTextIntoTheCheapestWords()
{
    CodeTables tables;
    QVERIFY(LoadCodeTables(TestEnv::dataRoot(), true, true, tables).isEmpty());
    const QString text = QStringLiteral("我们是中国人，\r\n经济发展。");

    // Wubi 86: 我们 trwu (4, beats q␣ wu␣ = 5), 是 j␣ (2), 中国 khlg (4) and
    // 人 w␣ (2) (no 中国人 in 86), ， (1), 经济 xciy (4, beats x␣ iyj␣ = 6),
    // 发展 ntna (4, beats v␣ nae␣ = 6), 。 (1); the line break costs
    // nothing: 22 keys for 12 characters.
    const IdealCodeLength ideal86(tables.t86);
    QCOMPARE(ideal86.keys(text), 22);
    QCOMPARE(ideal86.keysPerCharacter(text), 22.0 / 12.0);

    // Wubi 98 has the phrase 中国人 klww: 4 keys where 86 needs 6.
    const IdealCodeLength ideal98(tables.t98);
    QCOMPARE(ideal98.keys(text), 20);

    // A code shorter than four keys needs the space; a fourth key does not,
    // unless its word is not the first candidate: 98's 你 wqiy is the second
    // of its code, so wq␣ (3) is its cheapest; 有 alone is e␣ (2).
    QCOMPARE(ideal98.keys(QStringLiteral("你")), 3);
    QCOMPARE(ideal98.keys(QStringLiteral("有")), 2);
    // Nothing costs nothing; what no table word covers costs a key each.
    QCOMPARE(ideal98.keys(QString()), 0);
    QCOMPARE(ideal98.keys(QStringLiteral("ab 1")), 4);

    // A text worked out as it grows, and corrected on the way, gives what the
    // whole text gives: 中国 then 人 join into 中国人 in 98.
    IdealCodeLength::Memo memo;
    QCOMPARE(ideal98.keys(QStringLiteral("我们是中国"), memo), 4 + 2 + 4);
    QCOMPARE(ideal98.keys(QStringLiteral("我们是中国人，"), memo), 4 + 2 + 4 + 1);
    QCOMPARE(ideal98.keys(QStringLiteral("我们是中"), memo), 4 + 2 + 2);
    QCOMPARE(ideal98.keys(text, memo), 20);
}

QTEST_MAIN(IdealCodeLengthTest)
#include "IdealCodeLength.moc"
