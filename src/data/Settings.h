#pragma once
// The settings store: an INI file in the user's config directory, sections and
// value names folded to one case so that "Sound"/"sound" reach one entry.
// Every value is a string. Read failures give the default; a file that cannot
// be read or written is reported once through the problem reporter. A write
// changes one line and keeps every other line byte for byte.
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>

struct CueFlags {
    bool nkPress = true; // Sound_NK_Press
    bool nkError = true; // Sound_NK_Error
    bool tkPress = true; // Sound_TK_Press
    bool tkError = true; // Sound_TK_Error
    bool zwRight = true; // Sound_ZW_Right
    bool zwError = true; // Sound_ZW_Error
    bool zyPress = true; // Sound_ZY_Press
};

struct FontSizes {
    int outIn = 0; // out_in_fontsize, 0 = as designed
    int intIn = 0; // int_in_fontsize, 0 = as designed
};

// The values of one reading of the file.
class StoredSettings {
public:
    // Stored text, or `def` when absent, empty or unreadable.
    QString read(const QString &section, const QString &name, const QString &def = QString()) const;

private:
    friend class SettingsStore;
    QHash<QString, QString> m_values; // by folded "section\nname"
};

struct SettingValue {
    QString section;
    QString name;
    QString text;
};

class SettingsStore {
public:
    // Settings files above this size are read only this far, and not written.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    explicit SettingsStore(QString iniPath);
    const QString &path() const { return m_path; }

    // Reads the file once, for several values.
    StoredSettings readAll() const;
    QString read(const QString &section, const QString &name, const QString &def = QString()) const;
    // Stores the texts, in order, with one atomic replacement of the file.
    // Returns the reason (in the program's language) when they could not be
    // stored, else an empty string.
    QString write(const QList<SettingValue> &values);
    QString write(const QString &section, const QString &name, const QString &text);

    // Told once of each problem with the file (it cannot be read whole or
    // written); a problem found before a reporter is set is passed on when
    // it is set.
    using ProblemReporter = std::function<void(const QString &message)>;
    void setProblemReporter(ProblemReporter reporter);
    // The last problem found, empty when none.
    QString problem() const { return m_problem; }

private:
    void report(const QString &message) const;

    QString m_path;
    ProblemReporter m_reporter;
    mutable QString m_problem;
    mutable QSet<QString> m_reported;
};

// Numeric reading of stored texts: a cue is on when the leading number is not 0
// ("-1", "1" on; "0" and text starting with a letter off); a font size is the
// leading number rounded to an integer. SettingToInt holds the result to the
// 16 bits of a stored size; SettingToInt32 to 32 bits (the record's counts).
bool SettingIsOn(const QString &text);
int SettingToInt(const QString &text);
qint32 SettingToInt32(const QString &text);

// The start-up load: the seven cue flags and the two font sizes.
void LoadStartupSettings(const SettingsStore &store, CueFlags &cues, FontSizes &fonts);
