#include "practice/TextFile.h"

#include "data/FileAccess.h"
#include "data/Gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {
const QString kLineBreak = QStringLiteral("\r\n");

TextReadResult failure(const QString &error)
{
    TextReadResult r;
    r.error = error;
    return r;
}

// Text files hold no NUL bytes; one in the first 8 KB marks a binary file.
// (UTF-16 text, which is full of them, is recognised by its byte-order mark
// before this test.)
bool looksBinary(const QByteArray &bytes)
{
    return bytes.left(8192).contains('\0');
}

// The encoding a byte-order mark names, if the text starts with one.
std::optional<QStringConverter::Encoding> utf16Mark(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// UTF-16 without a mark shows itself by its zero bytes: every one is the high
// half of a line break, space or Latin letter, so they all stand on odd
// positions (little-endian) or all on even ones (big-endian).
std::optional<QStringConverter::Encoding> utf16ByZeros(const QByteArray &bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    bool odd = false, even = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            (i % 2 ? odd : even) = true;
    }
    if (odd == even)
        return std::nullopt;
    return odd ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

struct Decoded {
    QString text;
    qsizetype badBytes = 0;
};

// UTF-8 with a few damaged bytes stays UTF-8: text in GBK seldom forms valid
// UTF-8 sequences, so many of them and few misfits mean UTF-8.
Decoded decodeText(const QByteArray &bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    const Utf8Tally utf8 = TallyUtf8(bytes);
    constexpr qsizetype kSequencesPerBadByte = 8;
    // A text cut inside its last character is UTF-8 all the same.
    const qsizetype misfits = utf8.bad - (utf8.cut ? 1 : 0);
    if (utf8.bad == 0 || (utf8.multibyte > 0 && misfits * kSequencesPerBadByte <= utf8.multibyte)) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return {decoder.decode(bytes.startsWith(bom) ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes)),
                utf8.bad};
    }
    int bad = 0;
    QString text = DecodeGb18030(bytes, &bad);
    return {std::move(text), bad};
}

QString decodeUtf16(const QByteArray &bytes, QStringConverter::Encoding encoding, qsizetype markSize)
{
    // An odd last byte is half a character: the decoder turns it into U+FFFD.
    QStringDecoder utf16(encoding, QStringDecoder::Flag::Stateless);
    QString text = utf16.decode(QByteArrayView(bytes).sliced(markSize));
    // The decoder passes a surrogate without its partner through; two such
    // halves on either side of a line break would join into one character
    // once the break is dropped.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

// CR, CR LF and a lone LF each end a line; a last line without a terminator
// is a line all the same.
QString joinLines(const QString &text, bool keepLineBreaks)
{
    QString out;
    out.reserve(text.size() + (keepLineBreaks ? text.size() / 16 : 0));
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        out += QStringView(text).sliced(start, i - start);
        if (keepLineBreaks)
            out += kLineBreak;
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n) {
        out += QStringView(text).sliced(start);
        if (keepLineBreaks)
            out += kLineBreak;
    }
    return out;
}

// Tabs become spaces, which the learner can type; other control characters
// (and stray byte-order marks) cannot be typed and are left out. Returns how
// many characters were changed.
qsizetype makeTypeable(QString &text)
{
    qsizetype changed = 0;
    qsizetype out = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool control = (c < 0x20 && c != u'\r' && c != u'\n') || (c >= 0x7F && c <= 0x9F) || c == 0xFEFF;
        if (!control) {
            text[out++] = text[i];
            continue;
        }
        ++changed;
        if (c == u'\t')
            text[out++] = QLatin1Char(' ');
    }
    text.truncate(out);
    return changed;
}

QString tooLargeMessage()
{
    return QStringLiteral("文件太大（超过 %1 MB），不能作为练习文本").arg(kMaxTextFileBytes / (1024 * 1024));
}
} // namespace

// The messages leave the path out: the caller names the file.
TextReadResult ReadTextFile(const QString &path, bool keepLineBreaks)
{
    if (path.isEmpty())
        return failure(QStringLiteral("没有指定文件。"));
    const ReadBytes read = ReadFileBytes(path, kMaxTextFileBytes);
    if (read.status == ReadStatus::TooLarge)
        return failure(tooLargeMessage());
    if (!read.ok())
        return failure(ReadStatusText(read.status));

    TextReadResult result;
    qsizetype badBytes = 0;
    if (const auto encoding = utf16Mark(read.bytes)) {
        result.text = decodeUtf16(read.bytes, *encoding, 2);
    } else if (const auto unmarked = utf16ByZeros(read.bytes)) {
        result.text = decodeUtf16(read.bytes, *unmarked, 0);
    } else if (looksBinary(read.bytes)) {
        return failure(QStringLiteral("这不是文本文件"));
    } else {
        Decoded decoded = decodeText(read.bytes);
        result.text = std::move(decoded.text);
        badBytes = decoded.badBytes;
    }
    TextReadResult prepared = PrepareText(std::move(result.text), keepLineBreaks);
    if (badBytes > 0)
        prepared.warning.prepend(QStringLiteral("文本中有 %1 个字节无法识别，显示为“\uFFFD”").arg(badBytes)
                                 + (prepared.warning.isEmpty() ? QString() : QStringLiteral("；")));
    return prepared;
}

TextReadResult PrepareText(QString text, bool keepLineBreaks)
{
    TextReadResult result;
    result.ok = true;
    const qsizetype controls = makeTypeable(text);
    if (controls > 0)
        result.warning = QStringLiteral("文本中的 %1 个控制字符无法输入，制表符已换成空格，其余已去掉").arg(controls);
    result.text = joinLines(text, keepLineBreaks);
    return result;
}

QString TypeableText(QString text, bool keepLineBreaks)
{
    makeTypeable(text);
    return joinLines(text, keepLineBreaks);
}

bool FolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool IsPracticePunctuation(char32_t c)
{
    switch (c) {
    case U'，': case U'。': case U'；': case U'：': case U'‘': case U'’': case U'“':
    case U'”': case U'！': case U'、': case U'《': case U'》': case U'（': case U'）':
    case U',': case U'.': case U';': case U':': case U'\'': case U'!': case U'(': case U')':
        return true;
    default:
        return false;
    }
}

TypedCounts CountTypedText(const QString &text)
{
    TypedCounts counts;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        // A surrogate pair is one character.
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (c == U'\r' || c == U'\n')
            continue;
        ++counts.totalCount;
        if (c == U' ')
            continue;
        if (IsPracticePunctuation(c))
            ++counts.punctuationCount;
        else
            ++counts.characterCount;
    }
    return counts;
}

QString BuildLetterPool()
{
    // The keys grouped by finger (left hand first), then by hand.
    static const char *const groups[] = {"1qaz", "2wsx", "3edc", "4rfv5tgb", "0p;/",
                                         "9ol.", "8ik,", "6yhn7ujm", "12345qwertasdfgzxcvb",
                                         "67890yuiophjkl;nm,./"};
    QString pool;
    for (const char *group : groups) {
        for (const char *p = group; *p; ++p) {
            if (*p < '0' || *p > '9')
                pool += QLatin1Char(*p);
        }
    }
    return pool;
}

QString KeyNameCharacters()
{
    return QStringLiteral("金人月白禾言立水火之工木大土王目日口田纟又女子已山");
}
