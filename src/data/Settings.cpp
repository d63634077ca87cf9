#include "data/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

// The file is UTF-8 INI text:
//   [section]
//   name=value
// Section and value names are stored folded to lower case. In values a
// backslash, CR and LF are written as \\, \r and \n so every value is one line.
namespace {
struct Section {
    QString name;
    std::vector<std::pair<QString, QString>> values;
};
using IniFile = std::vector<Section>;

QString fold(const QString &name) { return name.trimmed().toLower(); }

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

// Lines that are neither a section header nor name=value are skipped, so a
// damaged file gives defaults for whatever cannot be read.
IniFile parseIni(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    IniFile ini;
    Section *current = nullptr;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = fold(trimmed.sliced(1, trimmed.size() - 2).toString());
            current = nullptr;
            for (Section &s : ini) {
                if (s.name == name)
                    current = &s;
            }
            if (!current) {
                ini.push_back({name, {}});
                current = &ini.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq <= 0 || trimmed.startsWith(QLatin1Char(';')))
            continue;
        const QString name = fold(line.first(eq).toString());
        if (name.isEmpty())
            continue;
        QString value = unescapeValue(line.sliced(eq + 1));
        auto &values = current->values;
        const auto same = std::find_if(values.begin(), values.end(), [&](const auto &v) { return v.first == name; });
        if (same != values.end())
            same->second = std::move(value);
        else
            values.emplace_back(name, std::move(value));
    }
    return ini;
}

QByteArray formatIni(const IniFile &ini)
{
    QString text;
    for (const Section &s : ini) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + s.name + QStringLiteral("]\n");
        for (const auto &[name, value] : s.values)
            text += name + QLatin1Char('=') + escapeValue(value) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool readIni(const QString &path, IniFile &ini)
{
    QFile file(path);
    if (!file.exists()) {
        ini.clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    ini = parseIni(bytes);
    return true;
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
} // namespace

SettingsStore::SettingsStore(QString iniPath) : m_path(std::move(iniPath)) {}

QString SettingsStore::read(const QString &section, const QString &name, const QString &def) const
{
    IniFile ini;
    if (!readIni(m_path, ini))
        return def;
    const QString sectionKey = fold(section);
    const QString nameKey = fold(name);
    for (const Section &s : ini) {
        if (s.name != sectionKey)
            continue;
        for (const auto &[n, value] : s.values) {
            if (n == nameKey)
                return value.isEmpty() ? def : value;
        }
    }
    return def;
}

void SettingsStore::write(const QString &section, const QString &name, const QString &text)
{
    IniFile ini;
    // A file that exists but cannot be read is left alone rather than replaced
    // by one holding this single value.
    if (!readIni(m_path, ini))
        return;
    const QString sectionKey = fold(section);
    const QString nameKey = fold(name);
    if (sectionKey.isEmpty() || nameKey.isEmpty())
        return;
    auto s = std::find_if(ini.begin(), ini.end(), [&](const Section &x) { return x.name == sectionKey; });
    if (s == ini.end()) {
        ini.push_back({sectionKey, {}});
        s = ini.end() - 1;
    }
    auto v = std::find_if(s->values.begin(), s->values.end(), [&](const auto &x) { return x.first == nameKey; });
    if (v != s->values.end())
        v->second = text;
    else
        s->values.emplace_back(nameKey, text);

    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(formatIni(ini));
    file.commit();
}

bool SettingIsOn(const QString &text)
{
    return leadingNumber(text) != 0;
}

int SettingToInt(const QString &text)
{
    const double value = std::nearbyint(leadingNumber(text));
    // The stored sizes are 16-bit integers.
    if (value > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (value < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<int>(value);
}

namespace {
// A size no window can show sensibly (hand-edited file) keeps the design size.
int fontSize(const SettingsStore &store, const QString &name)
{
    const int size = SettingToInt(store.read(QStringLiteral("font"), name, QStringLiteral("0")));
    return size >= 1 && size <= 72 ? size : 0;
}
} // namespace

void LoadStartupSettings(const SettingsStore &store, CueFlags &cues, FontSizes &fonts)
{
    const QString section = QStringLiteral("sound");
    const QString on = QStringLiteral("-1");
    auto flag = [&](const char *name) { return SettingIsOn(store.read(section, QLatin1String(name), on)); };
    cues.nkPress = flag("sound_nk_press");
    cues.nkError = flag("sound_nk_error");
    cues.tkPress = flag("sound_tk_press");
    cues.tkError = flag("sound_tk_error");
    cues.zwRight = flag("sound_zw_right");
    cues.zwError = flag("sound_zw_error");
    cues.zyPress = flag("sound_zy_press");
    fonts.outIn = fontSize(store, QStringLiteral("out_in_fontsize"));
    fonts.intIn = fontSize(store, QStringLiteral("int_in_fontsize"));
}
