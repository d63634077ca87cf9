// The four background tunes: each is a valid standard MIDI file, a melody with
// accompaniment of one to three minutes, and FluidSynth renders it to sound
// that is nowhere silent and lasts as long as the file says.
#include "app/Music.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QtEndian>
#include <cmath>

namespace {

const char *const kSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr int kRate = 22050;

struct MidiSummary {
    QString problem; // empty when the file is valid
    double seconds = 0;
    QSet<int> soundingChannels;
    int notes = 0;
};

quint32 readVarLength(const QByteArray &d, int &at)
{
    quint32 value = 0;
    for (int i = 0; i < 4 && at < d.size(); ++i) {
        const auto byte = quint8(d[at++]);
        value = (value << 7) | (byte & 0x7f);
        if (!(byte & 0x80))
            return value;
    }
    return value;
}

// Walks every chunk and event; a single tempo is what the tunes use.
MidiSummary summarise(const QByteArray &d)
{
    MidiSummary s;
    if (d.size() < 14 || !d.startsWith("MThd") || qFromBigEndian<quint32>(d.constData() + 4) != 6)
        return {QStringLiteral("no MIDI header")};
    const int tracks = qFromBigEndian<quint16>(d.constData() + 10);
    const int division = qFromBigEndian<quint16>(d.constData() + 12);
    double microsecondsPerBeat = 500000;
    quint32 lastTick = 0;
    int at = 14;
    for (int t = 0; t < tracks; ++t) {
        if (at + 8 > d.size() || d.mid(at, 4) != "MTrk")
            return {QStringLiteral("track %1 missing").arg(t)};
        const int end = at + 8 + int(qFromBigEndian<quint32>(d.constData() + at + 4));
        if (end > d.size())
            return {QStringLiteral("track %1 cut off").arg(t)};
        at += 8;
        quint32 tick = 0;
        bool ended = false;
        quint8 status = 0;
        while (at < end && !ended) {
            tick += readVarLength(d, at);
            if (quint8(d[at]) & 0x80)
                status = quint8(d[at++]);
            if (status == 0xff) {
                const quint8 type = quint8(d[at++]);
                const int length = int(readVarLength(d, at));
                if (type == 0x51)
                    microsecondsPerBeat = (quint8(d[at]) << 16) | (quint8(d[at + 1]) << 8) | quint8(d[at + 2]);
                ended = type == 0x2f;
                at += length;
            } else {
                const int kind = status & 0xf0;
                if (kind == 0x90 && quint8(d[at + 1]) > 0) {
                    s.soundingChannels.insert(status & 0x0f);
                    ++s.notes;
                }
                at += (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
            }
        }
        if (!ended || at != end)
            return {QStringLiteral("track %1 does not end where its chunk does").arg(t)};
        lastTick = std::max(lastTick, tick);
    }
    s.seconds = lastTick * microsecondsPerBeat / 1e6 / division;
    return s;
}

// 16-bit stereo samples of the WAV file FluidSynth wrote.
std::vector<qint16> wavSamples(const QByteArray &wav)
{
    const int data = wav.indexOf("data");
    if (!wav.startsWith("RIFF") || data < 0)
        return {};
    std::vector<qint16> samples(size_t(wav.size() - data - 8) / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<qint16>(wav.constData() + data + 8 + 2 * i);
    return samples;
}

} // namespace

class TunesTest : public QObject {
    Q_OBJECT
private slots:
    void eachTuneIsMusicOfTheIntendedLength_data()
    {
        QTest::addColumn<QString>("file");
        for (const Tune &tune : BackgroundTunes())
            QTest::newRow(qPrintable(tune.caption)) << tune.file;
    }

    void eachTuneIsMusicOfTheIntendedLength()
    {
        QFETCH(QString, file);
        const QString path = TestEnv::dataRoot() + QStringLiteral("/data/midi/") + file;
        QFile midi(path);
        QVERIFY2(midi.open(QIODevice::ReadOnly), qPrintable(path));
        const MidiSummary summary = summarise(midi.readAll());
        QVERIFY2(summary.problem.isEmpty(), qPrintable(summary.problem));
        QVERIFY2(summary.seconds >= 60 && summary.seconds <= 180, qPrintable(QString::number(summary.seconds)));
        QVERIFY(summary.soundingChannels.size() >= 2); // melody with accompaniment
        QVERIFY(summary.notes > 200);

        TestEnv env;
        const QString wav = env.path() + QStringLiteral("/tune.wav");
        QProcess synth;
        synth.start(QStringLiteral("fluidsynth"), {"-n", "-i", "-q", "-g", "0.6", "-r", QString::number(kRate),
                                                  "-F", wav, kSoundFont, path});
        QVERIFY2(synth.waitForFinished(240000), "fluidsynth did not finish");
        QCOMPARE(synth.exitCode(), 0);
        QFile rendered(wav);
        QVERIFY(rendered.open(QIODevice::ReadOnly));
        const std::vector<qint16> samples = wavSamples(rendered.readAll());
        // FluidSynth pads the end with silence: the music lasts to its last
        // audible sample.
        size_t audible = samples.size();
        while (audible > 0 && std::abs(samples[audible - 1]) < 100)
            --audible;
        const double seconds = double(audible) / 2 / kRate;
        QVERIFY2(std::abs(seconds - summary.seconds) < 2.0,
                 qPrintable(QStringLiteral("%1 s rendered, %2 s intended").arg(seconds).arg(summary.seconds)));

        // Loud enough in every five seconds of it.
        const size_t window = size_t(5 * kRate * 2);
        for (size_t start = 0; start + window <= audible; start += window) {
            double sum = 0;
            for (size_t i = start; i < start + window; ++i)
                sum += double(samples[i]) * samples[i];
            const double rms = std::sqrt(sum / double(window));
            QVERIFY2(rms > 300, qPrintable(QStringLiteral("silent near %1 s").arg(start / 2 / kRate)));
        }
    }
};

QTEST_GUILESS_MAIN(TunesTest)
#include "tunes.moc"
