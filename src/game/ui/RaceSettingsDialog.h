#pragma once
// The race settings dialog RaceSettingsDialog ("游戏设置"): what the race is typed
// from, how long it lasts and how fast the tortoise runs. OK checks the
// entries, builds the race pool and the first race line.
#include "game/Race.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;
struct AppContext;

class RaceSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit RaceSettingsDialog(AppContext &ctx, QWidget *parent = nullptr);

    void chooseMaterial(int index);
    void confirmSettings();
    void cancel();

    // The accepted race; valid once the dialog was accepted.
    const RaceSetup &setup() const { return m_setup; }

    std::array<QRadioButton *, race::kMaterialCount> materialButtons{};
    QLineEdit *secondsBox = nullptr;
    QLineEdit *paceBox = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refuse(const QString &message, QLineEdit *box);

    AppContext &m_ctx;
    race::Material m_material = race::Material::Letters;
    RaceSetup m_setup;
};
