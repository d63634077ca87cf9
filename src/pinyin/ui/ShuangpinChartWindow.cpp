#include "pinyin/ui/ShuangpinChartWindow.h"

#include "pinyin/ShuangpinChart.h"
#include "pinyin/ui/SchemeBox.h"
#include "pinyin/ui/ShuangpinKeyboard.h"
#include "shell/Placement.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/SongFont.h"

#include <QComboBox>
#include <QLabel>

namespace {
// "a→aa  ai→ai  ...": the syllables without an initial and their keys.
QString zeroInitialText(const ShuangpinChart &chart)
{
    QStringList items;
    for (const SyllableKeys &s : chart.zeroInitialSyllables())
        items << s.syllable + QStringLiteral("→") + s.keys.toUpper();
    return QStringLiteral("零声母音节：") + items.join(QStringLiteral("  "));
}
} // namespace

ShuangpinChartWindow::ShuangpinChartWindow(AppContext &ctx, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ShuangpinChartWindow"));
    setWindowTitle(QStringLiteral("双拼键位图"));
    setFixedSize(geometry::kFullWidth, geometry::kPracticeHeight);
    setAutoFillBackground(true);

    auto *caption = new QLabel(QStringLiteral("双拼方案："), this);
    caption->setGeometry(12, 10, 80, 26);
    schemeBox = NewSchemeBox(ctx, this);
    schemeBox->setGeometry(92, 10, 160, 26);
    auto *legend = new QLabel(QStringLiteral("<span style='color:#b01c1c;'>红：声母</span>　"
                                             "<span style='color:#12385c;'>蓝：韵母</span>"),
                              this);
    legend->setGeometry(280, 10, 300, 26);

    keyboard = new ShuangpinKeyboard(this);
    keyboard->setGeometry(6, 44, geometry::kFullWidth - 12, 330);
    keyboard->setFont(SongFont(10.5));
    SetAccessibleText(keyboard, QStringLiteral("双拼键位图"));

    zeroInitialLabel = new QLabel(this);
    zeroInitialLabel->setObjectName(QStringLiteral("zeroInitialLabel"));
    zeroInitialLabel->setGeometry(12, 380, geometry::kFullWidth - 24, 56);
    zeroInitialLabel->setWordWrap(true);
    zeroInitialLabel->setFont(SongFont(10.5));

    connect(schemeBox, &QComboBox::currentIndexChanged, this, &ShuangpinChartWindow::showScheme);
    showScheme();
}

void ShuangpinChartWindow::showScheme()
{
    const ShuangpinChart chart(SchemeOfBox(schemeBox));
    keyboard->setChart(chart);
    // Without the pinyin module the chart is empty: the label says why.
    const QString unavailable = chart.unavailableMessage();
    zeroInitialLabel->setText(unavailable.isEmpty() ? zeroInitialText(chart) : unavailable);
}
