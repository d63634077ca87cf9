#pragma once
// The choice of 双拼 scheme the chart and the drill share: a combo box of
// the seven schemes, starting at the composer's scheme when a 双拼 one is on.
#include "pinyin/PinyinScheme.h"

class QComboBox;
class QWidget;
struct AppContext;

QComboBox *NewSchemeBox(AppContext &ctx, QWidget *parent);
PinyinScheme SchemeOfBox(const QComboBox *box);
