#pragma once
// A pinyin composer: full pinyin or a 双拼 scheme through the pinyin engine,
// with the keys every composer shares. No widgets: a key is a plain value,
// and each press answers what to commit.
//
// Letters (and, in a 双拼 scheme, its other keys such as `;` after a first
// key) build the input; the pre-edit shows it as spaced pinyin. Space or
// 1..9, 0 pick a candidate of the page, `-` and `=` turn pages, Backspace
// takes back the last key, Escape drops the input and Enter commits the
// letters as typed. In full pinyin `'` separates syllables.
//
// A candidate covering only the first syllables is taken and the rest stays
// to choose, shown after it in the pre-edit; the whole is committed once all
// of the input is chosen, as common pinyin input methods do. Punctuation
// commits the best sentence for the input first, then gives Chinese
// punctuation; digits and capital letters pass through.
#include "pinyin/PinyinScheme.h"
#include "data/Composing.h"

#include <memory>

class PinyinDecoder;
class PinyinInput;
struct ShuangpinTable;

class PinyinComposer : public Composer {
public:
    PinyinComposer();
    ~PinyinComposer() override;

    // `decoder` may be null: the composer then passes every key through.
    // Input in progress and the quote state are dropped.
    void setEngine(PinyinDecoder *decoder, PinyinScheme scheme);
    PinyinScheme scheme() const { return m_scheme; }

    void clear() override;
    bool composing() const override;
    QString preedit() const override;
    int page() const override { return m_page; }
    const QVector<CodeEntry> &pageCandidates() const override { return m_candidates; }
    bool hasNextPage() const override { return m_hasNextPage; }

    // The keys typed so far (selected part included).
    QString typedKeys() const;

private:
    bool ready() const override { return m_context != nullptr; }
    bool takesKey(QChar c) const override;
    ComposerResult typeKey(QChar c) override;
    void takeBackKey() override;
    ComposerResult pick(int onPage) override;
    void showPage(int page) override;
    ComposerResult commitLetters() override;
    ComposerResult endInput() override; // the best sentence for the input

    std::unique_ptr<PinyinInput> m_context;
    PinyinScheme m_scheme = PinyinScheme::Full;
    std::shared_ptr<const ShuangpinTable> m_profile;
    int m_page = 0;
    QVector<CodeEntry> m_candidates;
    bool m_hasNextPage = false;
};
