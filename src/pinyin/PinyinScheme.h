#pragma once
// The ways of typing pinyin the built-in composer offers: full pinyin and
// the 双拼 schemes the pinyin engine ships, with their settings keys and the
// names the learner reads.
#include <QString>
#include <QVector>
#include <memory>
#include <optional>

enum class PinyinScheme { Full, Xiaohe, Ziranma, MS, ABC, Ziguang, PinyinJiajia, Zhongwenzhixing };

namespace pinyin {
// Full pinyin first, then the 双拼 schemes in menu order.
const QVector<PinyinScheme> &AllSchemes();
QVector<PinyinScheme> ShuangpinSchemes();
bool IsShuangpin(PinyinScheme scheme);
// "full", "xiaohe", "ziranma", "ms", "abc", "ziguang", "pinyinjiajia", "zhongwenzhixing".
QString SchemeKey(PinyinScheme scheme);
std::optional<PinyinScheme> SchemeFromKey(const QString &key);
// "全拼", "小鹤双拼", ...
QString SchemeName(PinyinScheme scheme);
} // namespace pinyin
