#include "pinyin/PinyinEngine.h"

#include <QFileInfo>

#include "pinyin/LibImeHeaders.h"

#include <exception>

namespace {
const char kDictionaryPackage[] = "libime-data";
const char kLanguageModelPackage[] = "libime-data-language-model";

QString unavailable(const QString &why)
{
    return QStringLiteral("拼音练习不可用：") + why;
}

QString missingFile(const QString &what, const QString &path, const char *package)
{
    return unavailable(QStringLiteral("找不到%1 %2（请安装软件包 %3）").arg(what, path, QLatin1String(package)));
}

QString unreadableFile(const QString &what, const QString &path, const char *package, const std::exception &e)
{
    return unavailable(QStringLiteral("%1 %2 无法读取（%3；请重新安装软件包 %4）")
                           .arg(what, path, QString::fromLocal8Bit(e.what()), QLatin1String(package)));
}
} // namespace

PinyinEngine::DataFiles PinyinEngine::installedFiles()
{
    return {QStringLiteral(QUORVEL_PINYIN_DICTIONARY), QStringLiteral(QUORVEL_PINYIN_LANGUAGE_MODEL)};
}

PinyinEngine::PinyinEngine(DataFiles files) : m_files(std::move(files)) {}

PinyinEngine::~PinyinEngine()
{
    if (m_loading.valid())
        m_loading.wait();
}

QString PinyinEngine::missingDataMessage() const
{
    if (!QFileInfo(m_files.dictionary).isFile())
        return missingFile(QStringLiteral("拼音词典"), m_files.dictionary, kDictionaryPackage);
    if (!QFileInfo(m_files.languageModel).isFile())
        return missingFile(QStringLiteral("语言模型"), m_files.languageModel, kLanguageModelPackage);
    return {};
}

PinyinEngine::Loaded PinyinEngine::load(const DataFiles &files)
{
    auto dictionary = std::make_unique<libime::PinyinDictionary>();
    try {
        dictionary->load(libime::PinyinDictionary::SystemDict, QFile::encodeName(files.dictionary).constData(),
                         libime::PinyinDictFormat::Binary);
    } catch (const std::exception &e) {
        return {nullptr, unreadableFile(QStringLiteral("拼音词典"), files.dictionary, kDictionaryPackage, e)};
    }
    std::unique_ptr<libime::UserLanguageModel> model;
    try {
        model = std::make_unique<libime::UserLanguageModel>(QFile::encodeName(files.languageModel).constData());
    } catch (const std::exception &e) {
        return {nullptr, unreadableFile(QStringLiteral("语言模型"), files.languageModel, kLanguageModelPackage, e)};
    }
    return {std::make_unique<libime::PinyinIME>(std::move(dictionary), std::move(model)), QString()};
}

void PinyinEngine::startLoading()
{
    if (!isIdle())
        return;
    const QString missing = missingDataMessage();
    if (!missing.isEmpty()) {
        m_error = missing;
        m_settled = true;
        return;
    }
    m_loading = std::async(std::launch::async, &PinyinEngine::load, m_files);
}

void PinyinEngine::settle() const
{
    if (m_settled || !m_loading.valid())
        return;
    Loaded loaded = m_loading.get();
    m_ime = std::move(loaded.ime);
    m_error = loaded.error;
    m_settled = true;
}

bool PinyinEngine::waitUntilLoaded()
{
    startLoading();
    settle();
    return m_ime != nullptr;
}

bool PinyinEngine::isLoaded() const
{
    if (!m_settled && m_loading.valid() &&
        m_loading.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        settle();
    return m_ime != nullptr;
}

libime::PinyinIME &PinyinEngine::ime()
{
    Q_ASSERT(m_ime);
    return *m_ime;
}

const libime::PinyinDictionary &PinyinEngine::dictionary() const
{
    Q_ASSERT(m_ime);
    return *m_ime->dict();
}

const libime::LanguageModel &PinyinEngine::languageModel() const
{
    Q_ASSERT(m_ime);
    return *m_ime->model();
}
