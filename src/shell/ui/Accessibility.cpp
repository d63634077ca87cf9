#include "shell/ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {
const char kButtonProperty[] = "accessibleButton";

// The button role and a press action for widgets marked by MakeAccessibleButton.
class PressableWidget : public QAccessibleWidget {
public:
    explicit PressableWidget(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            QMetaObject::invokeMethod(widget(), "click", Qt::QueuedConnection);
    }
};

QAccessibleInterface *PressableFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->property(kButtonProperty).toBool())
        return new PressableWidget(widget);
    return nullptr;
}
} // namespace

void SetAccessibleText(QWidget *widget, const QString &name, const QString &description)
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

void AnnounceDescription(QWidget *widget, const QString &description)
{
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void MakeAccessibleButton(QWidget *widget, const QString &name, const QString &description)
{
    static const bool installed = (QAccessible::installFactory(PressableFactory), true);
    Q_UNUSED(installed);
    widget->setProperty(kButtonProperty, true);
    SetAccessibleText(widget, name, description);
}

QString NextCharacterDescription(const QString &character)
{
    if (character.isEmpty())
        return QString();
    if (character == QLatin1String(" "))
        return QStringLiteral("下一个字：空格");
    return QStringLiteral("下一个字：") + character;
}
