#include "app/ui/GraphicMenu.h"

#include "app/ui/Artwork.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <vector>

namespace {

// The menu tree, the one table the menus are built from: the command key the
// subsystems register under (empty for separators and sub-menus), the object
// name the item keeps from the old menu controls, the caption and sub-items.
// "-" is a separator.
struct MenuItem {
    const char *key;
    const char *name;
    const char *caption;
    std::vector<MenuItem> items;
};

struct TopMenu {
    int button;
    const char *name;
    const char *caption;
    std::vector<MenuItem> items;
};

const std::vector<TopMenu> &menuTree()
{
    static const std::vector<TopMenu> tree{
        {0, "KeyBoardType", "键盘打字",
         {{"keyboard.positions", "OnlyKeyBoard", "打字键区键位练习", {}},
          {"keyboard.fingering", "FingerEx", "打字键区指法练习", {}},
          {"", "Nline", "-", {}},
          {"keyboard.keypad", "NKBExercise", "数字键区键位练习", {}}}},
        {1, "ChineseType", "中文打字",
         {{"chinese.line", "MenuChinese(1)", "中文逐行对打", {}},
          {"chinese.text", "MenuChinese(2)", "中文文本对打", {}},
          {"", "Graded", "分级练习",
           {{"graded.level1", "Graded_level1", "通用规范汉字一级字", {}},
            {"graded.level2", "Graded_level2", "通用规范汉字二级字", {}},
            {"graded.level3", "Graded_level3", "通用规范汉字三级字", {}},
            {"", "Graded_line1", "-", {}},
            {"graded.common500", "Graded_500", "最常用 500 字", {}},
            {"graded.common1000", "Graded_1000", "常用字 501–1000", {}},
            {"graded.common1500", "Graded_1500", "常用字 1001–1500", {}},
            {"", "Graded_line2", "-", {}},
            {"graded.words", "Graded_words", "常用词", {}}}},
          {"", "PassageLine", "-", {}},
          {"chinese.passageDaily", "PassageDaily", "每日赛文", {}},
          {"", "PassageOther", "载入赛文",
           {{"chinese.passageFile", "PassageFile", "从文件…", {}},
            {"chinese.passageClipboard", "PassageClipboard", "从剪贴板", {}}}},
          {"chinese.passageRanking", "PassageRanking", "赛文成绩", {}},
          {"", "ChineseLine", "-", {}},
          {"", "Pinyin", "拼音练习",
           {{"pinyin.initials", "PinyinInitials", "声母", {}},
            {"pinyin.finals", "PinyinFinals", "韵母", {}},
            {"pinyin.wholeSyllables", "PinyinWholeSyllables", "整体认读音节", {}},
            {"", "PinyinLine1", "-", {}},
            {"", "PinyinCharacters", "单字",
             {{"pinyin.level1", "PinyinLevel(1)", "一级字（3500字）", {}},
              {"pinyin.level2", "PinyinLevel(2)", "二级字（3000字）", {}},
              {"pinyin.level3", "PinyinLevel(3)", "三级字（1605字）", {}}}},
            {"", "PinyinWords", "常用词",
             {{"pinyin.words1", "PinyinWords(1)", "最常用 1–500", {}},
              {"pinyin.words2", "PinyinWords(2)", "501–2000", {}},
              {"pinyin.words3", "PinyinWords(3)", "2001–5000", {}},
              {"pinyin.words4", "PinyinWords(4)", "5001–10000", {}}}},
            {"pinyin.text", "PinyinText", "课文", {}},
            {"", "PinyinLine2", "-", {}},
            {"pinyin.confusions", "PinyinConfusions", "易混读音练习", {}},
            {"", "PinyinLine3", "-", {}},
            {"pinyin.shuangpinChart", "ShuangpinChart", "双拼键位图", {}},
            {"pinyin.shuangpinDrill", "ShuangpinDrill", "双拼键位练习", {}}}}}},
        {2, "EnglishType", "英文打字",
         {{"english.line", "MenuEngLish(1)", "英文逐行对打", {}},
          {"english.text", "MenuEngLish(2)", "英文文本对打", {}},
          {"english.letters", "MenuEngLish(3)", "英文字母打字", {}}}},
        {4, "WbType", "五笔打字",
         {{"wubi.radicals", "ZGEx", "字根练习", {}},
          {"wubi.radicalChart", "Wbzg", "字根表对照打字", {}},
          {"wubi.keyNames", "JMz", "键名字练习", {}},
          {"", "line1", "-", {}},
          {"wubi.shortCodes1", "Yj", "一级简码练习", {}},
          {"", "Wb", "二级简码练习", {{"wubi.shortCodes2.86", "Ej(1)", "五笔86版", {}}, {"wubi.shortCodes2.98", "Ej(2)", "五笔98版", {}}}},
          {"", "Wn", "三级简码练习", {{"wubi.shortCodes3.86", "Sj(1)", "五笔86版", {}}, {"wubi.shortCodes3.98", "Sj(2)", "五笔98版", {}}}},
          {"", "line2", "-", {}},
          {"", "CZ2", "二字词组", {{"wubi.phrases2.86", "CZ2_86", "五笔86版", {}}, {"wubi.phrases2.98", "CZ2_98", "五笔98版", {}}}},
          {"", "CZ3", "三字词组", {{"wubi.phrases3.86", "CZ3_86", "五笔86版", {}}, {"wubi.phrases3.98", "CZ3_98", "五笔98版", {}}}},
          {"", "CZ4", "四字词组", {{"wubi.phrases4.86", "CZ4_86", "五笔86版", {}}, {"wubi.phrases4.98", "CZ4_98", "五笔98版", {}}}},
          {"", "CZM", "多字词组", {{"wubi.phrasesMany.86", "CZM_86", "五笔86版", {}}, {"wubi.phrasesMany.98", "CZM_98", "五笔98版", {}}}}}},
        {5, "Games", "打字游戏", {{"game.race", "GtSp", "龟兔赛跑", {}}}},
        {6, "Other", "其他",
         {{"other.settings", "Config", "系统设置", {}},
          {"other.records", "Record_View", "记录查看", {}},
          {"other.learner", "Learner", "学习者…", {}},
          {"other.progress", "Progress", "学习进度", {}},
          {"other.review", "Review", "今日复习", {}},
          {"other.goal", "Goal", "练习目标…", {}},
          {"other.weakChars", "WeakChars", "薄弱字练习", {}},
          {"other.weakKeys", "WeakKeys", "薄弱键练习", {}},
          {"other.weakPhrases", "WeakPhrases", "薄弱词组练习", {}},
          {"other.club", "Club", "班级赛文…", {}},
          {"other.pinyinConfusions", "PinyinConfusionsOther", "易混读音练习", {}},
          {"", "Music", "背景音乐",
           {{"music.off", "Music_not", "无背景音乐", {}},
            {"", "Music_line", "-", {}},
            {"music.tune0", "BackMusic(0)", "我爱你,中国", {}},
            {"music.tune1", "BackMusic(1)", "花好月圆", {}},
            {"music.tune2", "BackMusic(2)", "高山流水", {}},
            {"music.tune3", "BackMusic(3)", "春天的故事", {}}}},
          {"", "PinyinComposer", "内置拼音输入",
           {{"composer.pinyin.off", "PinyinComposer(0)", "关闭", {}},
            {"composer.pinyin.full", "PinyinComposer(1)", "全拼", {}},
            {"composer.pinyin.xiaohe", "PinyinComposer(2)", "小鹤双拼", {}},
            {"composer.pinyin.ziranma", "PinyinComposer(3)", "自然码双拼", {}},
            {"composer.pinyin.ms", "PinyinComposer(4)", "微软双拼", {}},
            {"composer.pinyin.abc", "PinyinComposer(5)", "智能ABC双拼", {}},
            {"composer.pinyin.ziguang", "PinyinComposer(6)", "紫光双拼", {}},
            {"composer.pinyin.pinyinjiajia", "PinyinComposer(7)", "拼音加加双拼", {}},
            {"composer.pinyin.zhongwenzhixing", "PinyinComposer(8)", "中文之星双拼", {}}}},
          {"", "WubiComposer", "内置五笔输入",
           {{"composer.off", "WubiComposer(0)", "关闭", {}}, {"composer.86", "WubiComposer(1)", "五笔86", {}}, {"composer.98", "WubiComposer(2)", "五笔98", {}}}}}},

        {7, "Help", "帮助",
         {{"help.codeLookup", "WbDf", "五笔打法查找", {}}, {"help.contents", "HelpText", "帮助", {}}, {"help.about", "About", "关于", {}}}},
    };
    return tree;
}

// The pop-up menus in the colours of the strip (sub-menus inherit it).
const char kMenuStyle[] =
    "QMenu { background: #f7fbff; border: 1px solid #5b8dbf; padding: 4px 0px; }"
    "QMenu::item { padding: 5px 30px 5px 28px; color: #12385c; }"
    "QMenu::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4d6, stop:1 #ffd87a);"
    " color: #6b3a00; }"
    "QMenu::item:disabled { color: #a3b1bf; background: transparent; }"
    "QMenu::separator { height: 1px; background: #c9dbec; margin: 4px 10px; }"
    "QMenu::indicator { left: 8px; }";

// "MenuChinese(1)" -> "MenuChinese_1": a name usable as an object name.
QString objectNameOf(const QString &menuName)
{
    QString name = menuName;
    name.replace(QLatin1Char('('), QLatin1Char('_'));
    name.remove(QLatin1Char(')'));
    return name;
}

// Items that show which of their group is chosen.
bool isCheckItem(const QString &key)
{
    return key.startsWith(QLatin1String("music.")) || key.startsWith(QLatin1String("composer."));
}

} // namespace

GraphicMenu::GraphicMenu(QWidget *owner) : QObject(owner)
{
    QFont font(artwork::songFamily());
    font.setPixelSize(14);
    const auto addItems = [&](QMenu *menu, const std::vector<MenuItem> &items, auto &self) -> void {
        for (const MenuItem &item : items) {
            const QString name = QString::fromLatin1(item.name);
            if (qstrcmp(item.caption, "-") == 0) {
                menu->addSeparator()->setObjectName(name);
                continue;
            }
            if (!item.items.empty()) {
                QMenu *sub = menu->addMenu(QString::fromUtf8(item.caption));
                sub->setObjectName(name);
                sub->setFont(font);
                sub->menuAction()->setObjectName(name);
                self(sub, item.items, self);
                continue;
            }
            const QString key = QString::fromLatin1(item.key);
            QAction *action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(objectNameOf(name));
            if (isCheckItem(key))
                action->setCheckable(true);
            connect(action, &QAction::triggered, this, [this, key] { emit commandChosen(key); });
            m_actions.insert(key, action);
        }
    };
    for (const TopMenu &top : menuTree()) {
        auto *menu = new QMenu(QString::fromUtf8(top.caption), owner);
        menu->setObjectName(QString::fromLatin1(top.name));
        menu->setFont(font);
        menu->setStyleSheet(QString::fromLatin1(kMenuStyle));
        addItems(menu, top.items, addItems);
        connect(menu, &QMenu::aboutToShow, this, &GraphicMenu::updateMenuStates);
        m_menus[std::size_t(top.button)] = menu;
    }
    updateMenuStates();
}

void GraphicMenu::updateMenuStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_commands.contains(it.key()));
    for (QMenu *top : m_menus) {
        if (!top)
            continue;
        for (QMenu *sub : top->findChildren<QMenu *>()) {
            bool any = false;
            for (QAction *a : sub->actions())
                any = any || (!a->isSeparator() && a->isEnabled());
            sub->menuAction()->setEnabled(any);
        }
    }
}

void GraphicMenu::setCommand(const QString &key, std::function<void()> command)
{
    if (command)
        m_commands.insert(key, std::move(command));
    else
        m_commands.remove(key);
    updateMenuStates();
}

bool GraphicMenu::runCommand(const QString &key)
{
    const auto it = m_commands.constFind(key);
    if (it == m_commands.cend())
        return false;
    // A copy: the command may replace itself while it runs.
    const std::function<void()> command = it.value();
    command();
    return true;
}
