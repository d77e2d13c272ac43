#include "shell/Accessibility.h"

#include "controls/SnAccessible.h"
#include "framework/TAccessible.h"
#include "shell/TweakInsightView.h"
#include "skin/SuiAccessible.h"

namespace {

// The drift marker says what its tooltip says.
class TDriftMarkerAccessible : public QAccessibleWidget
{
public:
    explicit TDriftMarkerAccessible(TDriftMarker* marker) : QAccessibleWidget(marker, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }
};

// Qt asks once per class up the object's class chain; the first answer is
// for the most derived class, which is the one wanted.
QAccessibleInterface* TesselAccessibleFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (auto* marker = qobject_cast<TDriftMarker*>(object))
        return new TDriftMarkerAccessible(marker);
    if (QAccessibleInterface* iface = CreateControlsAccessible(object))
        return iface;
    if (QAccessibleInterface* iface = CreateSkinAccessible(object))
        return iface;
    return CreateFrameworkAccessible(object);
}

} // namespace

void InstallAccessibility()
{
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(TesselAccessibleFactory);
}
