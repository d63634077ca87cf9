// What the hint keys find: the highlighted character, the longest phrase that
// starts there, and their codes.
#include "support/TestEnv.h"
#include "wubi/HintLookup.h"

#include <QTest>

namespace {
PracticeState stateWithRealTables()
{
    PracticeState state;
    const QStringList errors = LoadCodeTables(TestEnv::dataRoot(), true, true, state.tables);
    if (!errors.isEmpty())
        qFatal("code tables missing under %s", qPrintable(TestEnv::dataRoot()));
    return state;
}
} // namespace

class HintLookupTest : public QObject {
    Q_OBJECT
private slots:
    void characterFollowedByAKnownPhraseGivesBothCodes();
    void characterAtTheEndOfALineStandsAlone();
    void nothingForACharacterWithoutAnEntry();
    void nothingWhenTheLongestPrefixHasNoEntryOfItsOwn();
    void firstEntryWinsAndTheEditionsDiffer();
    void positionCountsCharactersOutsideTheBasicPlaneOnce();
};

void HintLookupTest::characterFollowedByAKnownPhraseGivesBothCodes()
{
    PracticeState state = stateWithRealTables();
    const QString line = QStringLiteral("中华人民共和国万岁");
    const auto hint = wubi::FindHint(state, true, line, 0);
    QVERIFY(hint);
    QCOMPARE(hint->character, QStringLiteral("中"));
    QCOMPARE(hint->characterCode, QStringLiteral("k"));
    QCOMPARE(hint->phrase, QStringLiteral("中华人民共和国"));
    QCOMPARE(hint->phraseCode, QStringLiteral("kwwl"));
    QCOMPARE(state.lookupCode, QStringLiteral("kwwl"));

    // The phrase may end exactly at the end of the line.
    const auto last = wubi::FindHint(state, true, QStringLiteral("学习经济"), 2);
    QVERIFY(last);
    QCOMPARE(last->phrase, QStringLiteral("经济"));
    QCOMPARE(last->phraseCode, QStringLiteral("xciy"));
}

void HintLookupTest::characterAtTheEndOfALineStandsAlone()
{
    PracticeState state = stateWithRealTables();
    const auto hint = wubi::FindHint(state, true, QStringLiteral("学习中国"), 3);
    QVERIFY(hint);
    QCOMPARE(hint->character, QStringLiteral("国"));
    QCOMPARE(hint->characterCode, QStringLiteral("l"));
    QVERIFY(hint->phrase.isEmpty());
    QVERIFY(hint->phraseCode.isEmpty());

    // A next character that starts no phrase with this one: alone as well.
    const auto alone = wubi::FindHint(state, true, QStringLiteral("中齉"), 0);
    QVERIFY(alone);
    QVERIFY(alone->phrase.isEmpty());
}

void HintLookupTest::nothingForACharacterWithoutAnEntry()
{
    PracticeState state = stateWithRealTables();
    state.lookupCode = QStringLiteral("before");
    QVERIFY(!wubi::FindHint(state, true, QStringLiteral("中，国"), 1));
    QVERIFY(!wubi::FindHint(state, false, QStringLiteral("abc"), 0));
    QVERIFY(!wubi::FindHint(state, true, QStringLiteral("中国"), 2));  // past the end
    QVERIFY(!wubi::FindHint(state, true, QStringLiteral("中国"), -1));
    QVERIFY(!wubi::FindHint(state, true, QString(), 0));
    QCOMPARE(state.lookupCode, QStringLiteral("before"));

    PracticeState empty; // a table that failed to load
    QVERIFY(!wubi::FindHint(empty, true, QStringLiteral("中国"), 0));
}

void HintLookupTest::nothingWhenTheLongestPrefixHasNoEntryOfItsOwn()
{
    // "中华人民共" starts 中华人民共和国 but is no word itself, although the
    // shorter 中华 is: the hint then shows nothing at all.
    PracticeState state = stateWithRealTables();
    QVERIFY(!wubi::FindHint(state, true, QStringLiteral("中华人民共产党"), 0));
    const auto shorter = wubi::FindHint(state, true, QStringLiteral("中国人民。"), 0);
    QVERIFY(shorter);
    QCOMPARE(shorter->phrase, QStringLiteral("中国人民"));
}

void HintLookupTest::firstEntryWinsAndTheEditionsDiffer()
{
    PracticeState state;
    state.tables.t86 = CodeTable(QStringLiteral("#中%k#中%khk#中国%khlg#中国人%kllw#"));
    state.tables.t98 = CodeTable(QStringLiteral("#中%khk#"));
    const auto hint86 = wubi::FindHint(state, true, QStringLiteral("中国人"), 0);
    QVERIFY(hint86);
    QCOMPARE(hint86->characterCode, QStringLiteral("k"));
    QCOMPARE(hint86->phrase, QStringLiteral("中国人"));
    QCOMPARE(hint86->phraseCode, QStringLiteral("kllw"));

    const auto hint98 = wubi::FindHint(state, false, QStringLiteral("中国人"), 0);
    QVERIFY(hint98);
    QCOMPARE(hint98->characterCode, QStringLiteral("khk"));
    QVERIFY(hint98->phrase.isEmpty());
}

void HintLookupTest::positionCountsCharactersOutsideTheBasicPlaneOnce()
{
    PracticeState state;
    state.tables.t86 = CodeTable(QStringLiteral("#中%k#中国%khlg#中国人%kllw#"));
    const QString rare = QString::fromUcs4(U"\U00020000");
    const auto hint = wubi::FindHint(state, true, rare + QStringLiteral("中国人"), 1);
    QVERIFY(hint);
    QCOMPARE(hint->character, QStringLiteral("中"));
    QCOMPARE(hint->phrase, QStringLiteral("中国人"));
    QVERIFY(!wubi::FindHint(state, true, rare + QStringLiteral("中"), 2)); // past the end
}

QTEST_GUILESS_MAIN(HintLookupTest)
#include "HintLookup.moc"
