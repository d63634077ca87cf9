// The Wubi composer over the real code tables of both editions: candidates
// and their order, wildcards, picking, paging, editing, automatic commits,
// punctuation and the notes on shorter codes.
#include "support/TestEnv.h"
#include "wubi/WubiComposer.h"

#include <QTest>
#include <memory>

namespace {
const CodeTables &realTables()
{
    static const CodeTables tables = [] {
        CodeTables t;
        if (!LoadCodeTables(TestEnv::dataRoot(), true, true, t).isEmpty())
            qFatal("code tables missing under %s", qPrintable(TestEnv::dataRoot()));
        return t;
    }();
    return tables;
}

const WubiCodeIndex &indexOf(int edition)
{
    static const WubiCodeIndex index86(realTables().t86);
    static const WubiCodeIndex index98(realTables().t98);
    return edition == 86 ? index86 : index98;
}

// "工a 式aa" -> entries.
QVector<CodeEntry> entries(const QString &list)
{
    QVector<CodeEntry> out;
    for (const QString &item : list.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        qsizetype split = 0;
        while (split < item.size() && !item[split].isLower())
            ++split;
        out.append({item.left(split), item.mid(split)});
    }
    return out;
}

// Every commit and the last note of typing `keys`: "\b" is Backspace, "\x1b"
// Escape, "\n" Enter, anything else a typed character.
struct Typed {
    QString committed;
    QString passedThrough;
    QString lastNote;
};

Typed typeKeys(WubiComposer &composer, const QString &keys)
{
    Typed typed;
    for (QChar c : keys) {
        ComposerKey key = ComposerKey::typed(c);
        if (c == QLatin1Char('\b'))
            key = ComposerKey::special(ComposerKey::Backspace);
        else if (c == QChar(0x1b))
            key = ComposerKey::special(ComposerKey::Escape);
        else if (c == QLatin1Char('\n'))
            key = ComposerKey::special(ComposerKey::Enter);
        const ComposerResult r = composer.press(key);
        typed.committed += r.commit;
        if (!r.consumed) {
            typed.committed += c;
            typed.passedThrough += c;
        }
        if (!r.note.isEmpty())
            typed.lastNote = r.note;
    }
    return typed;
}
} // namespace

class WubiComposerTest : public QObject {
    Q_OBJECT
private slots:
    void candidatesComeExactFirstThenLonger_data();
    void candidatesComeExactFirstThenLonger();
    void keysCommitWhatCommonInputMethodsCommit_data();
    void keysCommitWhatCommonInputMethodsCommit();
    void pagingWalksTheCandidatesTenAtATime();
    void backspaceInTheMiddleOfACodeGoesBackOneKey();
    void switchingTheEditionDropsTheCodeInProgress();
    void withoutATableEveryKeyPassesThrough();
};

void WubiComposerTest::candidatesComeExactFirstThenLonger_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("firstCandidates");

    // First level, then the longer codes in table order (short codes first).
    QTest::newRow("86 first level") << 86 << "a" << "工a 式aa 节ab 芭ac 基ad";
    QTest::newRow("98 first level") << 98 << "a" << "工a 式aa 节ab 芭ac 苦ad";
    QTest::newRow("98 second level") << 98 << "ab" << "节ab 荫abe 蒸abi 茁abm";
    QTest::newRow("86 third level") << 86 << "lgy" << "国lgy 国度lgya 国庆lgyd 国语lgyg 国lgyi";
    QTest::newRow("98 third level") << 98 << "lgy" << "畉lgy 国计lgyf 车主lgyg 国语lgyg 国lgyi";
    QTest::newRow("86 full code") << 86 << "trnt" << "我trnt 特性trnt";
    QTest::newRow("98 full code") << 98 << "trny" << "我trny 我心trny";
    QTest::newRow("98 full code of another edition") << 98 << "trnt" << "选择性trnt";
    QTest::newRow("86 phrase") << 86 << "wqvb" << "你好wqvb 您好wqvb";
    QTest::newRow("only longer codes") << 86 << "wqv" << "你好wqvb 您好wqvb 爹妈wqvc 依然如故wqvd";
    QTest::newRow("no code") << 86 << "wqvk" << "";
    // z: codes of the typed length first, by code, then longer ones.
    QTest::newRow("86 wildcard") << 86 << "xcz" << "经xca 纾xcb 缀xcc 绎xcf 绐xck 弝xcn 紦xcn 弘xcy";
    QTest::newRow("98 wildcard first key") << 98 << "z" << "工a 了b 以c 在d 有e 地f 一g 上h 不i 是j";
    QTest::newRow("wildcard in the middle") << 86 << "lzyi" << "因应ldyi 国lgyi 回应lkyi 羉lxyi";
}

void WubiComposerTest::candidatesComeExactFirstThenLonger()
{
    QFETCH(int, edition);
    QFETCH(QString, code);
    QFETCH(QString, firstCandidates);
    const QVector<CodeEntry> expected = entries(firstCandidates);
    const WubiCodeIndex &index = indexOf(edition);

    QCOMPARE(index.candidates(code, 0, int(qMax<qsizetype>(expected.size(), 1))), expected);
    QCOMPARE(index.candidateCount(code, 1) > 0, !expected.isEmpty());

    // While the code is in progress the composer shows the same.
    if (code.size() < WubiCodeIndex::kMaxCodeLength && !expected.isEmpty()) {
        WubiComposer composer(&index);
        typeKeys(composer, code);
        QCOMPARE(composer.code(), code);
        QCOMPARE(composer.pageCandidates().mid(0, expected.size()), expected);
    }
}

void WubiComposerTest::keysCommitWhatCommonInputMethodsCommit_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("stillComposing");
    QTest::addColumn<QString>("note");

    QTest::newRow("space picks the first") << 86 << "wq " << "你" << "" << "";
    QTest::newRow("digit picks on the page") << 86 << "trnt2" << "特性" << "" << "";
    QTest::newRow("0 is the tenth") << 98 << "z0" << "是" << "" << "";
    QTest::newRow("digit past the candidates does nothing") << 86 << "trnt7" << "" << "trnt" << "";
    QTest::newRow("fourth key with one candidate commits") << 86 << "lgyi" << "国" << "" << "简码：l";
    QTest::newRow("fourth key with two waits") << 86 << "wqvb" << "" << "wqvb" << "";
    QTest::newRow("fifth key commits the first and starts over") << 86 << "wqvbk" << "你好" << "k" << "";
    QTest::newRow("a key no code continues commits the first") << 86 << "wqvk" << "你好" << "k" << "";
    QTest::newRow("98 full code auto commit") << 98 << "jghu" << "是" << "" << "简码：j";
    QTest::newRow("Enter commits the letters") << 86 << "wqv\n" << "wqv" << "" << "";
    QTest::newRow("Escape drops the code") << 86 << "wqv\x1b" "k " << "中" << "" << "";
    QTest::newRow("punctuation commits the code first") << 86 << "wq,k." << "你，中。" << "" << "";
    QTest::newRow("punctuation with nothing typed") << 86 << ";:?!\\()" << "；：？！、（）" << "" << "";
    QTest::newRow("quotes alternate") << 86 << "\"a \"'b '" << "“工”‘了’" << "" << "";
    QTest::newRow("digits and capitals pass through") << 86 << "12AB" << "12AB" << "" << "";
    QTest::newRow("a capital commits the code first") << 86 << "wqA" << "你A" << "" << "";
    QTest::newRow("space and dash without a code pass through") << 86 << " -=" << " -=" << "" << "";
    QTest::newRow("short code typed: no note") << 86 << "j " << "是" << "" << "";
    QTest::newRow("three keys where one does") << 86 << "jgh " << "是" << "" << "简码：j";
    QTest::newRow("phrase typed one by one") << 86 << "xcag1iyj " << "经济" << "" << "词组：xciy";
    QTest::newRow("phrase typed as a phrase") << 86 << "xciy" << "经济" << "" << "";
}

void WubiComposerTest::keysCommitWhatCommonInputMethodsCommit()
{
    QFETCH(int, edition);
    QFETCH(QString, keys);
    QFETCH(QString, committed);
    QFETCH(QString, stillComposing);
    QFETCH(QString, note);

    WubiComposer composer(&indexOf(edition));
    const Typed typed = typeKeys(composer, keys);
    QCOMPARE(typed.committed, committed);
    QCOMPARE(composer.code(), stillComposing);
    QCOMPARE(typed.lastNote, note);
}

void WubiComposerTest::pagingWalksTheCandidatesTenAtATime()
{
    const WubiCodeIndex &index = indexOf(86);
    WubiComposer composer(&index);
    typeKeys(composer, QStringLiteral("a"));
    QCOMPARE(composer.pageCandidates(), index.candidates(QStringLiteral("a"), 0, 10));
    QVERIFY(composer.hasNextPage());

    typeKeys(composer, QStringLiteral("="));
    QCOMPARE(composer.page(), 1);
    QCOMPARE(composer.pageCandidates(), index.candidates(QStringLiteral("a"), 10, 10));
    QCOMPARE(typeKeys(composer, QStringLiteral("1")).committed, index.candidates(QStringLiteral("a"), 10, 1)[0].word);

    // Back before the first page stays on it; the last page has no next.
    WubiComposer few(&index);
    typeKeys(few, QStringLiteral("trn--"));
    QCOMPARE(few.page(), 0);
    const int count = index.candidateCount(QStringLiteral("trn"), 1000);
    for (int page = 1; page * 10 < count; ++page)
        typeKeys(few, QStringLiteral("="));
    QVERIFY(!few.hasNextPage());
    const int lastPage = few.page();
    typeKeys(few, QStringLiteral("="));
    QCOMPARE(few.page(), lastPage);
    QCOMPARE(few.pageCandidates().size(), count - lastPage * 10);

    // Wildcard pages follow on without repeating.
    WubiComposer wild(&index);
    typeKeys(wild, QStringLiteral("zz"));
    const QVector<CodeEntry> first = wild.pageCandidates();
    typeKeys(wild, QStringLiteral("="));
    QCOMPARE(first + wild.pageCandidates(), index.candidates(QStringLiteral("zz"), 0, 20));
    QCOMPARE(first.first(), (CodeEntry{QStringLiteral("式"), QStringLiteral("aa")}));
}

void WubiComposerTest::backspaceInTheMiddleOfACodeGoesBackOneKey()
{
    WubiComposer composer(&indexOf(86));
    Typed typed = typeKeys(composer, QStringLiteral("wqv\b"));
    QCOMPARE(composer.code(), QStringLiteral("wq"));
    QCOMPARE(composer.pageCandidates().first().word, QStringLiteral("你"));
    typed = typeKeys(composer, QStringLiteral("\b\b"));
    QVERIFY(!composer.composing());
    QVERIFY(composer.pageCandidates().isEmpty());
    // With nothing typed, Backspace is the box's own.
    typed = typeKeys(composer, QStringLiteral("\b"));
    QCOMPARE(typed.passedThrough, QStringLiteral("\b"));

    // A page turned before Backspace starts again at the first page.
    typeKeys(composer, QStringLiteral("ab=\b"));
    QCOMPARE(composer.page(), 0);
    QCOMPARE(composer.pageCandidates().first().word, QStringLiteral("工"));
}

void WubiComposerTest::switchingTheEditionDropsTheCodeInProgress()
{
    WubiComposer composer(&indexOf(86));
    typeKeys(composer, QStringLiteral("\"trn"));
    composer.setIndex(&indexOf(98));
    QVERIFY(!composer.composing());
    QVERIFY(composer.pageCandidates().isEmpty());
    // A fresh start: the next quote opens again, codes come from 98.
    QCOMPARE(typeKeys(composer, QStringLiteral("\"trny")).committed, QStringLiteral("“"));
    QCOMPARE(composer.pageCandidates().first(), (CodeEntry{QStringLiteral("我"), QStringLiteral("trny")}));
}

void WubiComposerTest::withoutATableEveryKeyPassesThrough()
{
    WubiComposer off;
    QCOMPARE(typeKeys(off, QStringLiteral("ab ,")).passedThrough, QStringLiteral("ab ,"));
    CodeTable empty;
    WubiCodeIndex emptyIndex(empty);
    WubiComposer nothing(&emptyIndex);
    // Letters compose but find nothing; Enter gives them back.
    QCOMPARE(typeKeys(nothing, QStringLiteral("ab\n")).committed, QStringLiteral("ab"));
}

QTEST_GUILESS_MAIN(WubiComposerTest)
#include "WubiComposer.moc"
