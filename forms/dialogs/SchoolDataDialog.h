#pragma once
// The school-data template dialog: the school's own data kept as the template
// "school_data" (form key "DANE SZKOLY"). Document forms load the template through it
// without showing it, so its values live in DialogFields.
#include "forms/SchoolData.h"
#include "forms/dialogs/FieldDialog.h"

#include <QList>

class QScrollArea;
class QTabWidget;

class TFDaneSzkoly : public FieldDialog, public SchoolData {
    Q_OBJECT
public:
    static constexpr const char* kFormKey = "DANE SZKOLY";
    static constexpr const char* kTemplateName = "school_data";

    // Becomes the global FDaneSzkoly, and the forms' school data, while it lives.
    explicit TFDaneSzkoly(QWidget* parent = nullptr);
    ~TFDaneSzkoly() override;

    // Every edit := "".
    void ClearFields();
    // Sets the edits the template's records name (key not compared). On a read failure
    // shows the message, changes nothing and returns false.
    bool LoadSchoolTemplate();
    // Replaces the template with the 73 edits; false after the failure message.
    bool SaveSchoolTemplate();

    // The forms' school-data buttons: ClearFields, then LoadSchoolTemplate.
    bool load() override;
    QString fieldText(const QString& name) const override { return fields_.text(name); }

    // Event handlers.
    void FormShow() override;
    void OKButtonClick() override;

protected:
    void buildWidgets(QVBoxLayout* layout) override;
    void showEvent(QShowEvent* event) override;

private:
    // The certificate's school data: lines of texts and edits within the blank's frame.
    QWidget* buildCertificatePage();
    // The grade sheet's title page: its school fields where the page has them.
    QWidget* buildSheetTitlePage();

    QTabWidget* pages_ = nullptr;
    QList<QScrollArea*> scrolls_;
};

extern TFDaneSzkoly* FDaneSzkoly;
