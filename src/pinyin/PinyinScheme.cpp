#include "pinyin/PinyinScheme.h"

#include "pinyin/LibImeHeaders.h"

#include <map>
#include <mutex>

namespace {
struct SchemeInfo {
    PinyinScheme scheme;
    const char *key;
    const char *name;
    libime::ShuangpinBuiltinProfile profile;
};

// Full pinyin has no profile: its entry's is never read.
const SchemeInfo kSchemes[] = {
    {PinyinScheme::Full, "full", "全拼", libime::ShuangpinBuiltinProfile::Xiaohe},
    {PinyinScheme::Xiaohe, "xiaohe", "小鹤双拼", libime::ShuangpinBuiltinProfile::Xiaohe},
    {PinyinScheme::Ziranma, "ziranma", "自然码双拼", libime::ShuangpinBuiltinProfile::Ziranma},
    {PinyinScheme::MS, "ms", "微软双拼", libime::ShuangpinBuiltinProfile::MS},
    {PinyinScheme::ABC, "abc", "智能ABC双拼", libime::ShuangpinBuiltinProfile::ABC},
    {PinyinScheme::Ziguang, "ziguang", "紫光双拼", libime::ShuangpinBuiltinProfile::Ziguang},
    {PinyinScheme::PinyinJiajia, "pinyinjiajia", "拼音加加双拼", libime::ShuangpinBuiltinProfile::PinyinJiajia},
    {PinyinScheme::Zhongwenzhixing, "zhongwenzhixing", "中文之星双拼",
     libime::ShuangpinBuiltinProfile::Zhongwenzhixing},
};

const SchemeInfo &infoOf(PinyinScheme scheme)
{
    return kSchemes[int(scheme)];
}
} // namespace

const QVector<PinyinScheme> &pinyin::AllSchemes()
{
    static const QVector<PinyinScheme> all = [] {
        QVector<PinyinScheme> schemes;
        for (const SchemeInfo &info : kSchemes)
            schemes.append(info.scheme);
        return schemes;
    }();
    return all;
}

QVector<PinyinScheme> pinyin::ShuangpinSchemes()
{
    return AllSchemes().mid(1);
}

bool pinyin::IsShuangpin(PinyinScheme scheme)
{
    return scheme != PinyinScheme::Full;
}

QString pinyin::SchemeKey(PinyinScheme scheme)
{
    return QLatin1String(infoOf(scheme).key);
}

std::optional<PinyinScheme> pinyin::SchemeFromKey(const QString &key)
{
    const QString k = key.trimmed().toLower();
    for (const SchemeInfo &info : kSchemes)
        if (k == QLatin1String(info.key))
            return info.scheme;
    return std::nullopt;
}

QString pinyin::SchemeName(PinyinScheme scheme)
{
    return QString::fromUtf8(infoOf(scheme).name);
}

std::shared_ptr<const libime::ShuangpinProfile> pinyin::ShuangpinProfileOf(PinyinScheme scheme)
{
    if (!IsShuangpin(scheme))
        return nullptr;
    // Profiles are small and never change: one each, shared by the engine and the charts.
    static std::mutex mutex;
    static std::map<PinyinScheme, std::shared_ptr<const libime::ShuangpinProfile>> profiles;
    const std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<const libime::ShuangpinProfile> &profile = profiles[scheme];
    if (!profile)
        profile = std::make_shared<const libime::ShuangpinProfile>(infoOf(scheme).profile);
    return profile;
}
