// The pinyin module (quorvel-pinyin.so): the program's pinyin interface over
// libime, the only code of the program that uses libime.
#include "pinyin/PinyinModule.h"

#include <QFile>

#include "pinyin/module/LibImeHeaders.h"

#include <exception>
#include <mutex>

namespace {
// By PinyinScheme; full pinyin has no profile: its entry's is never read.
const libime::ShuangpinBuiltinProfile kProfiles[] = {
    libime::ShuangpinBuiltinProfile::Xiaohe,       libime::ShuangpinBuiltinProfile::Xiaohe,
    libime::ShuangpinBuiltinProfile::Ziranma,      libime::ShuangpinBuiltinProfile::MS,
    libime::ShuangpinBuiltinProfile::ABC,          libime::ShuangpinBuiltinProfile::Ziguang,
    libime::ShuangpinBuiltinProfile::PinyinJiajia, libime::ShuangpinBuiltinProfile::Zhongwenzhixing,
};

// The engine's profile and the table read from it, one each per scheme, never changing.
struct Shuangpin {
    std::shared_ptr<const libime::ShuangpinProfile> profile;
    std::shared_ptr<const ShuangpinTable> table;
};

ShuangpinTable tableOf(const libime::ShuangpinProfile &profile)
{
    ShuangpinTable table;
    table.initialKeys.insert(profile.validInitial().begin(), profile.validInitial().end());
    table.inputKeys.insert(profile.validInput().begin(), profile.validInput().end());
    for (const auto &entry : profile.table()) {
        std::vector<ShuangpinReading> exact;
        for (const auto &reading : entry.second) {
            if (reading.second != libime::PinyinFuzzyFlag::None)
                continue;
            const libime::PinyinSyllable &syllable = reading.first;
            exact.push_back({syllable.toString(),
                             syllable.initial() == libime::PinyinInitial::Zero
                                 ? std::string()
                                 : libime::PinyinEncoder::initialToString(syllable.initial()),
                             libime::PinyinEncoder::finalToString(syllable.final())});
        }
        if (!exact.empty())
            table.readings.emplace(entry.first, std::move(exact));
    }
    return table;
}

const Shuangpin &shuangpinOf(PinyinScheme scheme)
{
    static std::mutex mutex;
    static std::map<PinyinScheme, Shuangpin> schemes;
    const std::lock_guard<std::mutex> lock(mutex);
    Shuangpin &s = schemes[scheme];
    if (!s.profile && scheme != PinyinScheme::Full) {
        s.profile = std::make_shared<const libime::ShuangpinProfile>(kProfiles[int(scheme)]);
        s.table = std::make_shared<const ShuangpinTable>(tableOf(*s.profile));
    }
    return s;
}

class LibImeInput : public PinyinInput {
public:
    LibImeInput(libime::PinyinIME *ime, PinyinScheme scheme) : m_context(ime), m_table(shuangpinOf(scheme).table)
    {
        m_context.setUseShuangpin(m_table != nullptr);
    }

    void type(char key) override { m_context.type(std::string_view(&key, 1)); }
    void backspace() override { m_context.backspace(); }
    void cancel() override { m_context.cancel(); }
    void clear() override { m_context.clear(); }
    bool empty() const override { return m_context.empty(); }
    std::size_t size() const override { return m_context.size(); }
    std::size_t selectedLength() const override { return m_context.selectedLength(); }
    bool selected() const override { return m_context.selected(); }
    std::string userInput() const override { return m_context.userInput(); }
    std::string preedit() const override { return m_context.preedit(); }
    std::string selectedSentence() const override { return m_context.selectedSentence(); }
    std::string sentence() const override { return m_context.sentence(); }
    std::size_t candidateCount() const override { return m_context.candidates().size(); }
    std::string candidate(std::size_t index) const override { return m_context.candidates().at(index).toString(); }
    void select(std::size_t index) override { m_context.select(index); }
    std::shared_ptr<const ShuangpinTable> shuangpinTable() const override { return m_table; }

private:
    libime::PinyinContext m_context;
    std::shared_ptr<const ShuangpinTable> m_table;
};

class LibImeDecoder : public PinyinDecoder {
public:
    explicit LibImeDecoder(std::unique_ptr<libime::PinyinIME> ime) : m_ime(std::move(ime))
    {
        m_ime->setPreeditMode(libime::PinyinPreeditMode::Pinyin);
    }

    std::unique_ptr<PinyinInput> newInput(PinyinScheme scheme) override
    {
        if (const auto &profile = shuangpinOf(scheme).profile)
            m_ime->setShuangpinProfile(profile);
        return std::make_unique<LibImeInput>(m_ime.get(), scheme);
    }

private:
    std::unique_ptr<libime::PinyinIME> m_ime;
};

QString reasonOf(const std::exception &e)
{
    return QString::fromLocal8Bit(e.what());
}

class LibImeModule : public PinyinModule {
public:
    Loaded load(const QString &dictionaryFile, const QString &languageModelFile) const override
    {
        auto dictionary = std::make_unique<libime::PinyinDictionary>();
        try {
            dictionary->load(libime::PinyinDictionary::SystemDict, QFile::encodeName(dictionaryFile).constData(),
                             libime::PinyinDictFormat::Binary);
        } catch (const std::exception &e) {
            return {nullptr, Failure::Dictionary, reasonOf(e)};
        }
        std::unique_ptr<libime::UserLanguageModel> model;
        try {
            model = std::make_unique<libime::UserLanguageModel>(QFile::encodeName(languageModelFile).constData());
        } catch (const std::exception &e) {
            return {nullptr, Failure::LanguageModel, reasonOf(e)};
        }
        auto ime = std::make_unique<libime::PinyinIME>(std::move(dictionary), std::move(model));
        return {std::make_unique<LibImeDecoder>(std::move(ime)), Failure::None, QString()};
    }

    std::shared_ptr<const ShuangpinTable> shuangpinTable(PinyinScheme scheme) const override
    {
        return shuangpinOf(scheme).table;
    }
};
} // namespace

extern "C" Q_DECL_EXPORT const PinyinModule *quorvelPinyinModule()
{
    static const LibImeModule module;
    return &module;
}
