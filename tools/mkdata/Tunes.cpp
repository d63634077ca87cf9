// The four background tunes: our own compositions written in numbered
// notation (assets/music/*.tune, described in assets/music/README.md), turned
// into standard MIDI files (format 1: a tempo track, then melody, accompaniment
// figure and bass) under data/midi/.
#include "Output.h"
#include "Steps.h"

#include "app/Music.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kTicksPerBeat = 480;
constexpr int kSemitones[8] = {0, 0, 2, 4, 5, 7, 9, 11}; // degrees 1..7

struct Note {
    int tick;
    int length;
    int pitch;
    int velocity;
};

// A chord span: the triad on `degree` from `tick` for `length` ticks.
struct ChordSpan {
    int tick;
    int length;
    int degree;
};

struct Section {
    std::vector<Note> melody; // ticks from the section's start
    std::vector<ChordSpan> chords;
    int length = 0;
};

struct Score {
    int tempo = 80;
    int key = 0;
    int meter = 4;
    int melodyProgram = 0;
    int figureProgram = 0;
    int bassProgram = 32;
    QString style = QStringLiteral("arpeggio");
    QHash<QString, Section> sections;
    QStringList form;
};

// Pitch of a scale degree (1..7) `octaves` above the octave that starts at `base`.
int pitchOf(int degree, int octaves, int key, int base)
{
    const int index = degree - 1;
    return base + key + 12 * (octaves + index / 7) + kSemitones[index % 7 + 1];
}

class TuneReader {
public:
    TuneReader(QString path, QString *error) : m_path(std::move(path)), m_error(error) {}

    bool read(Score *tune)
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return fail(QStringLiteral("cannot read the file"));
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        Section *section = nullptr;
        while (!in.atEnd()) {
            ++m_line;
            const QString line = in.readLine().section(QLatin1Char('#'), 0, 0).trimmed();
            if (line.isEmpty())
                continue;
            const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const QString &word = words.first();
            if (word == QLatin1String("section") && words.size() == 2) {
                section = &tune->sections[words[1]];
            } else if (word == QLatin1String("form")) {
                tune->form = words.mid(1);
            } else if (word == QLatin1String("style") && words.size() == 2) {
                tune->style = words[1];
            } else if (isSetting(word)) {
                if (!readSetting(*tune, words))
                    return false;
            } else if (!section) {
                return fail(QStringLiteral("notes outside a section"));
            } else if (!readBars(*tune, line, section)) {
                return false;
            }
        }
        return checkForm(*tune);
    }

private:
    static bool isSetting(const QString &word)
    {
        static const QStringList settings{"tempo", "key", "meter", "melody", "figure", "bass"};
        return settings.contains(word);
    }

    bool readSetting(Score &tune, const QStringList &words)
    {
        bool ok = words.size() == 2;
        const int value = ok ? words[1].toInt(&ok) : 0;
        if (!ok || value < 0 || value > 240)
            return fail(QStringLiteral("bad setting"));
        const QString &name = words[0];
        int &field = name == QLatin1String("tempo") ? tune.tempo
            : name == QLatin1String("key")          ? tune.key
            : name == QLatin1String("meter")        ? tune.meter
            : name == QLatin1String("melody")       ? tune.melodyProgram
            : name == QLatin1String("figure")       ? tune.figureProgram
                                                    : tune.bassProgram;
        field = value;
        return true;
    }

    // One line of bars: notes, chord marks and bar lines.
    bool readBars(const Score &tune, const QString &line, Section *section)
    {
        static const QRegularExpression noteToken(QStringLiteral("^([0-7])(['.,_-]*)$"));
        static const QRegularExpression chordToken(QStringLiteral("^\\[([1-7])\\]$"));
        for (const QString &token : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (token == QLatin1String("|")) {
                if (!closeBar(tune, section))
                    return false;
                continue;
            }
            if (const auto chord = chordToken.match(token); chord.hasMatch()) {
                setChord(section, chord.captured(1).toInt());
                continue;
            }
            const auto note = noteToken.match(token);
            if (!note.hasMatch())
                return fail(QStringLiteral("cannot read \"%1\"").arg(token));
            addNote(tune, section, note.captured(1).toInt(), note.captured(2));
        }
        return true;
    }

    void setChord(Section *section, int degree)
    {
        const int now = section->length + m_barFill;
        if (!section->chords.empty())
            section->chords.back().length = now - section->chords.back().tick;
        section->chords.push_back({now, 0, degree});
    }

    void addNote(const Score &tune, Section *section, int degree, const QString &marks)
    {
        double beats = 1;
        int octaves = 0;
        for (QChar mark : marks) {
            switch (mark.toLatin1()) {
            case '\'': ++octaves; break;
            case ',': --octaves; break;
            case '_': beats /= 2; break;
            case '.': beats *= 1.5; break;
            case '-': beats += 1; break;
            }
        }
        const int length = int(std::lround(beats * kTicksPerBeat));
        if (degree > 0)
            section->melody.push_back({section->length + m_barFill, length, pitchOf(degree, octaves, tune.key, 60), 92});
        m_barFill += length;
    }

    bool closeBar(const Score &tune, Section *section)
    {
        const int bar = tune.meter * kTicksPerBeat;
        if (m_barFill != bar)
            return fail(QStringLiteral("a bar of %1 beats, not %2").arg(double(m_barFill) / kTicksPerBeat).arg(tune.meter));
        section->length += bar;
        m_barFill = 0;
        if (!section->chords.empty())
            section->chords.back().length = section->length - section->chords.back().tick;
        return true;
    }

    bool checkForm(const Score &tune)
    {
        if (tune.form.isEmpty())
            return fail(QStringLiteral("no form"));
        for (QString name : tune.form) {
            name.remove(QLatin1Char('+'));
            if (!tune.sections.contains(name) || tune.sections[name].length == 0)
                return fail(QStringLiteral("the form names an empty or unknown section %1").arg(name));
        }
        return true;
    }

    bool fail(const QString &why)
    {
        *m_error = QStringLiteral("%1:%2: %3").arg(m_path).arg(m_line).arg(why);
        return false;
    }

    QString m_path;
    QString *m_error;
    int m_line = 0;
    int m_barFill = 0;
};

// The accompaniment of one chord span: the bass holds the root, the figure
// plays the chord in the tune's style.
void accompany(const Score &tune, const ChordSpan &span, std::vector<Note> &figure, std::vector<Note> &bass)
{
    bass.push_back({span.tick, span.length, pitchOf(span.degree, 0, tune.key, 36), 72});
    const int root = pitchOf(span.degree, 0, tune.key, 48);
    const int third = pitchOf(span.degree + 2, 0, tune.key, 48);
    const int fifth = pitchOf(span.degree + 4, 0, tune.key, 48);
    if (tune.style == QLatin1String("pad")) {
        for (int pitch : {root, third, fifth})
            figure.push_back({span.tick, span.length, pitch, 52});
        return;
    }
    const std::vector<int> pattern = tune.style == QLatin1String("flowing")
        ? std::vector<int>{root, fifth, root + 12, pitchOf(span.degree + 1, 1, tune.key, 48), root + 12, fifth}
        : std::vector<int>{root, fifth, third + 12, fifth};
    const int step = kTicksPerBeat / 2;
    for (int t = 0, i = 0; t < span.length; t += step, ++i) {
        const int velocity = t % kTicksPerBeat == 0 ? 62 : 50;
        figure.push_back({span.tick + t, std::min(step, span.length - t), pattern[size_t(i) % pattern.size()], velocity});
    }
}

// ---- standard MIDI file -------------------------------------------------

void appendVarLength(QByteArray &out, quint32 value)
{
    char bytes[4];
    int n = 0;
    bytes[n++] = char(value & 0x7f);
    while (value >>= 7)
        bytes[n++] = char(0x80 | (value & 0x7f));
    while (n > 0)
        out.append(bytes[--n]);
}

void appendBigEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xff));
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

struct Event {
    int tick;
    QByteArray bytes;
};

QByteArray trackChunk(std::vector<Event> events, int endTick)
{
    // Note-offs (velocity 0) sort before note-ons at the same tick.
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) { return a.tick < b.tick; });
    QByteArray data;
    int now = 0;
    for (const Event &e : events) {
        appendVarLength(data, quint32(e.tick - now));
        data.append(e.bytes);
        now = e.tick;
    }
    appendVarLength(data, quint32(std::max(0, endTick - now)));
    data.append("\xff\x2f\x00", 3); // end of track
    QByteArray chunk("MTrk");
    appendBigEndian(chunk, quint32(data.size()), 4);
    return chunk + data;
}

QByteArray voiceTrack(int channel, int program, int volume, const std::vector<Note> &notes, int endTick)
{
    std::vector<Event> events{
        {0, bytes({0xc0 | channel, program})},
        {0, bytes({0xb0 | channel, 7, volume})},                  // volume
        {0, bytes({0xb0 | channel, 91, 56})},                     // reverb
        {0, bytes({0xb0 | channel, 10, 64 + 12 * (channel - 1)})}, // pan
    };
    std::vector<Event> offs, ons;
    for (const Note &n : notes) {
        // Slightly detached, so repeated notes sound twice.
        const int release = n.tick + std::max(1, n.length - kTicksPerBeat / 16);
        offs.push_back({release, bytes({0x80 | channel, n.pitch, 0})});
        ons.push_back({n.tick, bytes({0x90 | channel, n.pitch, n.velocity})});
    }
    events.insert(events.end(), offs.begin(), offs.end());
    events.insert(events.end(), ons.begin(), ons.end());
    return trackChunk(std::move(events), endTick);
}

QByteArray midiFile(const Score &tune)
{
    std::vector<Note> melody, figure, bass;
    int tick = 0;
    for (const QString &entry : tune.form) {
        const bool higher = entry.endsWith(QLatin1Char('+'));
        const Section &section = tune.sections[QString(entry).remove(QLatin1Char('+'))];
        for (Note n : section.melody) {
            n.tick += tick;
            n.pitch += higher ? 12 : 0;
            melody.push_back(n);
        }
        for (ChordSpan span : section.chords) {
            span.tick += tick;
            accompany(tune, span, figure, bass);
        }
        tick += section.length;
    }
    // Two beats of silence let the last chord ring out.
    const int endTick = tick + 2 * kTicksPerBeat;

    const quint32 microsecondsPerBeat = quint32(60000000 / tune.tempo);
    QByteArray tempo("\xff\x51\x03", 3);
    appendBigEndian(tempo, microsecondsPerBeat, 3);
    const QByteArray meter = bytes({0xff, 0x58, 4, tune.meter, 2, 24, 8});

    QByteArray file("MThd");
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, 1, 2); // format 1
    appendBigEndian(file, 4, 2); // tracks
    appendBigEndian(file, kTicksPerBeat, 2);
    file += trackChunk({{0, tempo}, {0, meter}}, endTick);
    file += voiceTrack(0, tune.melodyProgram, 110, melody, endTick);
    file += voiceTrack(1, tune.figureProgram, 80, figure, endTick);
    file += voiceTrack(2, tune.bassProgram, 90, bass, endTick);
    return file;
}

} // namespace

bool BuildTunes(const QString &assets, const QString &out, QString *error)
{
    for (const Tune &entry : BackgroundTunes()) {
        const QString stem = entry.file.chopped(4); // without ".mid"
        Score tune;
        if (!TuneReader(assets + QStringLiteral("/music/") + stem + QStringLiteral(".tune"), error).read(&tune))
            return false;
        if (!WriteOutputFile(out + QStringLiteral("/data/midi/") + entry.file, midiFile(tune), error))
            return false;
    }
    return true;
}
