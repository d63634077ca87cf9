#include "pinyin/PinyinModule.h"

#include "data/ProgramModule.h"

#include <QFileInfo>

#include <map>
#include <mutex>

namespace {
const char kModuleName[] = "quorvel-pinyin.so";

struct LoadedModule {
    const PinyinModule *module = nullptr;
    QString error;
};

LoadedModule loadModule(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return {nullptr, pinyin::UnavailableMessage(
                             QStringLiteral("找不到拼音模块 %1（请重新安装软件包 quorvel）").arg(file))};
    QString reason;
    const auto entry = reinterpret_cast<PinyinModuleEntry>(
        program_module::Resolve(file, QUORVEL_PINYIN_MODULE_ENTRY, &reason));
    const PinyinModule *module = entry ? entry() : nullptr;
    if (!module)
        return {nullptr, pinyin::UnavailableMessage(QStringLiteral("拼音模块 %1 无法载入（%2；请重新安装软件包 quorvel）")
                                                        .arg(file, reason))};
    return {module, QString()};
}
} // namespace

QString pinyin::UnavailableMessage(const QString &why)
{
    return QStringLiteral("拼音练习不可用：") + why;
}

QString pinyin::ModuleFile()
{
    return program_module::Locate(QLatin1String(kModuleName));
}

const PinyinModule *pinyin::Module(QString *error, const QString &file)
{
    static std::mutex mutex;
    static std::map<QString, LoadedModule> loaded;
    const std::lock_guard<std::mutex> lock(mutex);
    static const QString installed = ModuleFile();
    const QString path = file.isEmpty() ? installed : file;
    auto it = loaded.find(path);
    if (it == loaded.end())
        it = loaded.emplace(path, loadModule(path)).first;
    if (error)
        *error = it->second.error;
    return it->second.module;
}

std::shared_ptr<const ShuangpinTable> pinyin::ShuangpinTableOf(PinyinScheme scheme, QString *error)
{
    if (error)
        error->clear();
    if (!IsShuangpin(scheme))
        return nullptr;
    const PinyinModule *module = Module(error);
    return module ? module->shuangpinTable(scheme) : nullptr;
}
