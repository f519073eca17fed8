#include "accessibility.h"

#include "imagecontrol.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

const char* const kHiddenProperty = "fretquillHiddenFromScreenReaders";

bool hidden(const QWidget* w)
{
    return w->property(kHiddenProperty).toBool();
}

// A window or panel whose children are listed without the decorative ones.
class ContainerAccessible : public QAccessibleWidget
{
public:
    ContainerAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> list = children();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list[index])
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() && child->object()->isWidgetType()
                   ? static_cast<int>(children().indexOf(static_cast<QWidget*>(child->object())))
                   : -1;
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> list;
        for (QObject* o : widget()->children()) {
            QWidget* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !hidden(w))
                list.append(w);
        }
        return list;
    }
};

// A picture: a graphic by default; a check box or a button where it is
// clicked as one, with the matching action for screen readers to press.
class ImageControlAccessible : public QAccessibleWidget
{
public:
    explicit ImageControlAccessible(ImageControl* c) : QAccessibleWidget(c, c->accessibleRole()) {}

    ImageControl* control() const { return static_cast<ImageControl*>(widget()); }
    QAccessible::Role role() const override { return control()->accessibleRole(); }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // A control that shows no picture (the fret label of a diagram at
        // the nut) has nothing to say.
        if (control()->picture().isNull())
            s.invisible = true;
        if (role() == QAccessible::CheckBox) {
            s.checkable = true;
            s.checked = control()->isChecked();
        }
        return s;
    }
    QStringList actionNames() const override
    {
        if (!clickable())
            return {};
        if (role() == QAccessible::CheckBox)
            return {pressAction(), toggleAction()};
        return {pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (clickable() && (name == pressAction() || name == toggleAction()))
            emit control()->clicked();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool clickable() const
    {
        return role() == QAccessible::CheckBox || role() == QAccessible::Button;
    }
};

class DescribedAreaAccessible : public QAccessibleWidget
{
public:
    explicit DescribedAreaAccessible(DescribedArea* a) : QAccessibleWidget(a, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return area()->description();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        const QString name = area()->actionName();
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    void doAction(const QString& name) override
    {
        if (!name.isEmpty() && name == area()->actionName())
            emit area()->actionTriggered();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    DescribedArea* area() const { return static_cast<DescribedArea*>(widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    QWidget* w = static_cast<QWidget*>(object);
    if (className == QLatin1String("ImageControl"))
        return new ImageControlAccessible(static_cast<ImageControl*>(w));
    if (className == QLatin1String("DescribedArea"))
        return new DescribedAreaAccessible(static_cast<DescribedArea*>(w));
    if (className == QLatin1String("PanelFrame"))
        return new ContainerAccessible(w, QAccessible::Grouping);
    if (className == QLatin1String("frmMain"))
        return new ContainerAccessible(w, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void hideFromScreenReaders(QWidget* widget)
{
    widget->setProperty(kHiddenProperty, true);
}

DescribedArea::DescribedArea(QWidget* parent) : QWidget(parent)
{
    installAccessibility();
}

// Qt passes the event on only while a screen reader listens.
void DescribedArea::descriptionChanged()
{
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}
