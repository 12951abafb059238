#pragma once
// The dialog of a document form, laid out like its paper blank: one scroll box per
// printed page (tabs on a certificate) holding the blank's picture, with every label and
// field standing on its printed rectangle scaled to the picture. The widgets show the
// form's values and write the person's changes back into them.

#include "platform/Form.h"

#include <QList>

class ComboBox;
class DocumentForm;
class Image;
class PageControl;
class QCheckBox;
class QHBoxLayout;
class ScrollBox;

class FormWindow : public Form {
    Q_OBJECT
public:
    explicit FormWindow(DocumentForm& form);

    // What showing does each time: the window's height from the screen, and on a year
    // page the first item chosen in the load bar's lists.
    void prepareShow();

    // The widget of the component at `index` (component order), null for none.
    QWidget* widget(int index) const { return widgets_.value(index); }
    QWidget* widget(QStringView name) const;

    PageControl* pages() const { return pages_; }
    ComboBox* certificateList() const { return certificateList_; }
    ComboBox* columnList() const { return columnList_; }
    QCheckBox* namesCheckBox() const { return namesCheckBox_; }

private:
    QWidget* buildPage(int page);
    void buildComponent(int index, QWidget* parent);
    // Fonts, frames and rectangles of the widgets of one page (FieldFitting.h).
    void fitPage(const QList<int>& onPage);
    QWidget* buildPanel();
    void addLoadBar(QHBoxLayout* panel);
    // Gives the page its blank's picture, decoded when the page is first on screen.
    void showBlank(int page);
    void fixSize(int height);
    void putLoadBarOnItsOwnRow();
    void showValue(int index);
    void takeValue(int index);

    DocumentForm& form_;
    QList<QWidget*> widgets_;
    QList<ScrollBox*> scrollBoxes_;
    QList<Image*> blanksToShow_;  // by page; null once the page shows its blank
    PageControl* pages_ = nullptr;
    ComboBox* certificateList_ = nullptr;
    ComboBox* columnList_ = nullptr;
    QCheckBox* namesCheckBox_ = nullptr;
    QWidget* panel_ = nullptr;
    QHBoxLayout* panelRow_ = nullptr;  // the buttons' row
    QList<QWidget*> loadBar_;          // the load bar's lists and button, while in the buttons' row
    bool showing_ = false;             // a value being put into a widget
};
