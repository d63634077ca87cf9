#pragma once
// A pinyin drill run in the line-by-line practice: the pinyin data checked
// first (the learner is told when it cannot be read), then the start
// settings, the generated text with toned pinyin over it, the start dialog.
#include <QString>
#include <functional>

struct AppContext;
class PinyinData;
class Shell;

// "拼音练习不可用：" and why, when the pinyin data cannot be read; else empty.
QString PinyinUnavailableMessage(AppContext &ctx);

// True when the pinyin data can be read; otherwise tells the learner
// "拼音练习不可用：" and why, and returns false.
bool PinyinDrillsAvailable(AppContext &ctx, Shell &shell);

// A pinyin drill of `kind` (exercise::kPinyin...) over the text `makeText`
// makes for the number of characters the start settings allow.
void RunPinyinDrill(AppContext &ctx, Shell &shell, const QString &title, const QString &kind,
                    std::function<QString(PinyinData &data, int characters)> makeText);
