#include "forms/ScreenEndings.h"

#include "forms/DocumentForm.h"
#include "forms/Endings.h"

#include <QFontMetricsF>
#include <QWidget>

void PlaceEndingsOnScreen(const DocumentForm& form, const QList<QWidget*>& widgets)
{
    QList<LayoutComponent> components;
    for (int i = 0; i < form.componentCount(); ++i)
        components << form.component(i);
    const QList<LayoutComponent> before = components;
    // Widths in the widgets' own fonts, back in page units. An ending's field begins where
    // its word ends: its frame stands next to the word and never over its last letter.
    PlaceEndings(components, [&](const LayoutComponent& c, const QString& text) {
        const QWidget* w = widgets.value(int(&c - components.constData()));
        const double pixels = w ? QFontMetricsF(w->font()).horizontalAdvance(text) : 0.0;
        return pixels / kPictureScale;
    }, EndingBoxes::KeepWidth);
    for (int i = 0; i < components.size(); ++i)
        if (QWidget* w = widgets.value(i); w && components[i].rect != before[i].rect)
            w->setGeometry(toPicture(components[i].rect).toRect());
}
