#pragma once
// The pop-up menus of the graphic menu: the menu tree, the menus built from
// it, and the commands the subsystems register for its items. An item
// without a command is shown disabled, and so is a sub-menu with none.
#include <QHash>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QWidget;

class GraphicMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kButtons = 8;

    // The menus are children of `owner`, found there by their control names.
    explicit GraphicMenu(QWidget *owner);

    // The top-level menu of button `index`; nullptr for button 3, which has none.
    QMenu *buttonMenu(int index) const { return m_menus.at(std::size_t(index)); }
    // The QAction of a command key ("chinese.line", "music.tune2", ...).
    QAction *menuAction(const QString &key) const { return m_actions.value(key); }

    void setCommand(const QString &key, std::function<void()> command);
    bool runCommand(const QString &key);

signals:
    // The learner picked the item of `key`; the main window runs it, after
    // what every command needs is in place.
    void commandChosen(const QString &key);

private:
    void updateMenuStates();

    std::array<QMenu *, kButtons> m_menus{};
    QHash<QString, QAction *> m_actions;
    QHash<QString, std::function<void()>> m_commands;
};
