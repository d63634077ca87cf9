// Builds data/pinyin_words.txt from the pinyin engine's dictionary and
// language model: one line per entry, "word<TAB>pin'yin<TAB>score", sorted by
// the word's UTF-8 bytes, with the score the language model gives the word on
// its own plus the dictionary's cost of this reading of it (both log10 of a
// probability: higher is more common, and of a character's readings the
// usual one scores highest). The program reads
// this file for word readings, frequency ranks and reverse lookup, without
// loading the engine itself.
#include <libime/core/languagemodel.h>
#include <libime/pinyin/pinyindictionary.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string word;
    std::string pinyin;
    float score;
};

std::vector<Entry> ReadDictionary(const std::string &path, const libime::LanguageModel &model)
{
    libime::PinyinDictionary dictionary;
    dictionary.load(libime::PinyinDictionary::SystemDict, path.c_str(), libime::PinyinDictFormat::Binary);
    std::stringstream text;
    dictionary.save(libime::PinyinDictionary::SystemDict, text, libime::PinyinDictFormat::Text);
    std::vector<Entry> entries;
    std::string word, pinyin;
    float cost = 0;
    while (text >> word >> pinyin >> cost)
        entries.push_back({word, pinyin, model.singleWordScore(word) + cost});
    return entries;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: mkpinyin DICTIONARY LANGUAGE_MODEL OUTPUT\n";
        return 2;
    }
    try {
        libime::LanguageModel model(argv[2]);
        std::vector<Entry> entries = ReadDictionary(argv[1], model);
        // A word with several readings keeps one line per reading.
        std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
            return a.word != b.word ? a.word < b.word : a.pinyin < b.pinyin;
        });
        entries.erase(std::unique(entries.begin(), entries.end(),
                                  [](const Entry &a, const Entry &b) { return a.word == b.word && a.pinyin == b.pinyin; }),
                      entries.end());
        const std::string temporary = std::string(argv[3]) + ".part";
        {
            std::ofstream out(temporary, std::ios::binary);
            char score[32];
            for (const Entry &e : entries) {
                std::snprintf(score, sizeof score, "%.3f", e.score);
                out << e.word << '\t' << e.pinyin << '\t' << score << '\n';
            }
            if (!out.flush()) {
                std::cerr << "mkpinyin: cannot write " << temporary << "\n";
                return 1;
            }
        }
        if (std::rename(temporary.c_str(), argv[3]) != 0) {
            std::cerr << "mkpinyin: cannot write " << argv[3] << "\n";
            return 1;
        }
        std::cout << entries.size() << " words\n";
    } catch (const std::exception &e) {
        std::cerr << "mkpinyin: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
