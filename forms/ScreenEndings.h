#pragma once
// Endings on screen: the form window shows its fixed words in its own fonts, so each ending
// field is moved to begin where its word's text ends as shown, and the fixed text after it
// one blank further on, as the calibration generator does for the printed page. An ending
// field a person can reach is at least as wide as two letters and names its word in its
// tooltip (FieldFitting.h).

#include <QList>

class DocumentForm;
class QWidget;

// `widgets` are the form's widgets in component order (null where none was built).
void PlaceEndingsOnScreen(const DocumentForm& form, const QList<QWidget*>& widgets);
