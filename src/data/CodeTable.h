#pragma once
// The Wubi code tables: one string per edition, a sequence of "#word%code"
// entries closed by a final "#". Lookups answer exactly what a linear scan of
// that string answers (first entry wins), through an index.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

class CodeTable {
public:
    CodeTable() = default;
    explicit CodeTable(QString text); // builds the index

    const QString &text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }

    // Code of the first entry whose word is exactly `word`.
    std::optional<QString> codeOf(QStringView word) const;
    // True when "#" + text occurs anywhere in the table.
    bool isEntryPrefix(QStringView text) const;

private:
    QString m_text;
    // implementation-defined index members follow
    struct Index;
    std::shared_ptr<const Index> m_index;
};

struct CodeTables {
    CodeTable t86;
    CodeTable t98;
    const CodeTable &edition(bool edition86) const { return edition86 ? t86 : t98; }
};

// Builds the tables asked for from <dataRoot>/data/zb86.dz and zb98.dz.
// Returns one message per table that is missing, empty or damaged (that table
// is then empty); an empty list means both loaded.
QStringList LoadCodeTables(const QString &dataRoot, bool load86, bool load98, CodeTables &tables);

// Decodes the plain bytes of a table file (GBK, CR LF between entries) into the
// table string with all line breaks removed. Sets *ok to false when the bytes
// are not valid GBK.
QString DecodeTableText(const QByteArray &plain, bool *ok = nullptr);
