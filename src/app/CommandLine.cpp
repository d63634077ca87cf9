#include "app/CommandLine.h"

#include "club/ClubConnection.h"
#include "club/ClubSchema.h"
#include "data/CodeTable.h"
#include "data/Paths.h"
#include "data/Settings.h"
#include "pinyin/PinyinData.h"
#include "wubi/PinyinLookup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <cstdio>
#include <optional>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "1.41"
#endif

namespace {
const char *const kUsage =
    "用法：quorvel [选项]\n"
    "\n"
    "  --data-dir DIR            从 DIR 读取程序数据（data/、text/、sound/、help/）\n"
    "  --lookup 文字 [--edition 86|98]\n"
    "                            显示文字的五笔编码（默认五笔86）后退出\n"
    "  --club-setup              建立或升级班级赛文数据库（以数据库所有者连接，\n"
    "                            连接设置见 quorvel.ini 的 [Club] 或 PG* 环境变量）后退出\n"
    "  --lookup 拼音             列出读这个拼音的字（zhong1、zhōng、zhong）或词\n"
    "                            （zhong'guo），带五笔86和98编码，然后退出\n"
    "  --version                 显示版本后退出\n"
    "  --help                    显示本说明后退出\n";

CommandLineOptions exitWith(int code)
{
    CommandLineOptions o;
    o.exitNow = true;
    o.exitCode = code;
    return o;
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool takeValue(const QStringList &args, qsizetype &i, const QString &name, QString &value, bool &missing)
{
    const QString &arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.startsWith(name + QLatin1Char('='))) {
        value = arg.mid(name.size() + 1);
        return true;
    }
    return false;
}

int lookUp(const QString &word, bool edition86, const QString &dataDir, const QString &executableDir,
           QString &out, QString &err)
{
    const AppPaths paths = ResolvePaths(dataDir, executableDir);
    CodeTables tables;
    const QStringList messages = LoadCodeTables(paths.dataRoot, edition86, !edition86, tables);
    if (!messages.isEmpty()) {
        err += messages.join(QLatin1Char('\n')) + QLatin1Char('\n');
        return 1;
    }
    const std::optional<QString> code = tables.edition(edition86).codeOf(word);
    out += (code ? *code : QStringLiteral("无")) + QLatin1Char('\n');
    return 0;
}

// Creates or upgrades the club database the settings and libpq point at.
int setUpClub(const QString &dataDir, const QString &executableDir, QString &out, QString &err)
{
    // The SQL drivers are plugins, loaded through an application object.
    int argc = 1;
    char name[] = "quorvel";
    char *argv[] = {name, nullptr};
    std::optional<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app.emplace(argc, argv);
    const AppPaths paths = ResolvePaths(dataDir, executableDir);
    const ClubConnectionDetails details = ReadClubConnection(SettingsStore(paths.settingsFile()).readAll());
    const QString connection = QStringLiteral("club-setup");
    int code = 0;
    {
        QSqlDatabase db = MakeClubDatabase(details, connection);
        if (!db.open()) {
            err += QStringLiteral("连不上班级服务器（%1）：%2\n").arg(details.describe(), db.lastError().text());
            code = 1;
        } else if (const ClubStatus status = MigrateClubSchema(db); !status.ok()) {
            err += QStringLiteral("无法建立班级数据库：%1\n").arg(status.message);
            code = 1;
        } else {
            out += QStringLiteral("班级数据库已就绪（%1，第 %2 版）。\n").arg(details.describe()).arg(ClubSchemaVersion(db));
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return code;
}

// The characters or words read as `pinyin`, with both editions' codes; the
// pinyin data is read only for such a query.
int lookUpPinyin(const QString &pinyin, const QString &dataDir, const QString &executableDir, QString &out,
                 QString &err)
{
    const AppPaths paths = ResolvePaths(dataDir, executableDir);
    PinyinData data(paths.data(QStringLiteral("data")));
    if (!data.available()) {
        err += data.error() + QLatin1Char('\n');
        return 1;
    }
    CodeTables tables;
    const QStringList messages = LoadCodeTables(paths.dataRoot, true, true, tables);
    if (!messages.isEmpty()) {
        err += messages.join(QLatin1Char('\n')) + QLatin1Char('\n');
        return 1;
    }
    const QVector<PinyinMatch> matches = LookUpPinyin(pinyin, *data.readings(), *data.lexicon(), tables);
    if (matches.isEmpty())
        out += QStringLiteral("无\n");
    for (const PinyinMatch &m : matches)
        out += PinyinMatchLine(m) + QLatin1Char('\n');
    return 0;
}

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

CommandLineOptions RunCommandLine(const QStringList &args, const QString &executableDir, QString &out,
                                  QString &err)
{
    CommandLineOptions options;
    QString lookupWord;
    QString edition = QStringLiteral("86");
    bool wantLookup = false;
    bool wantClubSetup = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        bool missing = false;
        QString value;
        if (arg == QLatin1String("--version")) {
            out += QStringLiteral("Quorvel %1\n").arg(QLatin1String(QUORVEL_VERSION));
            return exitWith(0);
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out += QString::fromUtf8(kUsage);
            return exitWith(0);
        }
        if (arg == QLatin1String("--club-setup")) {
            wantClubSetup = true;
        } else if (takeValue(args, i, QStringLiteral("--data-dir"), value, missing)) {
            options.dataDir = value;
        } else if (takeValue(args, i, QStringLiteral("--lookup"), value, missing)) {
            wantLookup = true;
            lookupWord = value;
        } else if (takeValue(args, i, QStringLiteral("--edition"), value, missing)) {
            edition = value;
        } else {
            // Anything else (for instance -platform) is left to Qt.
            continue;
        }
        if (missing) {
            err += QStringLiteral("选项 %1 缺少参数。\n").arg(arg) + QString::fromUtf8(kUsage);
            return exitWith(2);
        }
    }
    if (edition != QLatin1String("86") && edition != QLatin1String("98")) {
        err += QStringLiteral("--edition 只能是 86 或 98，而不是“%1”。\n").arg(edition);
        return exitWith(2);
    }
    if (!options.dataDir.isEmpty() && !QFileInfo(options.dataDir).isDir()) {
        err += QStringLiteral("数据目录不存在：%1\n").arg(options.dataDir);
        return exitWith(2);
    }
    if (wantClubSetup)
        return exitWith(setUpClub(options.dataDir, executableDir, out, err));
    if (wantLookup) {
        if (lookupWord.isEmpty()) {
            err += QStringLiteral("--lookup 需要要查的文字。\n");
            return exitWith(2);
        }
        const int code = LooksLikePinyin(lookupWord)
                             ? lookUpPinyin(lookupWord, options.dataDir, executableDir, out, err)
                             : lookUp(lookupWord, edition == QLatin1String("86"), options.dataDir, executableDir, out, err);
        CommandLineOptions done = exitWith(code);
        done.dataDir = options.dataDir;
        return done;
    }
    return options;
}

CommandLineOptions HandleCommandLine(const QStringList &args, const QString &executableDir)
{
    QString out;
    QString err;
    const CommandLineOptions options = RunCommandLine(args, executableDir, out, err);
    if (!out.isEmpty())
        print(stdout, out);
    if (!err.isEmpty())
        print(stderr, err);
    return options;
}
