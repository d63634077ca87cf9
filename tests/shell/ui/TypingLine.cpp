// The typing box: editing keys, the input-method protocol, and what a
// keystroke repaints (only the new character and the caret, at once, drawn
// the same as a whole repaint would draw them).
#include "shell/ui/TypingLine.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {
void Commit(QWidget *box, const QString &commit, const QString &preedit = QString(), int replaceFrom = 0, int replaceLength = 0)
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit, replaceFrom, replaceLength);
    QCoreApplication::sendEvent(box, &event);
}

// The widths of the rectangles painted while it is installed.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    QList<int> widths;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            widths << static_cast<QPaintEvent *>(event)->region().boundingRect().width();
        return false;
    }
};

QImage OnScreen(QWidget *widget)
{
    return QGuiApplication::primaryScreen()->grabWindow(widget->winId()).toImage();
}
} // namespace

class TypingLineTest : public QObject {
    Q_OBJECT
private slots:
    void editsLikeALineEdit()
    {
        TypingLine box;
        QSignalSpy changes(&box, &TypingLine::textChanged);
        QTest::keyClicks(&box, QStringLiteral("abcd"));
        QCOMPARE(box.text(), QStringLiteral("abcd"));
        QCOMPARE(changes.size(), 4);

        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(box.selectedText(), QStringLiteral("cd"));
        QTest::keyClicks(&box, QStringLiteral("x"));
        QCOMPARE(box.text(), QStringLiteral("abx"));
        QTest::keyClick(&box, Qt::Key_Home);
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(box.text(), QStringLiteral("bx"));
        QCOMPARE(box.cursorPosition(), 0);
        QTest::keyClick(&box, Qt::Key_Backspace); // nothing before the caret
        QCOMPARE(box.text(), QStringLiteral("bx"));

        // A character outside the BMP is one character for the caret and Backspace.
        box.setText(QStringLiteral("a\U00020000"));
        QTest::keyClick(&box, Qt::Key_Left);
        QCOMPARE(box.cursorPosition(), 1);
        QTest::keyClick(&box, Qt::Key_End);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QStringLiteral("a"));

        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QString());

        // Read-only: no typing, no erasing, no input method; the caret still moves.
        box.setText(QStringLiteral("ab"));
        box.setReadOnly(true);
        QTest::keyClicks(&box, QStringLiteral("c"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        Commit(&box, QStringLiteral("中"));
        QCOMPARE(box.text(), QStringLiteral("ab"));
        QVERIFY(!box.testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!box.inputMethodQuery(Qt::ImEnabled).toBool());
        QTest::keyClick(&box, Qt::Key_Home);
        QCOMPARE(box.cursorPosition(), 0);
        box.setReadOnly(false);
        QVERIFY(box.testAttribute(Qt::WA_InputMethodEnabled));
    }

    void speaksTheInputMethodProtocol()
    {
        TypingLine box;
        QSignalSpy changes(&box, &TypingLine::textChanged);
        // A phrase arrives in one commit and is one change.
        Commit(&box, QStringLiteral("中华"));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.last().first().toString(), QStringLiteral("中华"));

        // The composition is shown but is never text.
        Commit(&box, QString(), QStringLiteral("rmm"));
        QCOMPARE(box.text(), QStringLiteral("中华"));
        QCOMPARE(box.preeditText(), QStringLiteral("rmm"));
        QCOMPARE(changes.size(), 1);
        const int caretWithCode = box.cursorRect().x();
        Commit(&box, QStringLiteral("人民"));
        QCOMPARE(box.text(), QStringLiteral("中华人民"));
        QVERIFY(box.preeditText().isEmpty());
        QVERIFY(box.cursorRect().x() != caretWithCode);

        // A commit may replace what lies before the caret.
        Commit(&box, QStringLiteral("们"), QString(), -1, 1);
        QCOMPARE(box.text(), QStringLiteral("中华人们"));
        QCOMPARE(box.inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("中华人们"));
        QCOMPARE(box.inputMethodQuery(Qt::ImCursorPosition).toInt(), 4);
        box.setSelection(1, 2);
        QCOMPARE(box.inputMethodQuery(Qt::ImCurrentSelection).toString(), QStringLiteral("华人"));
        Commit(&box, QStringLiteral("国"));
        QCOMPARE(box.text(), QStringLiteral("中国们"));
    }

    void aKeystrokeRepaintsOnlyWhatItChanges()
    {
        QWidget window;
        window.resize(420, 40);
        auto *typed = new TypingLine(&window);
        typed->setGeometry(0, 0, 420, 30);
        typed->setFont(QFont(QStringLiteral("Noto Serif CJK SC"), 12));
        // As the exercises do: the caret is set to the end after every change.
        connect(typed, &TypingLine::textChanged, typed, [typed] { typed->setCursorPosition(int(typed->text().size())); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        typed->setFocus();
        QTest::keyClicks(typed, QStringLiteral("abcde"));
        Commit(typed, QStringLiteral("中文"));
        QCoreApplication::processEvents();

        PaintWatch watch(typed);
        QList<int> paintsWhenJudged; // the exercise hears of a change once it is on screen
        connect(typed, &TypingLine::textChanged, typed, [&] { paintsWhenJudged << int(watch.widths.size()); });
        Commit(typed, QStringLiteral("字"));
        QCOMPARE(paintsWhenJudged, QList<int>{1});
        QCoreApplication::processEvents();
        QTest::keyClicks(typed, QStringLiteral("f"));
        QCoreApplication::processEvents();
        QCOMPARE(watch.widths.size(), 2);
        const int glyph = QFontMetrics(typed->font()).horizontalAdvance(QStringLiteral("字"));
        for (int width : watch.widths)
            QVERIFY2(width <= glyph + 6, qPrintable(QString::number(width)));

        // What the partial repaints left on screen is what a whole repaint draws.
        const QImage pieces = OnScreen(&window);
        typed->update();
        QCoreApplication::processEvents();
        QCOMPARE(OnScreen(&window), pieces);
    }

    void theCaretStaysInViewOfALongLine()
    {
        TypingLine box;
        box.resize(120, 28);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        Commit(&box, QString(40, QChar(0x4E2D)));
        QVERIFY(box.cursorRect().right() < box.width());
        QVERIFY(box.cursorRect().left() > box.width() / 2);
        QTest::keyClick(&box, Qt::Key_Home);
        QVERIFY(box.cursorRect().left() < 10);
    }
};

QTEST_MAIN(TypingLineTest)
#include "TypingLine.moc"
