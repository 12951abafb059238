#pragma once
// One document form (a certificate or a grade-sheet page): its layout and the values of
// its components, held without widgets. Every generic operation is here, written once;
// what differs between forms is data (forms/Layout.h). The dialog's widgets are built
// the first time the form is shown (FormWindow) and kept in step with the values.

#include "forms/FieldFitting.h"
#include "forms/Layout.h"
#include "platform/ComponentRegistry.h"
#include "store/Records.h"

#include <QFont>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class FormRegistry;
class FormWindow;

class DocumentForm : public QObject {
    Q_OBJECT
public:
    // Where a memo's new text comes from: stored records and the person's edits are kept
    // whole, beyond the limit too (nothing loaded or typed is ever dropped: the memo refuses
    // a keystroke that would grow the text past its limit, and marks a text over it); a
    // text from code is cut to the limit in displayed lines.
    enum class Origin { Code, Stored, User };

    DocumentForm(const FormSpec& definition, const LayoutCatalog& catalog, FormRegistry& registry);
    ~DocumentForm() override;

    const FormSpec& definition() const { return definition_; }
    const QString& className() const { return definition_.className; }
    const QString& instanceName() const { return definition_.instanceName; }
    const QString& key() const { return definition_.key; }
    bool isCertificate() const { return definition_.kind == FormKind::Certificate; }

    // Components in component order (the layout's), with their values.
    int componentCount() const { return int(components_.size()); }
    const LayoutComponent& component(int index) const { return *components_[index]; }
    // Looks a component up by name ignoring the case of A-Z; -1 when there is none.
    int find(QStringView name) const;

    // A label's caption, a field's text; a memo's whole text with CR LF between lines.
    QString text(int index) const { return texts_[index]; }
    QString text(QStringView name) const;
    // Sets a field's text whole (typing limits bind typing only); a memo keeps its line
    // limit. Unknown names and labels are ignored.
    void setText(int index, const QString& text, Origin origin = Origin::Code);
    void setText(QStringView name, const QString& text);
    // A memo's lines as it displays them (a non-wrapping memo: its text lines).
    QStringList memoLines(int index) const;
    QStringList memoLines(QStringView name) const;
    // Appends one line to a memo, then keeps its limit.
    void appendMemoLine(int index, const QString& line, Origin origin = Origin::Code);
    // Whether Enter may add a line to the memo now.
    bool memoAcceptsEnter(int index) const;

    // How a component shows on screen (FieldFitting.h): its font, frame and a memo's wrap
    // width in pixels (0: no wrap).
    const ScreenFit& screenFit(int index) const;
    QFont screenFont(int index) const;
    int memoWrapWidth(int index) const;

    // --- the operations the main window, the dialogs and the other forms call
    void ClearFields();
    bool CollectFields(std::vector<FieldRecord>& records) const;
    void FillFields(const std::vector<FieldRecord>& records);
    // The same with the records that carry this form's key already picked out, in order
    // (the main window's load picks them for every form in one pass).
    void FillOwnFields(const std::vector<const FieldRecord*>& own);
    void FillSampleData();
    // Keeps the memo's first n displayed lines, each then a line of its own.
    void LimitMemoLines(int index, int n);
    // Copies this certificate into year column `column` of the grade-sheet page that
    // `page` (a SheetPageCode) names; a pair without a block copies nothing.
    void CopyGradesToSheet(int column, int page, bool copyNames);
    // The school-data button: copies the template's values into the form's fields.
    void LoadSchoolData();
    // Texts a caller sets after ClearFields on a given occasion (e.g. "newStudent").
    void ApplyPreset(const QString& occasion);
    // A year page's load button: the certificate at `certificate` of the load bar's list
    // into column `column` (0-based index of the column list).
    void LoadColumn(int certificate, int column, bool copyNames);

    // Builds the window when needed and shows it modally through the dialog service; the
    // window is let go once it closes.
    int ShowModal();
    // The window, built on first use.
    FormWindow& window();
    bool hasWindow() const { return window_ != nullptr; }
    void releaseWindow();

    FormRegistry& registry() const { return registry_; }

    // What the person chose in the window besides the values, kept for the run though the
    // window is let go when it closes: a certificate's tab, a year page's load bar (the
    // certificate and column picked, whether subject names are loaded too).
    struct WindowChoices {
        int page = 0;
        int certificate = -1;  // -1: none picked
        int column = 0;
        bool copyNames = false;
    };
    WindowChoices& windowChoices() { return choices_; }
    const WindowChoices& windowChoices() const { return choices_; }

signals:
    // A value changed (from code or from the window).
    void textChanged(int index);

private:
    // A component with rows in the student's table, found once: saving a student goes
    // through the stored components of every form, not through all their labels.
    struct StoredComponent {
        int index = 0;
        std::string name;         // as stored
        int wholeTextRows = 0;    // one per edit or combo marker, one for a certificate's memo
        bool rowPerLine = false;  // a grade sheet's memo: one row per displayed line
    };

    // What one stored row of this form sets: a field's whole text, a memo's (a
    // certificate's whole text, or one line of a grade sheet's); -1 where it sets nothing.
    struct RowTarget {
        int field = -1;
        int memo = -1;
    };
    RowTarget rowTarget(QStringView storedName) const;

    bool isMemo(int index) const { return component(index).kind == ComponentKind::Memo; }
    // Sets a text copied from another form: into a memo that does not wrap, broken first
    // where its printed line ends, so that its line limit keeps what the page prints.
    void setCopiedText(const QString& name, const QString& text);
    QString limitedMemoText(int index, const QString& text, Origin origin) const;
    void applyStudentData();

    FormSpec definition_;
    const LayoutCatalog& catalog_;
    FormRegistry& registry_;
    // In the catalogue's designs (it outlives the form), or in substituted_.
    std::deque<LayoutComponent> substituted_;
    std::vector<const LayoutComponent*> components_;
    QStringList texts_;
    // Made on first use: the start makes every form, and their look-ups cost as much
    // memory again as their values.
    struct Index {
        std::vector<StoredComponent> stored;
        QHash<ComponentNameKey, int> byFoldedName;
        // The target of each name the form itself stores whole, so a load finds the rows
        // of a file written by this program without converting or folding their names.
        std::unordered_map<std::string, RowTarget> byStoredName;
    };
    const Index& index() const;
    mutable std::unique_ptr<const Index> index_;
    mutable QHash<int, ScreenFit> fits_;
    // At the first showing: the layout's first tab, the first certificate where the list
    // is set at every showing, none where the person's pick stays.
    WindowChoices choices_{definition_.activePage,
                           definition_.loadBar&& definition_.loadBar->selectOnShow ? 0 : -1};
    std::unique_ptr<FormWindow> window_;
};
