#include "pinyin/PinyinScheme.h"

namespace {
struct SchemeInfo {
    PinyinScheme scheme;
    const char *key;
    const char *name;
};

const SchemeInfo kSchemes[] = {
    {PinyinScheme::Full, "full", "全拼"},
    {PinyinScheme::Xiaohe, "xiaohe", "小鹤双拼"},
    {PinyinScheme::Ziranma, "ziranma", "自然码双拼"},
    {PinyinScheme::MS, "ms", "微软双拼"},
    {PinyinScheme::ABC, "abc", "智能ABC双拼"},
    {PinyinScheme::Ziguang, "ziguang", "紫光双拼"},
    {PinyinScheme::PinyinJiajia, "pinyinjiajia", "拼音加加双拼"},
    {PinyinScheme::Zhongwenzhixing, "zhongwenzhixing", "中文之星双拼"},
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
