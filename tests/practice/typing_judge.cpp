// The typing judge: characters committed one by one or several at once,
// erasures and overwrites, composition, line and text ends, refusal.
#include "practice/TextUnits.h"
#include "practice/TypingJudge.h"

#include <QtTest>

Q_DECLARE_METATYPE(JudgeRules)
Q_DECLARE_METATYPE(JudgeCue)

namespace {
const JudgeRules kLine{EndRule::LineAdvance, false};
const JudgeRules kText{EndRule::TextEnd, false};
const JudgeRules kRace{EndRule::LineAdvance, true};

QString MarksOf(const TypingJudge &judge)
{
    QStringList marked;
    for (int i = 0; i < judge.length(); ++i)
        if (judge.isMarked(i))
            marked << QString::number(i);
    return marked.join(QLatin1Char(','));
}
} // namespace

class TypingJudgeTest : public QObject {
    Q_OBJECT
private slots:
    // The input goes through `steps`, one change each, from an empty box.
    // Checked: the error count summed over the changes, the marks left, and
    // what the last change says.
    void changes_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<JudgeRules>("rules");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("errors");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<JudgeCue>("cue");
        QTest::addColumn<bool>("finished");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("overflow");

        const QString rare = QString::fromUcs4(U"𠀀");
        const QString rare2 = QString::fromUcs4(U"𠀁");
        QTest::newRow("one character right") << "你好世界" << kLine << QStringList{"你"} << 0 << ""
                                             << JudgeCue::Confirm << false << "你" << "";
        QTest::newRow("two-character commit right") << "你好世界" << kLine << QStringList{"你好"} << 0 << ""
                                                    << JudgeCue::Confirm << false << "你好" << "";
        QTest::newRow("phrases of a line, all right") << "你好世界中国" << kLine
                                                      << QStringList{"你好", "你好世界", "你好世界中国"} << 0 << ""
                                                      << JudgeCue::Confirm << true << "你好世界中国" << "";
        QTest::newRow("second of three wrong") << "中国人民" << kLine << QStringList{"中果人"} << 1 << "1"
                                               << JudgeCue::Error << false << "中果人" << "";
        QTest::newRow("every character of a phrase wrong") << "中国人民" << kLine << QStringList{"人民"} << 2 << "0,1"
                                                           << JudgeCue::Error << false << "人民" << "";
        QTest::newRow("commit crossing the line end") << "你好" << kLine << QStringList{"你", "你好吗啊"} << 0 << ""
                                                      << JudgeCue::Confirm << true << "你好" << "吗啊";
        QTest::newRow("line full already: all overflow") << "你好" << kLine << QStringList{"你好", "你好吗"} << 0
                                                         << "" << JudgeCue::None << true << "你好" << "吗";
        QTest::newRow("empty line takes one character, wrong") << "" << kLine << QStringList{"ab"} << 1 << ""
                                                               << JudgeCue::Error << true << "a" << "b";
        QTest::newRow("Backspace of a wrong character") << "abcd" << kLine << QStringList{"abX", "ab"} << 0 << ""
                                                        << JudgeCue::None << false << "ab" << "";
        QTest::newRow("Backspace of a right character") << "abcd" << kLine << QStringList{"aXc", "aX"} << 1 << "1"
                                                        << JudgeCue::None << false << "aX" << "";
        QTest::newRow("one wrong, select all, Backspace: never -1") << "你好" << kLine << QStringList{"你x", ""}
                                                                    << 0 << "" << JudgeCue::None << false << "" << "";
        QTest::newRow("Ctrl+Backspace of a phrase with two wrong") << "中国人民" << kLine
                                                                   << QStringList{"中国", "中国仁名", "中国"} << 0
                                                                   << "" << JudgeCue::None << false << "中国" << "";
        QTest::newRow("wrong character selected and overtyped right") << "abcd" << kLine
                                                                      << QStringList{"aXc", "abc"} << 0 << ""
                                                                      << JudgeCue::Confirm << false << "abc" << "";
        QTest::newRow("right character overtyped wrong") << "abcd" << kLine << QStringList{"abc", "aYc"} << 1 << "1"
                                                         << JudgeCue::Error << false << "aYc" << "";
        QTest::newRow("erasing past the reference changes nothing") << "" << kText << QStringList{"x", ""} << 1
                                                                    << "" << JudgeCue::None << false << "" << "";
        QTest::newRow("composition: text unchanged, nothing judged") << "你好" << kLine << QStringList{"你", "你"}
                                                                     << 0 << "" << JudgeCue::None << false << "你"
                                                                     << "";
        QTest::newRow("outside the BMP is one character") << rare + "字" << kLine << QStringList{rare, rare + "字"}
                                                          << 0 << "" << JudgeCue::Confirm << true << rare + "字"
                                                          << "";
        QTest::newRow("surrogate pairs differing in the low half") << rare + "字" << kLine
                                                                   << QStringList{rare2, rare + "字"} << 0 << ""
                                                                   << JudgeCue::Confirm << true << rare + "字" << "";
        QTest::newRow("text: a wrong last character is judged and ends it")
            << "你好世界和平" << kText << QStringList{"你好世界和", "你好世界和X"} << 1 << "5" << JudgeCue::Error
            << true << "你好世界和X" << "";
        QTest::newRow("text: the last character is kept, what follows it dropped")
            << "你好世界和平" << kText << QStringList{"你好世界", "你好世界和平啊"} << 0 << "" << JudgeCue::Confirm
            << true << "你好世界和平" << "";
        QTest::newRow("text of one character: typing does not end it") << "好" << kText << QStringList{"好"} << 0
                                                                       << "" << JudgeCue::Confirm << false << "好"
                                                                       << "";
        QTest::newRow("text of one character: a second one ends it") << "好" << kText << QStringList{"好好"} << 0
                                                                     << "" << JudgeCue::Confirm << true << "好" << "";
        QTest::newRow("refused from the first wrong") << "abcd" << kRace << QStringList{"abXd"} << 0 << ""
                                                      << JudgeCue::Error << false << "ab" << "";
        QTest::newRow("refusal after a finished line is the next line's") << "ab" << kRace << QStringList{"abX"}
                                                                          << 0 << "" << JudgeCue::Confirm << true
                                                                          << "ab" << "X";
    }
    void changes()
    {
        QFETCH(QString, reference);
        QFETCH(JudgeRules, rules);
        QFETCH(QStringList, steps);
        TypingJudge judge(rules);
        judge.setReference(reference);
        QString before;
        int errors = 0;
        TypingOutcome last;
        for (const QString &after : steps) {
            last = judge.judgeChange(before, after);
            errors = qMax(0, errors + last.errorChange);
            before = last.kept;
        }
        QTEST(errors, "errors");
        QTEST(MarksOf(judge), "marks");
        QCOMPARE(judge.markCount(), int(MarksOf(judge).split(',', Qt::SkipEmptyParts).size()));
        QTEST(last.cue, "cue");
        QTEST(last.finished, "finished");
        QTEST(last.kept, "kept");
        QTEST(last.overflow, "overflow");
        QCOMPARE(last.caret, CharacterCount(last.kept));
    }

    // What a change reports in detail: each added character against its own
    // reference character, marks cleared before they are set again.
    void verdictsAndMarksOfOneChange()
    {
        TypingJudge judge;
        judge.setReference(QStringLiteral("中国人民万岁"));
        TypingOutcome first = judge.judgeChange(QString(), QStringLiteral("中果人"));
        QCOMPARE(first.verdicts.size(), 3);
        QCOMPARE(first.verdicts[1].typed, QStringLiteral("果"));
        QCOMPARE(first.verdicts[1].expected, QStringLiteral("国"));
        QVERIFY(first.verdicts[0].right && !first.verdicts[1].right && first.verdicts[2].right);
        QCOMPARE(first.marksSet, QVector<int>{1});

        // The learner clicks after "中" and types "国" over "果人": both are
        // removed, "国人民" judged from position 1.
        TypingOutcome second = judge.judgeChange(QStringLiteral("中果人"), QStringLiteral("中国人民"));
        QCOMPARE(second.position, 1);
        QCOMPARE(second.marksCleared, QVector<int>{1});
        QVERIFY(second.marksSet.isEmpty());
        QCOMPARE(second.errorChange, -1);
        QCOMPARE(second.verdicts.size(), 3);
        QCOMPARE(second.caret, 4);
        QCOMPARE(judge.markCount(), 0);

        judge.setReference(QStringLiteral("新的"));
        QCOMPARE(judge.length(), 2);
        QCOMPARE(judge.charAt(1), QStringLiteral("的"));
        QCOMPARE(judge.charAt(2), QString());
    }

    void diffKeepsTheCommonFront()
    {
        const QString rare = QString::fromUcs4(U"𠀀");
        const InputChange change = DiffInput(QStringView(QString(rare + "ab")), QStringView(QString(rare + "aXY")));
        QCOMPARE(change.position, 2);
        QCOMPARE(change.positionUnits, 3);
        QCOMPARE(change.removed, QStringList{"b"});
        QCOMPARE(change.added, (QStringList{"X", "Y"}));
        const InputChange same = DiffInput(u"你好", u"你好");
        QVERIFY(same.removed.isEmpty() && same.added.isEmpty());
    }

    void charactersCountSurrogatePairsOnce()
    {
        const QString rare = QString::fromUcs4(U"𠀀");
        const QString text = "a" + rare + "字";
        QCOMPARE(CharacterCount(text), 3);
        QCOMPARE(Characters(text), (QStringList{"a", rare, "字"}));
        QCOMPARE(CharacterStarts(text), (QVector<int>{0, 1, 3}));
        QCOMPARE(LastCharacter(QString("字" + rare)), rare);
        QCOMPARE(LastCharacter(u""), QString());
        // A lone half is a character of its own.
        const QString lone = QString(QChar(0xd840)) + "a";
        QCOMPARE(CharacterCount(lone), 2);
        QCOMPARE(CharacterUnitsAt(text, 1), 2);
        QCOMPARE(CharacterUnitsAt(text, 4), 0);
    }
};

QTEST_APPLESS_MAIN(TypingJudgeTest)
#include "typing_judge.moc"
