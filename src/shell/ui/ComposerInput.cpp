#include "shell/ui/ComposerInput.h"

#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/ui/CandidateWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCharFormat>
#include <QWidget>

namespace {
const QString kSection = QStringLiteral("Wubi");
const QString kValue = QStringLiteral("Composer");
const char kAttachedProperty[] = "quorvelComposerBox";

QString settingOf(int edition)
{
    return edition == 0 ? QStringLiteral("0") : QString::number(edition);
}

// The key as the composer sees it; nothing for a key it never takes
// (function keys, arrows, anything with Ctrl, Alt or Meta).
std::optional<ComposerKey> composerKey(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Backspace: return ComposerKey::special(ComposerKey::Backspace);
    case Qt::Key_Escape: return ComposerKey::special(ComposerKey::Escape);
    case Qt::Key_Return:
    case Qt::Key_Enter: return ComposerKey::special(ComposerKey::Enter);
    default: break;
    }
    const QString text = event.text();
    if (text.size() != 1 || !text[0].isPrint())
        return std::nullopt;
    return ComposerKey::typed(text[0]);
}

void sendInputMethodEvent(QWidget *box, const QString &preedit, const QString &commit)
{
    QList<QInputMethodEvent::Attribute> attributes;
    if (!preedit.isEmpty()) {
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, int(preedit.size()), underline)
                   << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(preedit.size()), 1, QVariant());
    }
    QInputMethodEvent event(preedit, attributes);
    event.setCommitString(commit);
    QCoreApplication::sendEvent(box, &event);
}

// One box given to the composer: an event filter that runs before the
// window's own, so a key the composer takes never reaches the window.
class BoxComposer : public QObject {
public:
    BoxComposer(ComposerMode &mode, QWidget *box, std::function<bool()> chinese)
        : QObject(box), m_mode(mode), m_box(box), m_chinese(std::move(chinese)), m_imEnabled(box->testAttribute(Qt::WA_InputMethodEnabled))
    {
        box->setProperty(kAttachedProperty, true);
        box->installEventFilter(this);
        connect(&mode, &ComposerMode::editionChanged, this, [this] {
            followMode();
            // The code in progress went with the edition: so does its pre-edit.
            if (m_box->hasFocus())
                sendInputMethodEvent(m_box, QString(), QString());
        });
        followMode();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(*static_cast<QKeyEvent *>(event));
        case QEvent::ReadOnlyChange:
            // The box has just set its input method for its new state.
            m_imEnabled = m_box->testAttribute(Qt::WA_InputMethodEnabled);
            followMode();
            return false;
        case QEvent::FocusIn:
            followMode();
            return false;
        case QEvent::FocusOut:
        case QEvent::Hide:
            // A commit that moves the focus on keeps the code it started.
            if (!s_delivering)
                dropCode();
            return false;
        default:
            return false;
        }
    }

private:
    bool active() const
    {
        return m_mode.isOn() && (!m_chinese || m_chinese()) && m_box->isEnabled() &&
               !m_box->property("readOnly").toBool();
    }

    // The system input method is off while the composer types here.
    void followMode()
    {
        const bool composing = m_mode.isOn() && (!m_chinese || m_chinese());
        const bool wanted = composing ? false : m_imEnabled;
        if (m_box->testAttribute(Qt::WA_InputMethodEnabled) == wanted)
            return;
        m_box->setAttribute(Qt::WA_InputMethodEnabled, wanted);
        if (m_box->hasFocus())
            QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }

    bool keyPress(const QKeyEvent &event)
    {
        followMode();
        const std::optional<ComposerKey> key = composerKey(event);
        if (!key || !active())
            return false;
        WubiComposer &composer = m_mode.composer();
        const ComposerResult result = composer.press(*key);
        m_mode.countKeys(result.consumed ? 1 : 0, result.commit);
        QWidget *target = m_box;
        if (!result.commit.isEmpty()) {
            m_mode.setNote(result.note);
            m_mode.noteLongerCode(result.noteWord);
            s_delivering = true;
            m_mode.beginCommit();
            sendInputMethodEvent(m_box, QString(), result.commit);
            m_mode.endCommit();
            s_delivering = false;
            // A finished line hands the focus to the next box.
            QWidget *focus = QApplication::focusWidget();
            if (focus && focus != m_box && focus->property(kAttachedProperty).toBool())
                target = focus;
        }
        showCode(target);
        return result.consumed;
    }

    void showCode(QWidget *target)
    {
        const WubiComposer &composer = m_mode.composer();
        if (composer.composing() || target == m_box)
            sendInputMethodEvent(target, composer.code(), QString());
        const QRect caret = target->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QPoint below = target->mapToGlobal(QPoint(caret.left(), caret.bottom() + 6));
        m_mode.candidateWindow()->showPage(composer.code(), composer.pageCandidates(), composer.page(),
                                           composer.hasNextPage(), below);
    }

    void dropCode()
    {
        WubiComposer &composer = m_mode.composer();
        if (!composer.composing())
            return;
        composer.clear();
        sendInputMethodEvent(m_box, QString(), QString());
        m_mode.candidateWindow()->hide();
    }

    static inline bool s_delivering = false;
    ComposerMode &m_mode;
    QWidget *m_box;
    std::function<bool()> m_chinese;
    bool m_imEnabled; // what the box itself wants
};
} // namespace

int ComposerEditionFromSetting(const QString &text)
{
    const QString t = text.trimmed();
    return t == QLatin1String("86") ? 86 : t == QLatin1String("98") ? 98 : 0;
}

ComposerMode::ComposerMode(AppContext &ctx, QObject *owner) : QObject(owner), m_ctx(ctx)
{
    m_ctx.composer = this;
    readSetting();
}

ComposerMode::~ComposerMode()
{
    if (m_ctx.composer == this)
        m_ctx.composer = nullptr;
    delete m_candidates.data();
}

void ComposerMode::readSetting()
{
    const int edition = ComposerEditionFromSetting(m_ctx.settings.read(kSection, kValue, QStringLiteral("0")));
    if (edition == m_edition)
        return;
    m_edition = edition;
    m_composer.setIndex(nullptr); // the edition's index is set at the next use
    m_indexSet = false;
    m_note.clear();
    if (m_candidates)
        m_candidates->hide();
    emit editionChanged();
    emit changed();
}

WubiComposer &ComposerMode::composer()
{
    // An index made of tables not yet read would stay empty: it is built
    // once the edition's table has rows.
    if (isOn() && !m_indexSet) {
        std::unique_ptr<WubiCodeIndex> &index = m_indexes[m_edition == 86 ? 0 : 1];
        const CodeTable &table = m_ctx.state.tables.edition(m_edition == 86);
        if (!index && !table.isEmpty())
            index = std::make_unique<WubiCodeIndex>(table);
        if (index) {
            m_composer.setIndex(index.get());
            m_indexSet = true;
        }
    }
    return m_composer;
}

void ComposerMode::setEdition(int edition)
{
    m_ctx.settings.write(kSection, kValue, settingOf(ComposerEditionFromSetting(settingOf(edition))));
    readSetting();
}

QString ComposerMode::statusText() const
{
    if (!isOn())
        return {};
    const QString edition = QStringLiteral("五笔%1").arg(m_edition);
    return m_note.isEmpty() ? edition : edition + QStringLiteral("  ") + m_note;
}

void ComposerMode::startTally()
{
    m_keys = 0;
    m_characters = 0;
    m_keysSinceCommit = 0;
}

QString ComposerMode::keysPerCharacterText() const
{
    if (!isOn() || m_characters == 0)
        return {};
    return QString::number(double(m_keys) / double(m_characters), 'f', 2);
}

void ComposerMode::countKeys(int keys, const QString &committed)
{
    m_keys += keys;
    m_keysSinceCommit += keys;
    m_characters += committed.toUcs4().size();
}

void ComposerMode::beginCommit()
{
    if (m_ctx.progressLog)
        m_ctx.progressLog->setComposerKeys(m_keysSinceCommit);
    m_keysSinceCommit = 0;
}

void ComposerMode::endCommit()
{
    if (m_ctx.progressLog)
        m_ctx.progressLog->setComposerKeys(0);
}

void ComposerMode::noteLongerCode(const QString &word)
{
    if (!word.isEmpty() && m_ctx.progressLog)
        m_ctx.progressLog->noteLongerCode(word);
}

void ComposerMode::setNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    emit changed();
}

CandidateWindow *ComposerMode::candidateWindow()
{
    if (!m_candidates)
        m_candidates = new CandidateWindow;
    return m_candidates;
}

void AttachComposer(AppContext &ctx, QWidget *box, std::function<bool()> chinese)
{
    if (ctx.composer && box)
        new BoxComposer(*ctx.composer, box, std::move(chinese));
}
