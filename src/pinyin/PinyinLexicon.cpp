#include "pinyin/PinyinLexicon.h"

#include "pinyin/HanziReadings.h"
#include "pinyin/Syllables.h"

#include <QFile>
#include <algorithm>

namespace {

// The data file is about 5 MB; anything far larger is not it.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
// A word of the dictionary has at most this many characters.
constexpr int kLongestWord = 8;
// The cost of a character no word covers, well below any word's score.
constexpr float kLoneCharacterScore = -20.0f;

int CharacterCount(const QByteArray &utf8)
{
    int count = 0;
    for (char c : utf8)
        count += (uchar(c) & 0xC0) != 0x80;
    return count;
}

} // namespace

std::unique_ptr<PinyinLexicon> PinyinLexicon::load(const QString &path, QString *error)
{
    const auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return nullptr;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取拼音词库 %1：%2").arg(path, file.errorString()));
    if (file.size() > kMaxFileSize)
        return fail(QStringLiteral("拼音词库 %1 过大，不是本程序的数据。").arg(path));
    auto lexicon = std::make_unique<PinyinLexicon>();
    lexicon->m_text = file.readAll();
    const QByteArray &text = lexicon->m_text;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QList<QByteArray> fields = text.mid(start, end - start).split('\t');
        bool ok = fields.size() == 3 && !fields[0].isEmpty() && !fields[1].isEmpty();
        const float score = ok ? fields[2].toFloat(&ok) : 0.0f;
        if (!ok)
            return fail(QStringLiteral("拼音词库 %1 已损坏（第 %2 行）。").arg(path).arg(lexicon->m_lines.size() + 1));
        lexicon->m_lines.append({quint32(start), score});
        start = end + 1;
    }
    if (lexicon->m_lines.isEmpty())
        return fail(QStringLiteral("拼音词库 %1 是空的。").arg(path));
    return lexicon;
}

QByteArray PinyinLexicon::field(const Line &line, int index) const
{
    qsizetype start = line.offset;
    for (int i = 0; i < index; ++i)
        start = m_text.indexOf('\t', start) + 1;
    qsizetype end = start;
    while (end < m_text.size() && m_text[end] != '\t' && m_text[end] != '\n')
        ++end;
    return m_text.mid(start, end - start);
}

std::pair<const PinyinLexicon::Line *, const PinyinLexicon::Line *> PinyinLexicon::linesOf(const QByteArray &word) const
{
    const auto less = [this](const Line &line, const QByteArray &w) { return field(line, 0) < w; };
    const Line *end = m_lines.constData() + m_lines.size();
    const Line *first = std::lower_bound(m_lines.constData(), end, word, less);
    const Line *last = first;
    while (last != end && field(*last, 0) == word)
        ++last;
    return {first, last};
}

const PinyinLexicon::Line *PinyinLexicon::mostCommonLineOf(const QByteArray &word) const
{
    const auto [first, last] = linesOf(word);
    if (first == last)
        return nullptr;
    return std::max_element(first, last, [](const Line &a, const Line &b) { return a.score < b.score; });
}

QStringList PinyinLexicon::reading(const QString &word) const
{
    const Line *line = mostCommonLineOf(word.toUtf8());
    return line ? QString::fromLatin1(field(*line, 1)).split(QLatin1Char('\'')) : QStringList();
}

float PinyinLexicon::score(const QString &word) const
{
    const Line *line = mostCommonLineOf(word.toUtf8());
    return line ? line->score : kUnknownScore;
}

QStringList PinyinLexicon::mostCommon(int count, int length) const
{
    // One line per word: its most common reading (the lines of a word are adjacent).
    QVector<Line> words;
    QByteArray previous;
    for (const Line &line : m_lines) {
        const QByteArray word = field(line, 0);
        const int characters = CharacterCount(word);
        if (length > 0 ? characters != length : characters < 2)
            continue;
        if (word == previous) {
            words.back().score = std::max(words.back().score, line.score);
            continue;
        }
        previous = word;
        words.append(line);
    }
    const auto commoner = [](const Line &a, const Line &b) { return a.score > b.score; };
    const int kept = std::min(count, int(words.size()));
    std::partial_sort(words.begin(), words.begin() + kept, words.end(), commoner);
    QStringList out;
    for (int i = 0; i < kept; ++i)
        out.append(QString::fromUtf8(field(words[i], 0)));
    return out;
}

const QVector<PinyinLexicon::Line> &PinyinLexicon::byReading() const
{
    std::call_once(m_byReadingBuilt, [this] {
        m_byReading = m_lines;
        std::sort(m_byReading.begin(), m_byReading.end(), [this](const Line &a, const Line &b) {
            const QByteArray ra = field(a, 1), rb = field(b, 1);
            return ra != rb ? ra < rb : a.score > b.score;
        });
    });
    return m_byReading;
}

QStringList PinyinLexicon::wordsReadAs(const QStringList &syllables) const
{
    const QByteArray wanted = syllables.join(QLatin1Char('\'')).toLatin1();
    const QVector<Line> &lines = byReading();
    auto it = std::lower_bound(lines.cbegin(), lines.cend(), wanted,
                               [this](const Line &line, const QByteArray &w) { return field(line, 1) < w; });
    QStringList out;
    for (; it != lines.cend() && field(*it, 1) == wanted; ++it) {
        const QString word = QString::fromUtf8(field(*it, 0));
        if (!out.contains(word))
            out.append(word);
    }
    return out;
}

QStringList PinyinLexicon::contextReading(const QString &text) const
{
    const QList<uint> characters = text.toUcs4();
    const int n = int(characters.size());
    // best[i]: the most likely split of the first i characters; from[i]: where its last word starts.
    QVector<float> best(n + 1, -1e30f);
    QVector<int> from(n + 1, 0);
    QVector<const Line *> wordAt(n + 1, nullptr);
    best[0] = 0;
    for (int end = 1; end <= n; ++end) {
        for (int length = 1; length <= std::min(kLongestWord, end); ++length) {
            const int start = end - length;
            const QByteArray word = QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData() + start), length).toUtf8();
            const Line *line = mostCommonLineOf(word);
            if (!line && length > 1)
                continue;
            const float total = best[start] + (line ? line->score : kLoneCharacterScore);
            if (total > best[end]) {
                best[end] = total;
                from[end] = start;
                wordAt[end] = line;
            }
        }
    }
    QStringList out(n);
    for (int end = n; end > 0; end = from[end]) {
        if (!wordAt[end])
            continue;
        const QStringList syllables = QString::fromLatin1(field(*wordAt[end], 1)).split(QLatin1Char('\''));
        for (int i = 0; i < syllables.size() && from[end] + i < end; ++i)
            out[from[end] + i] = syllables[i];
    }
    return out;
}

QStringList TonedContextReading(const QString &text, const PinyinLexicon &lexicon, const HanziReadings &readings)
{
    const QList<uint> characters = text.toUcs4();
    QStringList toneless = lexicon.contextReading(text);
    QStringList out;
    for (int i = 0; i < characters.size(); ++i) {
        const QStringList known = readings.readings(characters[i]);
        const auto inContext = std::find_if(known.cbegin(), known.cend(),
                                            [&](const QString &r) { return TonelessSyllable(r) == toneless[i]; });
        out.append(inContext != known.cend() ? *inContext : known.value(0));
    }
    return out;
}
