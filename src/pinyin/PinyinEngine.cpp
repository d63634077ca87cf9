#include "pinyin/PinyinEngine.h"

#include "pinyin/PinyinModule.h"

#include <QFileInfo>

namespace {
const char kDictionaryPackage[] = "libime-data";
const char kLanguageModelPackage[] = "libime-data-language-model";

QString missingFile(const QString &what, const QString &path, const char *package)
{
    return pinyin::UnavailableMessage(QStringLiteral("找不到%1 %2（请安装软件包 %3）").arg(what, path, QLatin1String(package)));
}

QString unreadableFile(const QString &what, const QString &path, const char *package, const QString &reason)
{
    return pinyin::UnavailableMessage(
        QStringLiteral("%1 %2 无法读取（%3；请重新安装软件包 %4）").arg(what, path, reason, QLatin1String(package)));
}
} // namespace

PinyinEngine::DataFiles PinyinEngine::installedFiles()
{
    return {QStringLiteral(QUORVEL_PINYIN_DICTIONARY), QStringLiteral(QUORVEL_PINYIN_LANGUAGE_MODEL), QString()};
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
    QString error;
    const PinyinModule *module = pinyin::Module(&error, files.module);
    if (!module)
        return {nullptr, error};
    PinyinModule::Loaded loaded = module->load(files.dictionary, files.languageModel);
    switch (loaded.failed) {
    case PinyinModule::Failure::Dictionary:
        return {nullptr, unreadableFile(QStringLiteral("拼音词典"), files.dictionary, kDictionaryPackage, loaded.reason)};
    case PinyinModule::Failure::LanguageModel:
        return {nullptr, unreadableFile(QStringLiteral("语言模型"), files.languageModel, kLanguageModelPackage,
                                        loaded.reason)};
    case PinyinModule::Failure::None:
        break;
    }
    return {std::move(loaded.decoder), QString()};
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

PinyinDecoder &PinyinEngine::ime()
{
    Q_ASSERT(m_ime);
    return *m_ime;
}
