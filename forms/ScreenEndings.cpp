#include "forms/ScreenEndings.h"

#include "forms/DocumentForm.h"
#include "forms/Endings.h"
#include "forms/FieldFitting.h"
#include "platform/Edit.h"

#include <QFontMetrics>
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
    PlaceEndings(
        components,
        [&](const LayoutComponent& c, const QString& text) {
            const QWidget* w = widgets.value(int(&c - components.constData()));
            const double pixels = w ? QFontMetricsF(w->font()).horizontalAdvance(text) : 0.0;
            return pixels / kPictureScale;
        },
        EndingBoxes::KeepWidth);
    for (int i = 0; i < components.size(); ++i)
        if (QWidget* w = widgets.value(i); w && components[i].rect != before[i].rect)
            w->setGeometry(toPicture(components[i].rect).toRect());
    // An ending a person can reach shows one or two letters in a frame where it has the
    // room, and says what it is; a fixed text after it makes room, a field does not.
    for (const EndingPair& pair : FindEndings(before)) {
        auto* edit = qobject_cast<Edit*>(widgets.value(pair.ending));
        if (!edit || before[pair.ending].disabled)
            continue;
        edit->setToolTip(LetterBoxToolTip(before[pair.word].caption));
        const LayoutComponent& ending = before[pair.ending];
        int room = QWIDGETSIZE_MAX;
        for (int i = 0; i < before.size(); ++i) {
            const LayoutComponent& c = before[i];
            QWidget* w = widgets.value(i);
            if (w && i != pair.ending && i != pair.follower && c.page == ending.page &&
                c.rect.y1 == ending.rect.y1 && c.rect.x1 > ending.rect.x1)
                room = std::min(room, w->x() - 2 - edit->x());
        }
        const bool frameFits =
            QFontMetrics(edit->font()).height() <= edit->height() - 2 * 2 - 2 * 1;
        const bool framed = frameFits && LetterBoxWidth(edit->font(), true) <= room;
        edit->setFrame(framed || edit->hasFrame());
        const int width = std::min(LetterBoxWidth(edit->font(), edit->hasFrame()), room);
        edit->resize(std::max(edit->width(), width), edit->height());
        if (QWidget* follower = widgets.value(pair.follower)) {
            const int overlap = edit->geometry().right() + 2 - follower->x();
            if (overlap > 0)
                follower->move(follower->x() + overlap, follower->y());
        }
    }
}
