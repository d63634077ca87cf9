#pragma once
// The pinyin engine: the pinyin module's decoder over the system's pinyin
// dictionary and language model. Nothing is read until asked for: the module
// and the data take a fifth of a second and tens of megabytes, which a
// learner who never types pinyin should not pay. Loading can run in the
// background; a missing module or a missing or unreadable data file makes
// the engine unavailable with a message that names the file and the package
// providing it.
#include <QString>
#include <future>
#include <memory>

class PinyinDecoder;

class PinyinEngine {
public:
    struct DataFiles {
        QString dictionary;
        QString languageModel;
        QString module; // the pinyin module; empty: where the program's is
    };
    // Where the system's packages install them.
    static DataFiles installedFiles();

    explicit PinyinEngine(DataFiles files = installedFiles());
    ~PinyinEngine(); // waits for a load in progress
    PinyinEngine(const PinyinEngine &) = delete;
    PinyinEngine &operator=(const PinyinEngine &) = delete;

    // "拼音练习不可用：…" when a data file is not there; empty otherwise. Reads nothing.
    // (A module that cannot be loaded is told by `unavailableMessage()`.)
    QString missingDataMessage() const;

    // Starts loading in a thread of its own; nothing when already started.
    void startLoading();
    // Loads (or waits for the load started); false when the engine is unavailable.
    bool waitUntilLoaded();
    // Loaded and ready, without waiting.
    bool isLoaded() const;
    // Neither loaded nor loading.
    bool isIdle() const { return !m_loading.valid() && !m_settled; }
    // Why the load failed; empty while loading or when it worked.
    const QString &unavailableMessage() const { return m_error; }

    // Only once loaded.
    PinyinDecoder &ime();

private:
    struct Loaded {
        std::unique_ptr<PinyinDecoder> ime;
        QString error;
    };
    // The module, then the data.
    static Loaded load(const DataFiles &files);
    void settle() const;

    DataFiles m_files;
    mutable std::future<Loaded> m_loading;
    mutable bool m_settled = false;
    mutable std::unique_ptr<PinyinDecoder> m_ime;
    mutable QString m_error;
};
