// The drill generator: pools from the code tables and drill text under the
// run's character budget.
#include "data/Random.h"
#include "support/TestEnv.h"
#include "wubi/Wubi.h"

#include <QTest>
#include <algorithm>
#include <deque>

namespace {

// Hands out scripted draws (clamped into range), then the lowest value.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> draws = {}) : m_draws(std::move(draws)) {}
    int uniform(int lo, int hi) override
    {
        ++calls;
        if (m_draws.empty())
            return lo;
        const int v = m_draws.front();
        m_draws.pop_front();
        return std::clamp(v, lo, hi);
    }
    int calls = 0;

private:
    std::deque<int> m_draws;
};

// Seeded draws, remembered so that a second computation can replay them.
class RecordingRandom final : public RandomSource {
public:
    explicit RecordingRandom(std::uint64_t seed) : m_random(seed) {}
    int uniform(int lo, int hi) override
    {
        const int v = m_random.uniform(lo, hi);
        draws.push_back(v);
        return v;
    }
    std::deque<int> draws;

private:
    SeededRandom m_random;
};

const QString kCrLf = QStringLiteral("\r\n");

QStringList pageLines(const QString &text)
{
    QStringList lines = text.split(kCrLf);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

PracticeState stateWithBudget(int budget)
{
    PracticeState state;
    state.charBudget = budget;
    return state;
}

const CodeTables &realTables()
{
    static CodeTables tables;
    static bool loaded = false;
    if (!loaded) {
        const QStringList errors = LoadCodeTables(TestEnv::dataRoot(), true, true, tables);
        if (!errors.isEmpty())
            qFatal("code tables missing under %s", qPrintable(TestEnv::dataRoot()));
        loaded = true;
    }
    return tables;
}

// Small table: entry lengths 4 (工 了), 5 (式 在, 在 twice), 6 (东 叭), phrases.
const QString kSmallTable = QStringLiteral(
    "#工%a#了%b#式%aa#在%dd#东%aii#在%df#叭%kwy#工人%aawy#中国%khlg#三个人%dwww#"
    "中华人民%khwn#一二三四五%ggll#");

// Long words of unique characters, so a line can be split back into words.
const QStringList kLongWords = {QStringLiteral("甲乙丙丁戊"), QStringLiteral("子丑寅卯辰巳"),
                                QStringLiteral("金木水火土日月星")};
QString longWordTable()
{
    return QStringLiteral("#人%w#") + kLongWords[0] + QStringLiteral("%abcd#大%dd#中国%khlg#")
        + kLongWords[1] + QStringLiteral("%efgh#上%h#") + kLongWords[2] + QStringLiteral("%ijkl#");
}

// The pick of the long-phrase drill as a plain scan of the table string
// (positions from 1): the first entry at or after r whose word has 5 or more
// characters.
QString scanLongWordFrom(const QString &table, int r)
{
    for (qsizetype a = table.indexOf(QLatin1Char('#'), r - 1); a >= 0;
         a = table.indexOf(QLatin1Char('#'), a + 1)) {
        const qsizetype p = table.indexOf(QLatin1Char('%'), a + 1);
        const qsizetype next = table.indexOf(QLatin1Char('#'), a + 1);
        if (p < 0 || (next >= 0 && next < p))
            continue;
        if (p - a - 1 >= 5)
            return table.mid(a + 1, p - a - 1);
    }
    return {};
}

// The long-phrase drill written out step by step over the plain scan.
QString referenceLongPhraseText(PracticeState &state, const QString &table, RandomSource &random)
{
    QString text;
    for (int line = 0; line < 4; ++line) {
        QString current;
        for (;;) {
            const int r = random.uniform(1, int(table.size()));
            if (state.charsGenerated >= state.charBudget)
                return text;
            const QString word = scanLongWordFrom(table, r);
            if (word.isEmpty())
                continue;
            current += word;
            state.charsGenerated += int(word.size());
            if (current.size() <= 30) {
                if (state.charsGenerated >= state.charBudget)
                    return text + current + kCrLf;
                continue;
            }
            current.chop(word.size());
            if (state.charsGenerated >= state.charBudget)
                return text + current + kCrLf;
            state.charsGenerated -= int(word.size());
            text += current + kCrLf;
            break;
        }
    }
    return text;
}

} // namespace

class DrillGenerator : public QObject {
    Q_OBJECT
private slots:
    void shortCodePoolsFollowEntryLengthAndSelectorOrder();
    void firstLevelPoolOfTheRealTableIsTheTwentyFiveInTableOrder();
    void phrasePoolTakesWordsOfExactlyTheLength();
    void characterDrillFillsPagesAndStopsAtTheBudget();
    void characterDrillOverAnEmptyPoolStillSpendsTheBudget();
    void budgetReachedOnEntryGivesEmptyText();
    void phraseDrillKeepsTheLastPhraseThatCrossesTheBudget();
    void phraseDrillOfOnePhraseRepeatsIt();
    void phraseDrillWithNothingToDrawEnds();
    void longPhraseDrillKeepsLinesWithinThirtyCharacters();
    void longPhraseDrillBudgetEndsInsideAPage();
    void longPhraseDrillWithoutLongWordsEnds();
    void longPhraseDrillOfTheRealTablesMatchesThePlainScan();
    void countLimitedRunProducesExactlyTheBudget();
    void extendedBudgetKeepsPagesComing();
};

void DrillGenerator::shortCodePoolsFollowEntryLengthAndSelectorOrder()
{
    CodeTables tables;
    tables.t86 = CodeTable(kSmallTable);
    tables.t98 = CodeTable(QStringLiteral("#了%b#在%d#了%bn#"));

    QCOMPARE(wubi::ShortCodePool(tables, {}), QString());
    QCOMPARE(wubi::ShortCodePool(tables, {true, false, false, false, false}), QStringLiteral("工了"));
    // Duplicates stay: 在 is listed twice with a two-key code.
    QCOMPARE(wubi::ShortCodePool(tables, {false, true, false, false, false}),
             QStringLiteral("式在在"));
    QCOMPARE(wubi::ShortCodePool(tables, {false, false, false, true, false}), QStringLiteral("东叭"));
    QCOMPARE(wubi::ShortCodePool(tables, {false, false, true, false, false}), QStringLiteral("了"));
    // Several selectors: the last pool built wins.
    QCOMPARE(wubi::ShortCodePool(tables, {true, true, true, false, false}), QStringLiteral("了"));
    QCOMPARE(wubi::ShortCodePool(tables, {true, true, false, true, false}), QStringLiteral("东叭"));
    QCOMPARE(wubi::ShortCodePool(tables, {false, false, false, false, true}), QString());

    CodeTables empty;
    QCOMPARE(wubi::ShortCodePool(empty, {true, true, true, true, true}), QString());
}

void DrillGenerator::firstLevelPoolOfTheRealTableIsTheTwentyFiveInTableOrder()
{
    const QString pool = wubi::ShortCodePool(realTables(), {true, false, false, false, false});
    QCOMPARE(pool, QStringLiteral("工了以在有地一上不是中国同民为这我的要和产发人经主"));
    QVERIFY(wubi::ShortCodePool(realTables(), {false, true, false, false, false}).size() >= 600);
    QVERIFY(wubi::ShortCodePool(realTables(), {false, false, false, false, true}).size() > 1000);
}

void DrillGenerator::phrasePoolTakesWordsOfExactlyTheLength()
{
    CodeTables tables;
    tables.t86 = CodeTable(kSmallTable);
    tables.t98 = CodeTable(QStringLiteral("#你好%wqvb#"));
    QCOMPARE(wubi::PhrasePool(tables, 2, true), QStringLiteral("工人中国"));
    QCOMPARE(wubi::PhrasePool(tables, 3, true), QStringLiteral("三个人"));
    QCOMPARE(wubi::PhrasePool(tables, 4, true), QStringLiteral("中华人民"));
    QCOMPARE(wubi::PhrasePool(tables, 2, false), QStringLiteral("你好"));
    QCOMPARE(wubi::PhrasePool(tables, 5, true), QString());
    QCOMPARE(wubi::PhrasePool(tables, 1, true), QString());

    const QString real = wubi::PhrasePool(realTables(), 4, false);
    QVERIFY(real.size() > 4000);
    QCOMPARE(real.size() % 4, 0);
}

void DrillGenerator::characterDrillFillsPagesAndStopsAtTheBudget()
{
    SeededRandom random(7);
    const QString pool = QStringLiteral("金人月白禾");

    PracticeState full = stateWithBudget(1000);
    const QString page = wubi::CharacterDrillText(full, pool, 30, 4, random);
    const QStringList lines = pageLines(page);
    QCOMPARE(lines.size(), 4);
    QVERIFY(page.endsWith(kCrLf));
    for (const QString &line : lines) {
        QCOMPARE(line.size(), 30);
        for (QChar c : line)
            QVERIFY(pool.contains(c));
    }
    QCOMPARE(full.charsGenerated, 120);

    PracticeState ten = stateWithBudget(10);
    const QString shortText = wubi::CharacterDrillText(ten, pool, 30, 4, random);
    QCOMPARE(shortText.size(), 12);
    QVERIFY(shortText.endsWith(kCrLf));
    QCOMPARE(pageLines(shortText).size(), 1);
    QCOMPARE(ten.charsGenerated, 10);

    // The budget running out exactly at a line end gives one CR LF, not two.
    PracticeState sixty = stateWithBudget(60);
    const QString twoLines = wubi::CharacterDrillText(sixty, pool, 30, 4, random);
    QCOMPARE(twoLines.size(), 64);
    QVERIFY(!twoLines.endsWith(kCrLf + kCrLf));

    // Every character of the pool can be drawn, the last one too.
    ScriptedRandom scripted({1, 5, 3});
    PracticeState three = stateWithBudget(3);
    QCOMPARE(wubi::CharacterDrillText(three, pool, 30, 4, scripted), QStringLiteral("金禾月\r\n"));
}

void DrillGenerator::characterDrillOverAnEmptyPoolStillSpendsTheBudget()
{
    ScriptedRandom random;
    PracticeState state = stateWithBudget(1000);
    QCOMPARE(wubi::CharacterDrillText(state, QString(), 30, 4, random), kCrLf.repeated(4));
    QCOMPARE(state.charsGenerated, 120);
    QCOMPARE(random.calls, 0);
}

void DrillGenerator::budgetReachedOnEntryGivesEmptyText()
{
    CodeTables tables;
    tables.t86 = CodeTable(longWordTable());
    SeededRandom random(1);
    PracticeState state = stateWithBudget(50);
    state.tables = tables;
    state.charsGenerated = 50;
    QCOMPARE(wubi::CharacterDrillText(state, QStringLiteral("工了"), 30, 4, random), QString());
    QCOMPARE(wubi::PhraseDrillText(state, QStringLiteral("工人中国"), 2, random), QString());
    QCOMPARE(wubi::LongPhraseDrillText(state, true, random), QString());
    QCOMPARE(state.charsGenerated, 50);

    PracticeState zero; // budget 0: nothing may be produced
    QCOMPARE(wubi::CharacterDrillText(zero, QStringLiteral("工了"), 30, 4, random), QString());
}

void DrillGenerator::phraseDrillKeepsTheLastPhraseThatCrossesTheBudget()
{
    const QString pool = QStringLiteral("中华人民社会主义");
    SeededRandom random(3);
    PracticeState state = stateWithBudget(30);
    const QString text = wubi::PhraseDrillText(state, pool, 4, random);
    const QStringList lines = pageLines(text);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].size(), 28);
    QCOMPARE(lines[1].size(), 4);
    QVERIFY(text.endsWith(kCrLf));
    QCOMPARE(state.charsGenerated, 32);
    for (const QString &line : lines)
        for (int i = 0; i < line.size(); i += 4)
            QVERIFY(pool.indexOf(line.mid(i, 4)) % 4 == 0);

    // Full pages: 15, 10 and 7 phrases a line.
    for (int length : {2, 3, 4}) {
        PracticeState big = stateWithBudget(10000);
        const QString phrases = QStringLiteral("一二三四五六七八九十百千").left(length * 3);
        const QStringList page = pageLines(wubi::PhraseDrillText(big, phrases, length, random));
        QCOMPARE(page.size(), 4);
        QCOMPARE(page[0].size(), length == 4 ? 28 : 30);
        QCOMPARE(big.charsGenerated, 4 * int(page[0].size()));
    }
}

void DrillGenerator::phraseDrillOfOnePhraseRepeatsIt()
{
    SeededRandom random(11);
    PracticeState state = stateWithBudget(1000);
    const QString text = wubi::PhraseDrillText(state, QStringLiteral("中国"), 2, random);
    QCOMPARE(text, (QStringLiteral("中国").repeated(15) + kCrLf).repeated(4));
}

void DrillGenerator::phraseDrillWithNothingToDrawEnds()
{
    SeededRandom random(5);
    PracticeState state = stateWithBudget(1000);
    QCOMPARE(wubi::PhraseDrillText(state, QString(), 2, random), QString());
    QCOMPARE(wubi::PhraseDrillText(state, QStringLiteral("中"), 2, random), QString());
    QCOMPARE(wubi::PhraseDrillText(state, QStringLiteral("中国人民"), 5, random), QString());
    QCOMPARE(state.charsGenerated, 0);
}

void DrillGenerator::longPhraseDrillKeepsLinesWithinThirtyCharacters()
{
    PracticeState state = stateWithBudget(100000);
    state.tables.t98 = CodeTable(longWordTable());
    SeededRandom random(21);
    for (int page = 0; page < 50; ++page) {
        const int before = state.charsGenerated;
        const QStringList lines = pageLines(wubi::LongPhraseDrillText(state, false, random));
        QCOMPARE(lines.size(), 4);
        int produced = 0;
        for (QString line : lines) {
            QVERIFY(line.size() <= 30);
            // Adding one more of the shortest word would have overflowed.
            QVERIFY(line.size() > 30 - 8);
            produced += int(line.size());
            while (!line.isEmpty()) {
                const auto word = std::find_if(kLongWords.begin(), kLongWords.end(),
                                               [&](const QString &w) { return line.startsWith(w); });
                QVERIFY2(word != kLongWords.end(), qPrintable(line));
                line.remove(0, word->size());
            }
        }
        QCOMPARE(state.charsGenerated - before, produced);
    }
}

void DrillGenerator::longPhraseDrillBudgetEndsInsideAPage()
{
    // Draw positions from 1: position 1 picks the first long word (5), a draw
    // past the last long word's "#" picks nothing and is drawn again.
    const QString table = longWordTable();
    const int afterLast = int(table.lastIndexOf(kLongWords[2])) + 2;
    PracticeState state = stateWithBudget(12);
    state.tables.t86 = CodeTable(table);
    ScriptedRandom random({1, afterLast, 1, 1});
    QCOMPARE(wubi::LongPhraseDrillText(state, true, random),
             kLongWords[0].repeated(3) + kCrLf);
    QCOMPARE(state.charsGenerated, 15);
    QCOMPARE(random.calls, 4);

    // The word that overflows the line while spending the budget is dropped
    // from the line but stays counted.
    PracticeState over = stateWithBudget(30);
    over.tables.t86 = CodeTable(table);
    const int eight = int(table.indexOf(kLongWords[2])) - 1;
    ScriptedRandom draws({eight, eight, eight, eight});
    QCOMPARE(wubi::LongPhraseDrillText(over, true, draws), kLongWords[2].repeated(3) + kCrLf);
    QCOMPARE(over.charsGenerated, 32);

    // A word longer than a line gives an empty line.
    PracticeState huge = stateWithBudget(1000);
    huge.tables.t86 = CodeTable(QStringLiteral("#") + QString(31, QChar(0x4E00)) + QStringLiteral("%gggg#"));
    SeededRandom seeded(2);
    QCOMPARE(wubi::LongPhraseDrillText(huge, true, seeded), kCrLf.repeated(4));
    QCOMPARE(huge.charsGenerated, 0);
}

void DrillGenerator::longPhraseDrillWithoutLongWordsEnds()
{
    PracticeState state = stateWithBudget(1000);
    state.tables.t86 = CodeTable(kSmallTable.left(kSmallTable.indexOf(QStringLiteral("#一二"))) + '#');
    SeededRandom random(4);
    QCOMPARE(wubi::LongPhraseDrillText(state, true, random), QString());
    QCOMPARE(wubi::LongPhraseDrillText(state, false, random), QString()); // empty table
    QCOMPARE(state.charsGenerated, 0);
}

void DrillGenerator::longPhraseDrillOfTheRealTablesMatchesThePlainScan()
{
    for (bool edition86 : {true, false}) {
        PracticeState state = stateWithBudget(1000);
        state.tables = realTables();
        RecordingRandom random(edition86 ? 86 : 98);
        QString generated;
        for (int page = 0; page < 5; ++page)
            generated += wubi::LongPhraseDrillText(state, edition86, random);

        PracticeState replay = stateWithBudget(1000);
        ScriptedRandom scripted(random.draws);
        QString expected;
        for (int page = 0; page < 5; ++page)
            expected += referenceLongPhraseText(replay, state.tables.edition(edition86).text(), scripted);

        QCOMPARE(generated, expected);
        QCOMPARE(state.charsGenerated, replay.charsGenerated);
        for (const QString &line : pageLines(generated))
            QVERIFY(line.size() <= 30);
    }
}

void DrillGenerator::countLimitedRunProducesExactlyTheBudget()
{
    // Page after page until the generator gives empty text, as the line
    // window asks for them in a run limited to 100 characters.
    SeededRandom random(9);
    PracticeState state = stateWithBudget(100);
    const QString pool = wubi::ShortCodePool(realTables(), {false, false, true, false, false});
    QStringList pages;
    for (QString page = wubi::CharacterDrillText(state, pool, 30, 4, random); !page.isEmpty();
         page = wubi::CharacterDrillText(state, pool, 30, 4, random))
        pages << page;
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pageLines(pages[0]).size(), 4);
    QCOMPARE(pageLines(pages[0]).last().size(), 10);
    QCOMPARE(state.charsGenerated, 100);

    PracticeState phrases = stateWithBudget(100);
    phrases.tables = realTables();
    int produced = 0;
    int pageCount = 0;
    for (QString page = wubi::LongPhraseDrillText(phrases, true, random); !page.isEmpty();
         page = wubi::LongPhraseDrillText(phrases, true, random), ++pageCount)
        produced += int(page.size() - page.count(kCrLf) * 2);
    QVERIFY(pageCount >= 1);
    QVERIFY(phrases.charsGenerated >= 100);
    QVERIFY(produced <= phrases.charsGenerated);
}

void DrillGenerator::extendedBudgetKeepsPagesComing()
{
    // Time-limited and unlimited runs raise the budget by 120 whenever 120 or
    // less is left before asking for the next page.
    SeededRandom random(13);
    PracticeState state = stateWithBudget(120);
    state.tables = realTables();
    const QString pool = wubi::PhrasePool(realTables(), 3, true);
    for (int page = 0; page < 30; ++page) {
        if (state.charBudget - state.charsGenerated <= 120)
            state.charBudget += 120;
        const QString text = page % 2 ? wubi::PhraseDrillText(state, pool, 3, random)
                                      : wubi::LongPhraseDrillText(state, true, random);
        QCOMPARE(pageLines(text).size(), 4);
    }
}

QTEST_GUILESS_MAIN(DrillGenerator)
#include "DrillGenerator.moc"
