// The built-in composers in the line-by-line window: key presses into the
// input line, commits judged character by character like input-method
// commits, the candidate window, the switch between Wubi and pinyin, and the
// typing figures (击键, 码长, 理想码长, 打词率, 选重, 回改) in the run panel,
// the report and the progress statistics.
#include "../../practice/ui/PracticeHarness.h"
#include "progress/ui/ProgressService.h"
#include "shell/ui/CandidateWindow.h"
#include "shell/ui/ComposerInput.h"

#include <QtTest>

namespace {
// A line practice with the composer made first, as the program does: before
// the code tables are read (the program reads them after start-up).
struct ComposerHarness : TestContext {
    ComposerMode *mode = nullptr;
    LinePracticeWindow *line = nullptr;

    explicit ComposerHarness(const QString &edition, bool chinese = true, const QString &pinyin = QStringLiteral("0"))
        : TestContext(7)
    {
        settings.write(QStringLiteral("Wubi"), QStringLiteral("Composer"), edition);
        settings.write(QStringLiteral("Pinyin"), QStringLiteral("Composer"), pinyin);
        mode = new ComposerMode(ctx, shell.mainWindow());
        if (!LoadCodeTables(TestEnv::dataRoot(), true, true, state.tables).isEmpty())
            qFatal("code tables missing under %s", qPrintable(TestEnv::dataRoot()));
        RegisterLinePractice(ctx, shell);
        RegisterRecords(ctx, shell);
        shell.runCommand(chinese ? QStringLiteral("chinese.line") : QStringLiteral("english.line"));
        line = qobject_cast<LinePracticeWindow *>(shell.window(ManagedWindow::LinePracticeWindow));
        shell.mainWindow()->show();
        // Focus, as in the program: the box that takes it turns its input method off.
        shell.mainWindow()->activateWindow();
        if (!QTest::qWaitForWindowActive(shell.mainWindow()))
            qWarning("the window did not become active");
    }

    void startRun(const QString &text)
    {
        state.pendingText = text;
        line->fillReferencePage();
        StartDialog dialog(ctx);
        dialog.startOnEnter(Qt::Key_Return);
    }

    RunPanel *runPanel() const { return qobject_cast<RunPanel *>(shell.window(ManagedWindow::RunPanel)); }

    void type(int index, const char *keys) { QTest::keyClicks(line->input(index), QLatin1String(keys)); }
};
} // namespace

class ComposerInputTest : public QObject {
    Q_OBJECT
private slots:
    void commitsAreJudgedCharacterByCharacterInTheLineWindow();
    void switchingTheEditionMidCodeClearsIt();
    void englishPracticeAndTheSwitchOffLeaveTheBoxAlone();
    void composedRunGivesTypingFiguresToPanelReportAndStatistics();
    void systemInputMethodRunCountsCorrectionsAndSaysWhatIsMissing();
    void pinyinLinesScoreFullMarks_data();
    void pinyinLinesScoreFullMarks();
    void switchingOneComposerOnSwitchesTheOtherOff();
};

void ComposerInputTest::commitsAreJudgedCharacterByCharacterInTheLineWindow()
{
    ComposerHarness h(QStringLiteral("86"));
    QCOMPARE(h.mode->statusText(), QStringLiteral("五笔86"));
    h.startRun(QStringLiteral("经济中国，你好\r\n中国\r\n再见\r\n"));
    auto *in0 = h.line->input(0);
    QVERIFY(!in0->testAttribute(Qt::WA_InputMethodEnabled));

    // A code in progress is pre-edit: nothing is committed or judged yet.
    h.type(0, "xci");
    QCOMPARE(in0->text(), QString());
    QCOMPARE(h.run().errors(), 0);
    CandidateWindow *candidates = h.mode->candidateWindow();
    QVERIFY(candidates->isVisible());
    QVERIFY(candidates->text().contains(QStringLiteral("经济")));

    // The fourth key of a phrase code commits two characters in one go;
    // each is judged against its own reference character.
    h.type(0, "y");
    QCOMPARE(in0->text(), QStringLiteral("经济"));
    QVERIFY(!candidates->isVisible());
    QCOMPARE(h.run().errors(), 0);
    QCOMPARE(h.cues.played.back(), Cue::Confirm);

    h.type(0, "k lgyi");
    QCOMPARE(in0->text(), QStringLiteral("经济中国"));
    // 中 by one key and 国 by four: 中国 has a code of four.
    QCOMPARE(h.mode->note(), QStringLiteral("词组：khlg"));
    QCOMPARE(h.mode->statusText(), QStringLiteral("五笔86  词组：khlg"));

    // Punctuation, then a wrong character where 你 is expected.
    h.type(0, ",vb ");
    QCOMPARE(in0->text().left(5), QStringLiteral("经济中国，"));
    QCOMPARE(in0->text().size(), 6);
    QCOMPARE(h.run().errors(), 1);
    QVERIFY(h.line->reference(0)->isMarked(5));
    QCOMPARE(h.cues.played.back(), Cue::Error);

    // Backspace with no code in progress is the box's own: the wrong one goes.
    QTest::keyClick(in0, Qt::Key_Backspace);
    QCOMPARE(in0->text(), QStringLiteral("经济中国，"));
    QCOMPARE(h.run().errors(), 0);

    // The line ends in the middle of a commit-and-start: "wqvb" waits with
    // two candidates, "k" commits 你好 (line 0 done) and its code goes on in
    // line 1, where the space commits 中.
    h.type(0, "wqvbk");
    QCOMPARE(in0->text(), QStringLiteral("经济中国，你好"));
    QCOMPARE(h.state.activeLine, 1);
    QVERIFY(h.line->input(1)->hasFocus() || QApplication::focusWidget() == nullptr);
    QCOMPARE(h.mode->composer().preedit(), QStringLiteral("k"));
    h.type(1, " ");
    QCOMPARE(h.line->input(1)->text(), QStringLiteral("中"));
    QCOMPARE(h.run().errors(), 0);
}

void ComposerInputTest::switchingTheEditionMidCodeClearsIt()
{
    ComposerHarness h(QStringLiteral("86"));
    h.startRun(QStringLiteral("我们\r\n"));
    h.type(0, "trn");
    QVERIFY(h.mode->composer().composing());
    h.mode->setEdition(98);
    QVERIFY(!h.mode->composer().composing());
    QVERIFY(!h.mode->candidateWindow()->isVisible());
    QCOMPARE(h.settings.read(QStringLiteral("Wubi"), QStringLiteral("Composer")), QStringLiteral("98"));
    QCOMPARE(h.mode->statusText(), QStringLiteral("五笔98"));

    // Now the 98 codes: 我 is trny there (trnt is 选择性).
    h.type(0, "trny1");
    QCOMPARE(h.line->input(0)->text(), QStringLiteral("我"));
    QCOMPARE(h.run().errors(), 0);
}

void ComposerInputTest::englishPracticeAndTheSwitchOffLeaveTheBoxAlone()
{
    ComposerHarness english(QStringLiteral("86"), false);
    english.startRun(QStringLiteral("ab, cd\r\n"));
    english.type(0, "ab, c");
    QCOMPARE(english.line->input(0)->text(), QStringLiteral("ab, c"));
    QVERIFY(english.line->input(0)->testAttribute(Qt::WA_InputMethodEnabled));

    ComposerHarness off(QStringLiteral("0"));
    QCOMPARE(off.mode->statusText(), QString());
    off.startRun(QStringLiteral("ab\r\n"));
    off.type(0, "a");
    QCOMPARE(off.line->input(0)->text(), QStringLiteral("a"));
    QVERIFY(off.line->input(0)->testAttribute(Qt::WA_InputMethodEnabled));
    // On again: the same box composes and its input method is off.
    off.mode->setEdition(86);
    QVERIFY(!off.line->input(0)->testAttribute(Qt::WA_InputMethodEnabled));
    off.mode->setEdition(0);
    QVERIFY(off.line->input(0)->testAttribute(Qt::WA_InputMethodEnabled));
}

void ComposerInputTest::composedRunGivesTypingFiguresToPanelReportAndStatistics()
{
    ComposerHarness h(QStringLiteral("98"));
    ProgressService progress(h.ctx, QDir(h.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")), nullptr);
    ModalWatcher watcher;
    QHash<QString, QString> shown;
    watcher.handle = [&](QWidget *w) {
        for (const char *name : {"lblKeysPerSecond", "lblKeysPerCharacter", "lblIdealKeysPerCharacter",
                                 "lblPhraseShare", "lblCandidatePicks", "lblCorrections", "lblTypingNote"})
            if (auto *value = w->findChild<QLabel *>(QLatin1String(name)))
                shown.insert(QLatin1String(name), value->text());
        return false;
    };
    h.startRun(QStringLiteral("我们有经济。\r\n"));
    auto *in = h.line->input(0);
    // 我们 by its phrase code (4 keys); 我 by mistake (q, space) and erased
    // with Backspace: one correction of committed text (3 keys); 有 is the
    // second candidate of "def", whose f is corrected on the way: d e f
    // Backspace f 2 (6 keys, one pick, one correction of the code); 经济 by
    // its phrase code (4 keys) and 。 (1 key). Delete at the end erases
    // nothing and counts nowhere. 18 keys in 9 running seconds, 6 characters
    // stand; 7 were committed, 4 of them in phrases.
    h.type(0, "trwu");
    h.clock.advanceSeconds(3);
    h.type(0, "q ");
    QTest::keyClick(in, Qt::Key_Backspace);
    h.type(0, "def");
    QTest::keyClick(in, Qt::Key_Backspace);
    h.type(0, "f2");
    QCOMPARE(in->text(), QStringLiteral("我们有"));
    h.clock.advanceSeconds(3);
    h.type(0, "xciy");
    QTest::keyClick(in, Qt::Key_Delete);
    QCOMPARE(in->text(), QStringLiteral("我们有经济"));

    // Live in the panel: the ideal for 我们有经济。 in 98 is trwu, e + space,
    // xciy and one key for 。: 11 keys, 1.83 a character (the 。 is not typed yet: 10 / 5).
    h.runPanel()->tickFigures();
    QCOMPARE(h.runPanel()->typingLabel->text(),
             QStringLiteral("击键 2.83\n码长 3.40\n理想码长 2.00\n打词率 66.7%\n选重 1  回改 1"));

    h.clock.advanceSeconds(3);
    h.type(0, ".");
    QTRY_VERIFY(!shown.isEmpty());
    QCOMPARE(shown.value(QStringLiteral("lblKeysPerSecond")), QStringLiteral("2.00"));
    QCOMPARE(shown.value(QStringLiteral("lblKeysPerCharacter")), QStringLiteral("3.00"));
    QCOMPARE(shown.value(QStringLiteral("lblIdealKeysPerCharacter")), QStringLiteral("1.83"));
    QCOMPARE(shown.value(QStringLiteral("lblPhraseShare")), QStringLiteral("57.1%"));
    QCOMPARE(shown.value(QStringLiteral("lblCandidatePicks")), QStringLiteral("1"));
    QCOMPARE(shown.value(QStringLiteral("lblCorrections")), QStringLiteral("1（改码 1）"));
    QVERIFY(!shown.contains(QStringLiteral("lblTypingNote")));

    // Stored with the run, under the edition it was typed with.
    const QVector<RunSummary> runs = progress.runSummaries();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].characters, 6);
    QCOMPARE(runs[0].durationMs, 9000);
    TypingFigures expected;
    expected.method = QStringLiteral("wubi98");
    expected.keys = 18;
    expected.committedCharacters = 7;
    expected.phraseCharacters = 4;
    expected.candidatePicks = 1;
    expected.textCorrections = 1;
    expected.codeCorrections = 1;
    expected.idealKeys = 11;
    expected.idealCharacters = 6;
    QCOMPARE(runs[0].typing, expected);
}

void ComposerInputTest::systemInputMethodRunCountsCorrectionsAndSaysWhatIsMissing()
{
    ComposerHarness h(QStringLiteral("0"));
    ProgressService progress(h.ctx, QDir(h.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")), nullptr);
    ModalWatcher watcher;
    QHash<QString, QString> shown;
    watcher.handle = [&](QWidget *w) {
        for (const char *name : {"lblKeysPerSecond", "lblCorrections", "lblTypingNote"})
            if (auto *value = w->findChild<QLabel *>(QLatin1String(name)))
                shown.insert(QLatin1String(name), value->text());
        return false;
    };
    h.startRun(QStringLiteral("你好中国\r\n"));
    auto *in = h.line->input(0);
    const auto commit = [in](const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(in, &event);
    };
    // A wrong phrase from the system input method, erased by two Backspaces
    // (an empty box takes a third that erases nothing), then the right one.
    commit(QStringLiteral("拟好"));
    QTest::keyClick(in, Qt::Key_Backspace);
    QTest::keyClick(in, Qt::Key_Backspace);
    QTest::keyClick(in, Qt::Key_Backspace);
    h.runPanel()->tickFigures();
    QCOMPARE(h.runPanel()->typingLabel->text(), QStringLiteral("回改 2\n") + kFiguresNeedComposer);
    h.clock.advanceSeconds(2);
    commit(QStringLiteral("你好中国"));
    QTRY_VERIFY(!shown.isEmpty());
    QCOMPARE(shown.value(QStringLiteral("lblCorrections")), QStringLiteral("2"));
    QCOMPARE(shown.value(QStringLiteral("lblTypingNote")), kFiguresNeedComposer);
    QVERIFY(!shown.contains(QStringLiteral("lblKeysPerSecond")));
    const QVector<RunSummary> runs = progress.runSummaries();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].typing.method, QStringLiteral("ime"));
    QCOMPARE(runs[0].typing.keys, -1);
    QCOMPARE(runs[0].typing.textCorrections, 2);
}

void ComposerInputTest::pinyinLinesScoreFullMarks_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("status");
    // Keys in groups: each group is typed, then the checks after it are made.
    QTest::addColumn<QStringList>("keys");
    // 中国人 by its first two syllables (the candidate 中国), then 人:
    // the whole is committed once all of the input is chosen.
    QTest::newRow("全拼") << QStringLiteral("full") << QStringLiteral("全拼")
                        << QStringList{QStringLiteral("nihaozhongguo "), QStringLiteral(","),
                                       QStringLiteral("zhongguoren"), QStringLiteral(" ")};
    // 小鹤: zh is v, ong s, uo o, ao c, en f.
    QTest::newRow("小鹤双拼") << QStringLiteral("xiaohe") << QStringLiteral("小鹤双拼")
                          << QStringList{QStringLiteral("nihcvsgo "), QStringLiteral(","),
                                         QStringLiteral("vsgorf"), QStringLiteral(" ")};
}

void ComposerInputTest::pinyinLinesScoreFullMarks()
{
    QFETCH(QString, scheme);
    QFETCH(QString, status);
    QFETCH(QStringList, keys);
    ComposerHarness h(QStringLiteral("0"), true, scheme);
    QCOMPARE(h.mode->statusText(), status);
    QCOMPARE(h.mode->methodKey(), scheme);
    ModalWatcher watcher;
    h.startRun(QStringLiteral("你好中国，中国人\r\n"));
    auto *in0 = h.line->input(0);
    QVERIFY(!in0->testAttribute(Qt::WA_InputMethodEnabled));

    // While composing, the pinyin is pre-edit and the candidates show.
    QTest::keyClicks(in0, keys[0].chopped(1));
    QCOMPARE(in0->text(), QString());
    QCOMPARE(h.mode->composer().preedit(), QStringLiteral("ni hao zhong guo"));
    QVERIFY(h.mode->candidateWindow()->isVisible());
    QVERIFY(h.mode->candidateWindow()->text().contains(QStringLiteral("你好中国")));
    QTest::keyClick(in0, Qt::Key_Space);
    QCOMPARE(in0->text(), QStringLiteral("你好中国"));
    QTest::keyClicks(in0, keys[1]);
    QCOMPARE(in0->text(), QStringLiteral("你好中国，"));

    // A partial pick stays in the pre-edit until the rest is chosen.
    QTest::keyClicks(in0, keys[2]);
    const QVector<CodeEntry> &page = h.mode->composer().pageCandidates();
    const auto zhongguo = std::find_if(page.begin(), page.end(), [](const CodeEntry &c) { return c.word == QStringLiteral("中国"); });
    QVERIFY(zhongguo != page.end());
    QTest::keyClick(in0, char('1' + (zhongguo - page.begin())));
    QCOMPARE(in0->text(), QStringLiteral("你好中国，"));
    QCOMPARE(h.mode->composer().preedit(), QStringLiteral("中国ren"));
    QCOMPARE(h.run().errors(), 0);
    QTest::keyClicks(in0, keys[3]);
    QTRY_COMPARE(watcher.reports.size(), size_t(1));
    QCOMPARE(watcher.reports[0].values[4], QStringLiteral("100.00%"));
}

void ComposerInputTest::switchingOneComposerOnSwitchesTheOtherOff()
{
    const QString wubi = QStringLiteral("Wubi"), pinyin = QStringLiteral("Pinyin"), key = QStringLiteral("Composer");
    ComposerHarness h(QStringLiteral("86"));
    h.startRun(QStringLiteral("你好\r\n"));
    h.type(0, "wq");
    h.mode->setPinyinScheme(PinyinScheme::Ziranma);
    QCOMPARE(h.settings.read(wubi, key), QStringLiteral("0"));
    QCOMPARE(h.settings.read(pinyin, key), QStringLiteral("ziranma"));
    QCOMPARE(h.mode->edition(), 0);
    QCOMPARE(h.mode->methodKey(), QStringLiteral("ziranma"));
    QVERIFY(!h.mode->candidateWindow()->isVisible());
    QVERIFY(!h.line->input(0)->testAttribute(Qt::WA_InputMethodEnabled));

    h.mode->setEdition(98);
    QCOMPARE(h.settings.read(wubi, key), QStringLiteral("98"));
    QCOMPARE(h.settings.read(pinyin, key), QStringLiteral("0"));
    QVERIFY(!h.mode->pinyinScheme());
    QCOMPARE(h.mode->methodKey(), QStringLiteral("wubi98"));

    // Both on, as only a hand-edited file can have it: one composer, Wubi.
    h.settings.write(pinyin, key, QStringLiteral("full"));
    h.mode->readSetting();
    QCOMPARE(h.mode->methodKey(), QStringLiteral("wubi98"));
    h.mode->setPinyinScheme(std::nullopt);
    QCOMPARE(h.settings.read(wubi, key), QStringLiteral("98"));
    QCOMPARE(h.mode->methodKey(), QStringLiteral("wubi98"));
    h.mode->setEdition(0);
    QCOMPARE(h.mode->methodKey(), QString());
    QVERIFY(!h.mode->isOn());
}

QTEST_MAIN(ComposerInputTest)
#include "ComposerInput.moc"
