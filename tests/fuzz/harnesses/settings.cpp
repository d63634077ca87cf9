// The settings parser: any file in place of quorvel.ini reads without harm, a
// value written reads back, other values read as before, and every line the
// write does not touch stays byte for byte.
#include "FuzzSupport.h"

#include "data/Settings.h"

#include <QList>
#include <fuzzer/FuzzedDataProvider.h>

namespace {
QString smallText(FuzzedDataProvider &choose)
{
    return QString::fromUtf8(QByteArray::fromStdString(choose.ConsumeRandomLengthString(12)));
}

// Section and value names as the program uses them: letters, digits, "_".
QString identifier(FuzzedDataProvider &choose)
{
    QString name = smallText(choose);
    name.removeIf([](QChar c) { return !(c.isLetterOrNumber() || c == QLatin1Char('_')); });
    return name;
}

// Lines (split at LF) of a, less those of b, counting duplicates.
qsizetype linesMissingFrom(const QByteArray &a, const QByteArray &b)
{
    QList<QByteArray> rest = b.split('\n');
    qsizetype missing = 0;
    for (const QByteArray &line : a.split('\n')) {
        if (!rest.removeOne(line))
            ++missing;
    }
    return missing;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider choose(data, size);
    const QString section = identifier(choose);
    const QString name = identifier(choose);
    const QString value = smallText(choose);
    const QString otherSection = identifier(choose);
    const QString otherName = identifier(choose);
    const QByteArray before = QByteArray::fromStdString(choose.ConsumeRemainingBytesAsString());

    const QString path = WriteScratchFile(QStringLiteral("quorvel.ini"), before);
    SettingsStore store(path);
    // The start-up load (nine reads) on one input in 64, to keep the runs fast.
    if (size % 64 == 0) {
        CueFlags cues;
        FontSizes fonts;
        LoadStartupSettings(store, cues, fonts);
        FUZZ_CHECK(fonts.outIn >= 0 && fonts.outIn <= 72 && fonts.intIn >= 0 && fonts.intIn <= 72);
    }

    const QString otherBefore = store.read(otherSection, otherName, QStringLiteral("<none>"));
    store.write(section, name, value);
    const bool named = !section.trimmed().isEmpty() && !name.trimmed().isEmpty();
    if (named && !value.isEmpty())
        FUZZ_CHECK(store.read(section, name) == value);
    const bool same = section.trimmed().toLower() == otherSection.trimmed().toLower()
                      && name.trimmed().toLower() == otherName.trimmed().toLower();
    if (!same)
        FUZZ_CHECK(store.read(otherSection, otherName, QStringLiteral("<none>")) == otherBefore);

    // At most one line of the old file was replaced.
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK(linesMissingFrom(before, file.readAll()) <= 1);
    return 0;
}
