#pragma once
// The club race window ClubWindow: the connection to the club server, the
// open races, the live progress of everyone in the chosen race and its
// ranking; joining a race types its passage in the whole-text practice; an
// organiser posts passages and opens and closes races.
#include "club/ClubSession.h"
#include "practice/TypingRun.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
struct AppContext;

class ClubWindow : public QWidget {
    Q_OBJECT
public:
    ClubWindow(AppContext &ctx, QWidget *parent = nullptr);

    ClubSession &session() { return *m_session; }
    QLabel *statusLabel = nullptr;
    QLabel *pendingLabel = nullptr;
    QListWidget *raceList = nullptr;
    QPushButton *joinButton = nullptr;
    QTableWidget *progressTable = nullptr;
    QTableWidget *rankingTable = nullptr;
    QGroupBox *organiserBox = nullptr;
    QComboBox *passageBox = nullptr;

    // The race chosen in raceList; 0 for none.
    qint64 selectedRace() const;
    void joinSelectedRace();
    // Checks the passage and its title, then posts it; false with a message shown when refused.
    bool postPassage(const QString &title, const QString &body);
    void postFromFile();
    void postFromClipboard();
    void openRaceOnPassage();
    void closeSelectedRace();
    // Lists a login of the server as a member of the club, under a display name.
    bool enrolMember(const QString &login, const QString &displayName, const QString &className);
    void askMember();

private:
    void buildLayout();
    void showState();
    void reloadRaces();
    void reloadPassages();
    void reloadRanking();
    void reloadProgress();
    void showProgress(qint64 raceId, const QString &member, int characters);
    void followRun();
    void runEnded(const RunFigures &figures);
    void warn(const QString &message);
    // Runs `operation` on the open connection; a failure is shown and, when the
    // server went away, the session goes offline.
    bool perform(const std::function<ClubStatus(QSqlDatabase &)> &operation);
    QString askTitle(const QString &suggestion);

    AppContext &m_ctx;
    ClubSession *m_session = nullptr;
    QTimer *m_follow = nullptr;
    QVector<ClubRace> m_races;
    QHash<QString, QString> m_names; // display names by login
    // The race being typed: the practice title that marks its run, the run
    // and when that run started.
    qint64 m_joinedRace = 0;
    QString m_joinedTitle;
    QPointer<TypingRun> m_run;
    QDateTime m_runStart;
    int m_sentCharacters = -1;
};
