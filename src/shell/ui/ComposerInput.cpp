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
const QString kWubiSection = QStringLiteral("Wubi");
const QString kPinyinSection = QStringLiteral("Pinyin");
const QString kValue = QStringLiteral("Composer");
const char kAttachedProperty[] = "quorvelComposerBox";

QString settingOf(int edition)
{
    return edition == 0 ? QStringLiteral("0") : QString::number(edition);
}

QString settingOf(std::optional<PinyinScheme> scheme)
{
    return scheme ? pinyin::SchemeKey(*scheme) : QStringLiteral("0");
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
        connect(&mode, &ComposerMode::methodChanged, this, [this] {
            followMode();
            // The input in progress went with the method: so does its pre-edit.
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
        if (!key || !active()) {
            noteErasing(event);
            return false;
        }
        Composer &composer = m_mode.composer();
        const bool hadCode = composer.composing();
        const ComposerResult result = composer.press(*key);
        m_mode.countKeys(result.consumed ? 1 : 0);
        emit m_mode.keyCounted();
        if (hadCode && result.consumed
            && (key->kind == ComposerKey::Backspace || key->kind == ComposerKey::Escape))
            emit m_mode.codeCorrected();
        if (!result.consumed)
            noteErasing(event);
        QWidget *target = m_box;
        if (!result.commit.isEmpty()) {
            emit m_mode.committed(result.commit, result.word, result.candidate);
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

    // Backspace or Delete that the box itself takes: committed text it erases.
    void noteErasing(const QKeyEvent &event)
    {
        if (event.key() != Qt::Key_Backspace && event.key() != Qt::Key_Delete)
            return;
        if (!m_box->isEnabled() || m_box->property("readOnly").toBool())
            return;
        const QString selected = m_box->inputMethodQuery(Qt::ImCurrentSelection).toString();
        if (!selected.isEmpty()) {
            emit m_mode.textCorrected(int(selected.toUcs4().size()));
            return;
        }
        const int caret = m_box->inputMethodQuery(Qt::ImCursorPosition).toInt();
        const int absolute = m_box->inputMethodQuery(Qt::ImAbsolutePosition).toInt();
        const int length = int(m_box->inputMethodQuery(Qt::ImSurroundingText).toString().size());
        const bool erases = event.key() == Qt::Key_Backspace ? caret > 0 || absolute > 0 : caret < length;
        if (erases)
            emit m_mode.textCorrected(1);
    }

    void showCode(QWidget *target)
    {
        const Composer &composer = m_mode.composer();
        const QString preedit = composer.preedit();
        if (composer.composing() || target == m_box)
            sendInputMethodEvent(target, preedit, QString());
        const QRect caret = target->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QPoint below = target->mapToGlobal(QPoint(caret.left(), caret.bottom() + 6));
        m_mode.candidateWindow()->showPage(preedit, composer.pageCandidates(), composer.page(),
                                           composer.hasNextPage(), below);
    }

    void dropCode()
    {
        // A focus change must not wait for the pinyin engine's load.
        if (!m_mode.composing())
            return;
        m_mode.composer().clear();
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
    int edition = ComposerEditionFromSetting(m_ctx.settings.read(kWubiSection, kValue, QStringLiteral("0")));
    std::optional<PinyinScheme> scheme =
        pinyin::SchemeFromKey(m_ctx.settings.read(kPinyinSection, kValue, QStringLiteral("0")));
    // Both on only in a file edited by hand: Wubi, the older switch, wins.
    if (edition != 0)
        scheme.reset();
    switchTo(edition, scheme);
}

void ComposerMode::switchTo(int edition, std::optional<PinyinScheme> scheme)
{
    if (edition == m_edition && scheme == m_pinyin)
        return;
    m_composer.clear();
    m_pinyinComposer.clear();
    m_edition = edition;
    m_pinyin = scheme;
    m_composer.setIndex(nullptr); // the edition's index is set at the next use
    m_indexSet = false;
    m_pinyinSet = false;
    if (m_pinyin)
        m_engine.startLoading(); // a fifth of a second: ready before the first key, mostly
    m_note.clear();
    if (m_candidates)
        m_candidates->hide();
    emit methodChanged();
    emit changed();
}

Composer &ComposerMode::composer()
{
    if (m_pinyin)
        return pinyinComposer();
    // An index made of tables not yet read would stay empty: it is built
    // once the edition's table has rows.
    if (m_edition != 0 && !m_indexSet) {
        std::unique_ptr<WubiCodeIndex> &index = m_indexes[m_edition == 86 ? 0 : 1];
        const CodeTable &table = CodeTablesOf(m_ctx.state).edition(m_edition == 86);
        if (!index && !table.isEmpty())
            index = std::make_unique<WubiCodeIndex>(table);
        if (index) {
            m_composer.setIndex(index.get());
            m_indexSet = true;
        }
    }
    return m_composer;
}

bool ComposerMode::composing() const
{
    return m_pinyin ? m_pinyinSet && m_pinyinComposer.composing() : m_composer.composing();
}

PinyinComposer &ComposerMode::pinyinComposer()
{
    if (!m_pinyinSet) {
        const bool loaded = m_engine.waitUntilLoaded();
        m_pinyinComposer.setEngine(loaded ? &m_engine.ime() : nullptr, *m_pinyin);
        m_pinyinSet = true;
        if (!loaded)
            emit changed(); // the status strip tells why pinyin does nothing
    }
    return m_pinyinComposer;
}

void ComposerMode::setEdition(int edition)
{
    const int chosen = ComposerEditionFromSetting(settingOf(edition));
    m_ctx.settings.write(kWubiSection, kValue, settingOf(chosen));
    if (chosen != 0)
        m_ctx.settings.write(kPinyinSection, kValue, settingOf(std::optional<PinyinScheme>()));
    readSetting();
}

void ComposerMode::setPinyinScheme(std::optional<PinyinScheme> scheme)
{
    m_ctx.settings.write(kPinyinSection, kValue, settingOf(scheme));
    if (scheme)
        m_ctx.settings.write(kWubiSection, kValue, settingOf(0));
    readSetting();
}

QString ComposerMode::methodKey() const
{
    if (m_pinyin)
        return pinyin::SchemeKey(*m_pinyin);
    return m_edition == 0 ? QString() : QStringLiteral("wubi%1").arg(m_edition);
}

QString ComposerMode::statusText() const
{
    if (!isOn())
        return {};
    const QString method = m_pinyin ? pinyin::SchemeName(*m_pinyin) : QStringLiteral("五笔%1").arg(m_edition);
    if (m_pinyin && !m_engine.isIdle() && !m_engine.unavailableMessage().isEmpty())
        return method + QStringLiteral("  ") + m_engine.unavailableMessage();
    return m_note.isEmpty() ? method : method + QStringLiteral("  ") + m_note;
}

qint64 ComposerMode::idealKeys(QStringView text)
{
    if (m_edition == 0) // off, or pinyin: the ideal is a Wubi table's
        return -1;
    const int which = m_edition == 86 ? 0 : 1;
    std::unique_ptr<IdealCodeLength> &ideal = m_ideal[which];
    if (!ideal) {
        const CodeTable &table = CodeTablesOf(m_ctx.state).edition(m_edition == 86);
        if (table.isEmpty())
            return -1;
        ideal = std::make_unique<IdealCodeLength>(table);
    }
    return ideal->keys(text, m_idealMemo[which]);
}

void ComposerMode::countKeys(int keys)
{
    m_keysSinceCommit += keys;
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
