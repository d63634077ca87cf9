// The settings dialog: what it shows, what OK stores and applies, what Cancel
// and bad sizes leave alone, and that a restart reads the choices back.
#include "../../app/ui/ShellFixture.h"

#include "data/ui/SettingsDialog.h"
#include "support/ModalScript.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>

using W = ManagedWindow;

namespace {
const QStringList kBoxes{"C_NK_SoundD", "C_NK_SoundE", "C_TK_SoundD", "C_TK_SoundE",
                         "C_ZW_SoundR", "C_ZW_SoundE", "C_ZY_Sound"};
const QStringList kValues{"Sound_NK_Press", "Sound_NK_Error", "Sound_TK_Press", "Sound_TK_Error",
                          "Sound_ZW_Right", "Sound_ZW_Error", "Sound_ZY_Press"};
} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheRunningSettings()
    {
        ShellFixture f;
        f.start();
        SettingsDialog dialog(f.ctx, &f.main);
        QCOMPARE(dialog.windowTitle(), QString("系统设置"));
        auto *tabs = dialog.findChild<QTabWidget *>("SSTab1");
        QCOMPARE(tabs->tabText(0), QString("提示声音设置"));
        QCOMPARE(tabs->tabText(1), QString("文字设置"));
        for (const QString &name : kBoxes)
            QVERIFY2(!dialog.box(name)->isChecked(), qPrintable(name));
        QCOMPARE(dialog.box("C_ZW_SoundE")->text(), QString("输入错误无提示音"));
        QCOMPARE(dialog.referenceFontBox()->currentText(), QString("10"));
        QCOMPARE(dialog.inputFontBox()->currentText(), QString("10"));
        QCOMPARE(dialog.referenceFontBox()->count(), 10);
        QCOMPARE(dialog.referenceFontBox()->itemText(9), QString("19"));

        f.state.cues.nkError = false;
        f.state.cues.zyPress = false;
        f.state.fonts.intIn = 14;
        SettingsDialog again(f.ctx, &f.main);
        QVERIFY(again.box("C_NK_SoundE")->isChecked());
        QVERIFY(again.box("C_ZY_Sound")->isChecked());
        QVERIFY(!again.box("C_NK_SoundD")->isChecked());
        QCOMPARE(again.inputFontBox()->currentText(), QString("14"));
        QCOMPARE(again.referenceFontBox()->currentText(), QString("10"));
    }

    void okStoresAppliesAndSurvivesARestart()
    {
        ShellFixture f;
        f.registerFakes({W::FreeInputWindow, W::TextPracticeWindow});
        f.start();
        f.main.showWindow(W::FreeInputWindow);
        SettingsDialog dialog(f.ctx, &f.main);
        dialog.box("C_ZW_SoundE")->setChecked(true);
        dialog.box("C_TK_SoundD")->setChecked(true);
        dialog.referenceFontBox()->setCurrentText("16");
        dialog.inputFontBox()->setCurrentText("12");
        dialog.saveSettings();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        for (int i = 0; i < kValues.size(); ++i) {
            const bool off = kValues[i] == "Sound_ZW_Error" || kValues[i] == "Sound_TK_Press";
            QCOMPARE(f.settings.read("Sound", kValues[i]), QString(off ? "0" : "-1"));
        }
        QCOMPARE(f.settings.read("Font", "out_in_fontsize"), QString("16"));
        QCOMPARE(f.settings.read("Font", "int_in_fontsize"), QString("12"));
        QVERIFY(!f.state.cues.zwError && f.state.cues.zwRight && !f.state.cues.tkPress);
        QCOMPARE(f.state.fonts.outIn, 16);
        QCOMPARE(f.state.fonts.intIn, 12);
        // The open free-input window takes its size at once.
        QCOMPARE(f.panel(W::FreeInputWindow)->fontApplications, 1);

        // Right characters still sound, wrong ones are silent now.
        CueForJudgedKeystroke(f.cues, f.state.cues, true);
        CueForJudgedKeystroke(f.cues, f.state.cues, false);
        QCOMPARE(f.cues.played, std::vector<Cue>{Cue::Confirm});

        // The next start-up reads the same values back.
        const SettingsStore restarted(f.settings.path());
        CueFlags cues;
        FontSizes fonts;
        LoadStartupSettings(restarted, cues, fonts);
        QVERIFY(!cues.zwError && !cues.tkPress && cues.nkPress && cues.zyPress);
        QCOMPARE(fonts.outIn, 16);
        QCOMPARE(fonts.intIn, 12);
    }

    void cancelChangesNothing()
    {
        ShellFixture f;
        f.start();
        SettingsDialog dialog(f.ctx, &f.main);
        for (const QString &name : kBoxes)
            dialog.box(name)->setChecked(true);
        dialog.referenceFontBox()->setCurrentText("18");
        dialog.cancel();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(f.settings.path()));
        QVERIFY(f.state.cues.nkPress && f.state.cues.zwError && f.state.cues.zyPress);
        QCOMPARE(f.state.fonts.outIn, 0);
    }

    void aSizeOutsideTheListIsRefusedAndNothingIsStored()
    {
        ShellFixture f;
        f.start();
        f.state.fonts.outIn = 13;
        f.settings.write("Font", "out_in_fontsize", "13");
        SettingsDialog dialog(f.ctx, &f.main);
        dialog.show();
        for (const QString &size : {QString("20"), QString("9"), QString()}) {
            dialog.referenceFontBox()->setEditText("16");
            dialog.inputFontBox()->setEditText(size);
            dialog.box("C_ZY_Sound")->setChecked(true);
            MessageBoxScript script({QMessageBox::Ok});
            dialog.saveSettings();
            QCOMPARE(script.seen.size(), std::size_t(1));
            QCOMPARE(script.seen[0].text, QString("字体大小只能是10到19，请从列表中选择。"));
            QVERIFY(dialog.isVisible()); // still open, to correct the size
            QCOMPARE(dialog.focusWidget(), static_cast<QWidget *>(dialog.inputFontBox()));
        }
        QCOMPARE(f.state.fonts.outIn, 13);
        QCOMPARE(f.state.fonts.intIn, 0);
        QVERIFY(f.state.cues.zyPress);
        QCOMPARE(f.settings.read("Font", "out_in_fontsize"), QString("13"));
        QCOMPARE(f.settings.read("Font", "int_in_fontsize", "none"), QString("none"));
        QCOMPARE(f.settings.read("Sound", "Sound_ZY_Press", "none"), QString("none"));
        QCOMPARE(FontSizeInBox(" 17 "), std::optional<int>(17));
        QCOMPARE(FontSizeInBox("abc"), std::optional<int>());
        QCOMPARE(FontSizeInBox("9"), std::optional<int>());
        // Letters cannot even be typed into the box.
        dialog.referenceFontBox()->setEditText("");
        QTest::keyClicks(dialog.referenceFontBox(), "a1b5");
        QCOMPARE(dialog.referenceFontBox()->currentText(), QString("15"));
    }

    void theMenuCommandOpensItModally()
    {
        ShellFixture f;
        f.start();
        QString title;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                title = w->windowTitle();
                modal = w->isModal();
                w->close();
            }
        });
        QVERIFY(f.main.runCommand("other.settings"));
        QCOMPARE(title, QString("系统设置"));
        QVERIFY(modal);
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialog.moc"
