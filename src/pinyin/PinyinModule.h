#pragma once
// The pinyin engine's side of the program lives in a module of its own
// (quorvel-pinyin.so), loaded when pinyin is first switched on or a 双拼
// chart is first shown, and kept loaded: the program itself is not linked to
// the engine's libraries, whose relocations and start-up time every run
// would otherwise pay. This header is all the program sees of the module;
// strings crossing it are UTF-8.
#include "pinyin/PinyinScheme.h"

#include <QString>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A 双拼 scheme's table as the engine reads it.
struct ShuangpinReading {
    std::string syllable; // "zhuang", "lv"
    std::string initial;  // "zh"; empty for a syllable without an initial
    std::string final;    // "uang"
};

struct ShuangpinTable {
    std::set<char> initialKeys; // keys that may begin a syllable
    std::set<char> inputKeys;   // keys taken once a syllable is begun
    // The keys of each entry and the syllables they type exactly (no fuzzy reading).
    std::map<std::string, std::vector<ShuangpinReading>> readings;
};

// One input in progress: the keys typed and the parts chosen so far.
class PinyinInput {
public:
    virtual ~PinyinInput() = default;
    virtual void type(char key) = 0;
    // Takes back the last key typed.
    virtual void backspace() = 0;
    // Takes back the last choice.
    virtual void cancel() = 0;
    virtual void clear() = 0;
    virtual bool empty() const = 0;
    // Keys typed, and how many of them the chosen part covers.
    virtual std::size_t size() const = 0;
    virtual std::size_t selectedLength() const = 0;
    // All of the input chosen.
    virtual bool selected() const = 0;
    virtual std::string userInput() const = 0;
    // The chosen part in characters, the rest as spaced pinyin.
    virtual std::string preedit() const = 0;
    // The chosen part, and the chosen part followed by the best candidate.
    virtual std::string selectedSentence() const = 0;
    virtual std::string sentence() const = 0;
    // The candidates for the input after the chosen part, best first.
    virtual std::size_t candidateCount() const = 0;
    virtual std::string candidate(std::size_t index) const = 0;
    virtual void select(std::size_t index) = 0;
    // The table of the input's 双拼 scheme; null for full pinyin.
    virtual std::shared_ptr<const ShuangpinTable> shuangpinTable() const = 0;
};

// The loaded dictionary and language model.
class PinyinDecoder {
public:
    virtual ~PinyinDecoder() = default;
    // A new input in `scheme`; the decoder outlives it. The decoder keeps
    // one 双拼 scheme for all its inputs: the latest input's.
    virtual std::unique_ptr<PinyinInput> newInput(PinyinScheme scheme) = 0;
};

class PinyinModule {
public:
    enum class Failure { None, Dictionary, LanguageModel };
    struct Loaded {
        std::unique_ptr<PinyinDecoder> decoder;
        Failure failed = Failure::None;
        QString reason; // the engine's own words
    };

    virtual ~PinyinModule() = default;
    // Reads the dictionary, then the language model: a second or so of work
    // and tens of megabytes. Safe to call from any thread.
    virtual Loaded load(const QString &dictionary, const QString &languageModel) const = 0;
    // Built once and shared; null for full pinyin.
    virtual std::shared_ptr<const ShuangpinTable> shuangpinTable(PinyinScheme scheme) const = 0;
};

// The module's one entry point: the module object, living as long as the process.
#define QUORVEL_PINYIN_MODULE_ENTRY "quorvelPinyinModule"
using PinyinModuleEntry = const PinyinModule *(*)();

namespace pinyin {
// "拼音练习不可用：" and why.
QString UnavailableMessage(const QString &why);
// Where the module is: beside the executable (the build tree), else in
// <prefix>/lib/<multiarch>/quorvel for an executable in <prefix>/bin.
QString ModuleFile();
// The module at `file` (ModuleFile() when empty), loaded on first use and
// kept; null when it is missing or cannot be loaded, `error` then telling
// the learner why.
const PinyinModule *Module(QString *error = nullptr, const QString &file = QString());
// The engine's table of a 双拼 scheme, built once; null for full pinyin, and
// when the module cannot be loaded, `error` then telling why.
std::shared_ptr<const ShuangpinTable> ShuangpinTableOf(PinyinScheme scheme, QString *error = nullptr);
} // namespace pinyin
