#include "app/ui/MusicMenu.h"

#include "app/ui/GraphicMenu.h"

#include <QAction>

MusicMenu::MusicMenu(GraphicMenu &menu, std::unique_ptr<MusicPlayer> player, const QString &midiDir)
    : m_menu(menu), m_player(std::move(player)), m_music(*m_player, midiDir)
{
}

void MusicMenu::chooseTune(int index)
{
    m_music.chooseTune(index);
    syncMusicChecks();
}

void MusicMenu::chooseNoMusic()
{
    m_music.chooseNone();
    syncMusicChecks();
}

void MusicMenu::syncMusicChecks()
{
    const int checked = m_music.checkedItem();
    m_menu.menuAction(QStringLiteral("music.off"))->setChecked(checked == BackgroundMusic::kMusicOff);
    for (int i = 0; i < 4; ++i)
        m_menu.menuAction(QStringLiteral("music.tune%1").arg(i))->setChecked(checked == i);
}
