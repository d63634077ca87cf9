#include "records/ui/ResultWindow.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "data/Clock.h"
#include "data/Settings.h"
#include "records/RecordFile.h"
#include "shell/ui/NameField.h"
#include "shell/ui/SongFont.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <QVBoxLayout>

namespace {

const QString kUserSection = QStringLiteral("User");
const QString kNameValue = QStringLiteral("Name");

} // namespace

ResultWindow::ResultWindow(AppContext &ctx, const PracticeReport &report, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_report(report)
{
    setObjectName(QStringLiteral("CountMessage"));
    setWindowTitle(report.title);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildLayout(report);

    // On load:
    m_saved = false;
    m_nameBox->setText(FitTextField(ctx.settings.read(kUserSection, kNameValue), kNameWidth));
    ctx.state.resultWindowOpen = true;
    adjustSize();
    if (ctx.shell)
        ctx.shell->centreDialog(this);
}

ResultWindow::~ResultWindow()
{
    m_ctx.state.resultWindowOpen = false;
}

void ResultWindow::buildLayout(const PracticeReport &report)
{
    setFont(SongFont(10.5));
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(24);
    for (int i = 0; i < 6; ++i) {
        m_captionLabels[i] = new QLabel(report.captions[i] + QStringLiteral("："), this);
        m_captionLabels[i]->setObjectName(QStringLiteral("lblCaption(%1)").arg(i));
        m_captionLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_figureLabels[i] = new QLabel(report.values[i], this);
        m_figureLabels[i]->setObjectName(QStringLiteral("lblMessage(%1)").arg(i));
        m_figureLabels[i]->setFont(SongFont(12));
        m_figureLabels[i]->setMinimumWidth(140);
        rows->addWidget(m_captionLabels[i], i, 0);
        rows->addWidget(m_figureLabels[i], i, 1);
    }
    addTypingRows(rows, report);
    if (!report.pinyinMistakes.isEmpty()) {
        // A pinyin drill: how the wrong characters were misheard.
        auto *caption = new QLabel(QStringLiteral("读音混淆："), this);
        caption->setObjectName(QStringLiteral("lblPinyinMistakes"));
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        auto *value = new QLabel(report.pinyinMistakes.join(QLatin1Char('\n')), this);
        value->setObjectName(QStringLiteral("lblPinyinMistakesValue"));
        const int row = rows->rowCount();
        rows->addWidget(caption, row, 0);
        rows->addWidget(value, row, 1);
    }

    auto *nameRow = new QHBoxLayout;
    auto *label1 = new QLabel(QStringLiteral("姓名："), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(QStringLiteral("txtName"));
    LimitToNameField(m_nameBox);
    m_nameBox->installEventFilter(this);
    nameRow->addWidget(label1);
    nameRow->addWidget(m_nameBox, 1);

    auto *buttons = new QHBoxLayout;
    m_saveButton = new QPushButton(QStringLiteral("保存记录"), this);
    m_saveButton->setObjectName(QStringLiteral("comSave"));
    m_browseButton = new QPushButton(QStringLiteral("查看记录"), this);
    m_browseButton->setObjectName(QStringLiteral("comBrowse"));
    m_closeButton = new QPushButton(QStringLiteral("关闭"), this);
    m_closeButton->setObjectName(QStringLiteral("comClose"));
    for (QPushButton *b : {m_saveButton, m_browseButton, m_closeButton}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    connect(m_saveButton, &QPushButton::clicked, this, &ResultWindow::saveResult);
    connect(m_browseButton, &QPushButton::clicked, this, &ResultWindow::browseRecords);
    connect(m_closeButton, &QPushButton::clicked, this, &ResultWindow::closeResult);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(12);
    layout->addLayout(rows);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);
}

// The typing figures below the six rows: those the way of typing shows,
// and a note on the ones it keeps to itself.
void ResultWindow::addTypingRows(QGridLayout *rows, const PracticeReport &report)
{
    const TypingFigureTexts t =
        TextsOf(report.typing, qint64(report.figures.elapsedSeconds) * 1000, report.figures.characters);
    const struct {
        const char *caption, *name;
        QString value;
    } figures[] = {
        {"击键", "lblKeysPerSecond", t.keysPerSecond},
        {"码长", "lblKeysPerCharacter", t.keysPerCharacter},
        {"理想码长", "lblIdealKeysPerCharacter", t.idealKeysPerCharacter},
        {"打词率", "lblPhraseShare", t.phraseShare},
        {"选重", "lblCandidatePicks", t.candidatePicks},
        {"回改", "lblCorrections", t.corrections},
    };
    int row = rows->rowCount();
    for (const auto &figure : figures) {
        if (figure.value.isEmpty())
            continue;
        auto *caption = new QLabel(QString::fromUtf8(figure.caption) + QStringLiteral("："), this);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *value = new QLabel(figure.value, this);
        value->setObjectName(QString::fromLatin1(figure.name));
        value->setFont(SongFont(12));
        rows->addWidget(caption, row, 0);
        rows->addWidget(value, row++, 1);
    }
    if (!report.typing.keysSeen() && !report.typing.method.isEmpty()) {
        auto *note = new QLabel(kFiguresNeedComposer, this);
        note->setObjectName(QStringLiteral("lblTypingNote"));
        note->setWordWrap(true);
        rows->addWidget(note, row, 0, 1, 2);
    }
}

bool ResultWindow::eventFilter(QObject *watched, QEvent *event)
{
    // On focus the remembered name is selected, so typing replaces it.
    if (watched == m_nameBox && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_nameBox, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

QMessageBox::StandardButton ResultWindow::ask(const QString &title, const QString &text,
                                                    QMessageBox::StandardButton preselected)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(preselected);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ResultWindow::tell(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, this);
    box.exec();
}

void ResultWindow::saveResult()
{
    if (m_saved
        && ask(QStringLiteral("提示"), QStringLiteral("记录已经保存了，是否还要保存"), QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const QString name = m_nameBox->text();
    if (name.isEmpty()) {
        tell(QMessageBox::Information, QStringLiteral("提醒"), QStringLiteral("请先输入你的名字"));
        return;
    }

    // Numbered and written under the record file's lock, so a save from
    // another running copy cannot take the same slot.
    const SaveRecordResult saved =
        AppendRecord(m_ctx.paths.recordFile(), RecordOfRun(m_report.figures, m_report.counts, name,
                                                           m_ctx.state.practiceTitle, m_ctx.clock.now()));
    if (!saved.error.isEmpty()) {
        tell(QMessageBox::Warning, QStringLiteral("记录保存"), QStringLiteral("记录没有保存：") + saved.error);
        return;
    }
    // Only a name that really went into the file is remembered.
    m_ctx.settings.write(kUserSection, kNameValue, name.trimmed());
    m_saved = true;
    tell(QMessageBox::Information, QStringLiteral("记录保存"), QStringLiteral("记录已成功保存"));
}

void ResultWindow::browseRecords()
{
    if (!m_saved
        && ask(QStringLiteral("提示"), QStringLiteral("你还没保存记录，是否现在保存记录"), QMessageBox::Yes)
               == QMessageBox::Yes)
        return;
    done(QDialog::Accepted);
    openRecordViewer();
}

void ResultWindow::openRecordViewer()
{
    Shell *shell = m_ctx.shell;
    if (!shell)
        return;
    AppContext *ctx = &m_ctx;
    // The report may have been opened from inside a practice window's handler;
    // the viewer's close-others step unloads that window, so it runs once the
    // handler has returned.
    QTimer::singleShot(0, shell->mainWindow(), [ctx, shell] {
        if (!ctx->state.shown(ManagedWindow::RecordViewer))
            shell->showWindow(ManagedWindow::RecordViewer);
        shell->closeOthers({ManagedWindow::RecordViewer});
    });
}

void ResultWindow::closeResult()
{
    done(QDialog::Rejected);
}
