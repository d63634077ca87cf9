#include "data/Settings.h"

#include "data/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

// The file is UTF-8 INI text:
//   [section]
//   name=value
// Section and value names compare folded to lower case, and new ones are
// written folded. In values a backslash, CR and LF are written as \\, \r and
// \n so every value is one line. A rewrite changes only the line of the value
// written (or adds one): comments, lines it cannot parse and bytes that are
// not UTF-8 stay exactly as they were.
namespace {

struct IniEntry {
    QString section; // folded
    QString name;    // folded
    QString value;
    qsizetype line = 0;
};

struct IniFile {
    QList<QByteArray> lines; // without their LF; a CR before it stays
    bool endsWithNewline = true;
    std::vector<IniEntry> entries;                     // in file order
    std::vector<std::pair<QString, qsizetype>> headers; // folded section name, line
};

QString fold(const QString &name) { return name.trimmed().toLower(); }
QString fold(QStringView name) { return fold(name.toString()); }

QString escapeValue(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else
            out += next;
    }
    return out;
}

// Lines that are neither a section header nor name=value inside a section are
// kept but mean nothing, so a damaged file gives defaults for whatever cannot
// be read. A later value of the same name wins.
IniFile parseIni(const QByteArray &bytes)
{
    IniFile ini;
    ini.lines = bytes.split('\n');
    ini.endsWithNewline = bytes.isEmpty() || bytes.endsWith('\n');
    if (ini.endsWithNewline)
        ini.lines.removeLast();
    std::optional<QString> current; // folded name of the section the line is in
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(ini.lines[i]);
        QStringView line(text);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')) && trimmed.size() >= 2) {
            ini.headers.emplace_back(fold(trimmed.sliced(1, trimmed.size() - 2)), i);
            current = ini.headers.back().first;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq <= 0 || trimmed.startsWith(QLatin1Char(';')))
            continue;
        QString name = fold(line.first(eq));
        if (!name.isEmpty())
            ini.entries.push_back({*current, std::move(name), unescapeValue(line.sliced(eq + 1)), i});
    }
    return ini;
}

const IniEntry *findEntry(const IniFile &ini, const QString &section, const QString &name)
{
    for (auto e = ini.entries.rbegin(); e != ini.entries.rend(); ++e) {
        if (e->section == section && e->name == name)
            return &*e;
    }
    return nullptr;
}

QByteArray valueLine(const QString &name, const QString &text)
{
    return (name + QLatin1Char('=') + escapeValue(text)).toUtf8();
}

// Puts the value into the file's lines: over the line that holds it now
// (keeping that line's name as spelt and its CR), else at the end of the
// section's last block, else in a new section at the end.
void setValue(IniFile &ini, const QString &section, const QString &name, const QString &text)
{
    if (const IniEntry *entry = findEntry(ini, section, name)) {
        QByteArray &line = ini.lines[entry->line];
        const bool cr = line.endsWith('\r');
        line = line.left(line.indexOf('=') + 1) + escapeValue(text).toUtf8();
        if (cr)
            line += '\r';
        return;
    }
    // New lines end as the file's lines do.
    const QByteArray cr = !ini.lines.isEmpty() && ini.lines.first().endsWith('\r') ? "\r" : "";
    const auto header = std::find_if(ini.headers.rbegin(), ini.headers.rend(),
                                     [&](const auto &h) { return h.first == section; });
    if (header == ini.headers.rend()) {
        if (!ini.lines.isEmpty() && !ini.lines.last().trimmed().isEmpty())
            ini.lines.append(cr);
        ini.lines.append("[" + section.toUtf8() + "]" + cr);
        ini.lines.append(valueLine(name, text) + cr);
        return;
    }
    const qsizetype blockEnd = header.base() == ini.headers.end() ? ini.lines.size() : header.base()->second;
    qsizetype insertAt = blockEnd;
    while (insertAt > header->second + 1 && ini.lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    ini.lines.insert(insertAt, valueLine(name, text) + cr);
}

QByteArray formatIni(const IniFile &ini)
{
    QByteArray bytes = ini.lines.join('\n');
    if (ini.endsWithNewline || !ini.lines.isEmpty())
        bytes += '\n';
    return bytes;
}

enum class IniRead { Whole, Part, Nothing };

// Reads the file into `ini`: whole, or (a file over the size limit) as far as
// the limit. `problem` says what went wrong, in the program's language.
IniRead readIni(const QString &path, IniFile &ini, QString &problem)
{
    ini = IniFile();
    const QFileInfo info(path);
    if (!info.exists()) // a dangling link too: a write puts a file in its place
        return IniRead::Whole;
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.isFile()) {
        problem = QStringLiteral("设置文件 %1 不是普通文件，设置不能读出也不能保存").arg(shown);
        return IniRead::Nothing;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("设置文件 %1 无法读取（%2），使用默认设置，设置也不能保存")
                      .arg(shown, ReadStatusText(ReadStatus::CannotOpen));
        return IniRead::Nothing;
    }
    const ReadBytes read = ReadDeviceBytes(file, SettingsStore::kMaxFileBytes, file.size());
    if (read.status == ReadStatus::TooLarge) {
        // What can be read is used; rewriting would lose the rest.
        ini = parseIni(read.bytes.left(read.bytes.lastIndexOf('\n') + 1));
        problem = QStringLiteral("设置文件 %1 太大（超过 %2 MB），只读出了前面的设置，设置不能保存")
                      .arg(shown)
                      .arg(SettingsStore::kMaxFileBytes / (1024 * 1024));
        return IniRead::Part;
    }
    if (!read.ok()) {
        problem = QStringLiteral("设置文件 %1 读取失败（%2），使用默认设置，设置也不能保存")
                      .arg(shown, ReadStatusText(read.status));
        return IniRead::Nothing;
    }
    ini = parseIni(read.bytes);
    return IniRead::Whole;
}

// Val-style numeric reading: optional blanks, sign, digits, fraction and
// exponent; whatever follows is ignored; no number at all reads as 0.
double leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    auto digitsFrom = [&](qsizetype &k) {
        const qsizetype start = k;
        while (k < t.size() && t[k].isDigit() && t[k].unicode() < 128)
            ++k;
        return k - start;
    };
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = digitsFrom(i);
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        digits += digitsFrom(i);
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        qsizetype k = i + 1;
        if (k < t.size() && (t[k] == QLatin1Char('+') || t[k] == QLatin1Char('-')))
            ++k;
        if (digitsFrom(k) > 0)
            end = k;
    }
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

// The number rounded to the nearest integer of type T, held to T's range.
template <typename T>
T clampedRound(double value)
{
    const double rounded = std::nearbyint(value);
    if (rounded > std::numeric_limits<T>::max())
        return std::numeric_limits<T>::max();
    if (rounded < std::numeric_limits<T>::min())
        return std::numeric_limits<T>::min();
    return static_cast<T>(rounded);
}
} // namespace

SettingsStore::SettingsStore(QString iniPath) : m_path(std::move(iniPath)) {}

void SettingsStore::setProblemReporter(ProblemReporter reporter)
{
    m_reporter = std::move(reporter);
    m_reported.clear();
    if (!m_problem.isEmpty())
        report(m_problem);
}

void SettingsStore::report(const QString &message) const
{
    m_problem = message;
    if (m_reporter && !m_reported.contains(message)) {
        m_reported.insert(message);
        m_reporter(message);
    }
}

StoredSettings SettingsStore::readAll() const
{
    StoredSettings stored;
    IniFile ini;
    QString problem;
    if (readIni(m_path, ini, problem) != IniRead::Whole)
        report(problem);
    for (const IniEntry &e : ini.entries) // a later value of the same name wins
        stored.m_values.insert(e.section + QLatin1Char('\n') + e.name, e.value);
    return stored;
}

QString StoredSettings::read(const QString &section, const QString &name, const QString &def) const
{
    const QString value = m_values.value(fold(section) + QLatin1Char('\n') + fold(name));
    return value.isEmpty() ? def : value;
}

QString SettingsStore::read(const QString &section, const QString &name, const QString &def) const
{
    return readAll().read(section, name, def);
}

QString SettingsStore::write(const QList<SettingValue> &values)
{
    IniFile ini;
    QString problem;
    // A file that exists but cannot be read whole is left alone rather than
    // replaced by one holding only part of it.
    if (readIni(m_path, ini, problem) != IniRead::Whole) {
        report(problem);
        return problem;
    }
    bool changed = false;
    for (const SettingValue &v : values) {
        const QString sectionKey = fold(v.section);
        const QString nameKey = fold(v.name);
        if (sectionKey.isEmpty() || nameKey.isEmpty())
            continue;
        setValue(ini, sectionKey, nameKey, v.text);
        // Parsed again so that the next value finds the lines added for this one.
        ini = parseIni(formatIni(ini));
        changed = true;
    }
    if (!changed)
        return QString();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QString reason = WriteFileAtomically(m_path, formatIni(ini));
    if (reason.isEmpty())
        return QString();
    problem = QStringLiteral("设置无法保存到 %1（%2）").arg(QDir::toNativeSeparators(m_path), reason);
    report(problem);
    return problem;
}

QString SettingsStore::write(const QString &section, const QString &name, const QString &text)
{
    return write({{section, name, text}});
}

bool SettingIsOn(const QString &text)
{
    return leadingNumber(text) != 0;
}

int SettingToInt(const QString &text)
{
    return clampedRound<qint16>(leadingNumber(text));
}

qint32 SettingToInt32(const QString &text)
{
    return clampedRound<qint32>(leadingNumber(text));
}

namespace {
// A size no window can show sensibly (hand-edited file) keeps the design size.
int fontSize(const StoredSettings &stored, const QString &name)
{
    const int size = SettingToInt(stored.read(QStringLiteral("font"), name, QStringLiteral("0")));
    return size >= 1 && size <= 72 ? size : 0;
}
} // namespace

void LoadStartupSettings(const SettingsStore &store, CueFlags &cues, FontSizes &fonts)
{
    const StoredSettings stored = store.readAll();
    const QString section = QStringLiteral("sound");
    const QString on = QStringLiteral("-1");
    auto flag = [&](const char *name) { return SettingIsOn(stored.read(section, QLatin1String(name), on)); };
    cues.nkPress = flag("sound_nk_press");
    cues.nkError = flag("sound_nk_error");
    cues.tkPress = flag("sound_tk_press");
    cues.tkError = flag("sound_tk_error");
    cues.zwRight = flag("sound_zw_right");
    cues.zwError = flag("sound_zw_error");
    cues.zyPress = flag("sound_zy_press");
    fonts.outIn = fontSize(stored, QStringLiteral("out_in_fontsize"));
    fonts.intIn = fontSize(stored, QStringLiteral("int_in_fontsize"));
}
