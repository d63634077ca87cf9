#pragma once
// The "背景音乐" menu: its items play a tune from the start or stop the music,
// and the check mark follows the choice.
#include "app/Music.h"

#include <memory>

class GraphicMenu;

class MusicMenu {
public:
    MusicMenu(GraphicMenu &menu, std::unique_ptr<MusicPlayer> player, const QString &midiDir);

    void chooseTune(int index); // BackMusic(index)
    void chooseNoMusic();       // Music_not
    void stop() { m_player->stop(); }
    const BackgroundMusic &music() const { return m_music; }

private:
    void syncMusicChecks();

    GraphicMenu &m_menu;
    std::unique_ptr<MusicPlayer> m_player;
    BackgroundMusic m_music;
};
