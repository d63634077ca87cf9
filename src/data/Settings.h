#pragma once
// The settings store: an INI file in the user's config directory, sections and
// value names folded to one case so that "Sound"/"sound" reach one entry.
// Every value is a string. Read failures give the default; write failures are
// silent. A write changes one line and keeps every other line byte for byte.
#include <QHash>
#include <QList>
#include <QString>

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
    explicit SettingsStore(QString iniPath);
    const QString &path() const { return m_path; }

    // Reads the file once, for several values.
    StoredSettings readAll() const;
    QString read(const QString &section, const QString &name, const QString &def = QString()) const;
    // Stores the texts, in order, with one atomic replacement of the file.
    void write(const QList<SettingValue> &values);
    void write(const QString &section, const QString &name, const QString &text);

private:
    QString m_path;
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
