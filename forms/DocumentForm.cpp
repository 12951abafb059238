#include "forms/DocumentForm.h"

#include "forms/FieldFitting.h"
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/SchoolData.h"
#include "forms/StudentData.h"
#include "platform/ComponentRegistry.h"
#include "platform/DialogService.h"
#include "platform/InputFilter.h"
#include "platform/LineBreaker.h"

#include <QRegularExpression>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kMasculine = QStringLiteral("mężczyzna");

QString withCrLf(QString text)
{
    static const QRegularExpression anyBreak(QStringLiteral("\r\n|\r|\n"));
    return text.replace(anyBreak, kCrLf);
}

QString linesText(const QStringList& lines)
{
    QString out;
    for (const QString& line : lines)
        out += line + kCrLf;
    return out;
}

}  // namespace

DocumentForm::DocumentForm(const FormSpec& definition, const LayoutCatalog& catalog,
                           FormRegistry& registry)
    : definition_(definition)
    , catalog_(catalog)
    , registry_(registry)
    , components_(catalog.componentsInPlace(definition, substituted_))
{
    texts_.reserve(componentCount());
    for (const LayoutComponent* c : components_)
        texts_ << (c->kind == ComponentKind::Memo ? withCrLf(c->caption) : c->caption);
}

const DocumentForm::Index& DocumentForm::index() const
{
    if (index_)
        return *index_;
    auto index = std::make_unique<Index>();
    index->byFoldedName.reserve(componentCount());
    // Inserted last to first, so that of names alike the first is the one found.
    for (int i = componentCount() - 1; i >= 0; --i)
        index->byFoldedName.insert({component(i).name}, i);
    for (int i = 0; i < componentCount(); ++i) {
        const LayoutComponent& c = component(i);
        const StoredMarkers markers = StoredMarkersIn(c.name);
        if (!markers.any())
            continue;
        index->stored.push_back(
            {i, c.name.toStdString(),
             int(markers.edit) + int(markers.combo) + int(markers.memo && isCertificate()),
             markers.memo && !isCertificate()});
    }
    Index& made = *index;
    index_ = std::move(index);
    // The targets are found through the name look-up above.
    for (const StoredComponent& c : made.stored)
        made.byStoredName.emplace(c.name, rowTarget(component(c.index).name));
    return *index_;
}

DocumentForm::~DocumentForm() = default;

int DocumentForm::find(QStringView name) const
{
    // The key only borrows the characters for the look-up.
    return index().byFoldedName.value({QString::fromRawData(name.data(), name.size())}, -1);
}

QString DocumentForm::text(QStringView name) const
{
    const int i = find(name);
    return i < 0 ? QString() : texts_[i];
}

void DocumentForm::setText(QStringView name, const QString& text)
{
    const int i = find(name);
    if (i >= 0)
        setText(i, text);
}

void DocumentForm::setText(int index, const QString& text, Origin origin)
{
    if (component(index).kind == ComponentKind::Label)
        return;
    const QString value = isMemo(index) ? limitedMemoText(index, text, origin) : text;
    if (texts_[index] == value)
        return;
    texts_[index] = value;
    emit textChanged(index);
}

const ScreenFit& DocumentForm::screenFit(int index) const
{
    auto found = fits_.constFind(index);
    if (found == fits_.constEnd())
        found = fits_.insert(index, FitOnScreen(component(index)));
    return *found;
}

QFont DocumentForm::screenFont(int index) const
{
    return screenFit(index).font;
}

int DocumentForm::memoWrapWidth(int index) const
{
    return screenFit(index).wrapWidth;
}

QStringList DocumentForm::memoLines(int index) const
{
    return BreakLines(texts_[index], screenFont(index), memoWrapWidth(index));
}

QStringList DocumentForm::memoLines(QStringView name) const
{
    const int i = find(name);
    return i >= 0 && isMemo(i) ? memoLines(i) : QStringList();
}

bool DocumentForm::memoAcceptsEnter(int index) const
{
    return memoLines(index).size() < component(index).lineLimit;
}

QString DocumentForm::limitedMemoText(int index, const QString& text, Origin origin) const
{
    const QString value = withCrLf(text);
    // A stored or typed text is kept whole, however many lines it shows: the memo scrolls
    // and is marked so the person can see and shorten it, and saving it again loses nothing.
    if (origin != Origin::Code)
        return value;
    const int limit = component(index).lineLimit;
    if (limit <= 0)
        return value;
    const QStringList lines = BreakLines(value, screenFont(index), memoWrapWidth(index));
    if (lines.size() <= limit)
        return value;
    return linesText(lines.mid(0, limit));
}

void DocumentForm::appendMemoLine(int index, const QString& line, Origin origin)
{
    QString value = texts_[index];
    if (!value.isEmpty() && !value.endsWith(kCrLf))
        value += kCrLf;
    setText(index, value + line + kCrLf, origin);
}

void DocumentForm::LimitMemoLines(int index, int n)
{
    const QStringList lines = memoLines(index);
    if (lines.size() <= n)
        return;
    texts_[index] = linesText(lines.mid(0, n));
    emit textChanged(index);
}

void DocumentForm::ClearFields()
{
    for (const StoredComponent& c : index().stored)
        setText(c.index, QString());
}

bool DocumentForm::CollectFields(std::vector<FieldRecord>& records) const
{
    const std::string key = definition_.key.toStdString();
    for (const StoredComponent& c : index().stored) {
        for (int row = 0; row < c.wholeTextRows; ++row)
            records.push_back({key, c.name, texts_[c.index].toStdString()});
        if (!c.rowPerLine)
            continue;
        const QStringList lines = memoLines(c.index);
        for (int line = 0; line < lines.size(); ++line)
            records.push_back({key, c.name + QString::asprintf("%02d", line + 1).toStdString(),
                               lines[line].toStdString()});
    }
    return true;
}

DocumentForm::RowTarget DocumentForm::rowTarget(QStringView storedName) const
{
    RowTarget target;
    const StoredMarkers markers = StoredMarkersIn(storedName);
    if (markers.edit || markers.combo)
        target.field = find(storedName);
    if (markers.memo) {
        const int i = find(isCertificate() ? storedName : storedName.chopped(2));
        if (i >= 0 && isMemo(i))
            target.memo = i;
    }
    return target;
}

void DocumentForm::FillFields(const std::vector<FieldRecord>& records)
{
    const std::string key = definition_.key.toStdString();
    std::vector<const FieldRecord*> own;
    for (const FieldRecord& r : records)
        if (r.id == key)
            own.push_back(&r);
    FillOwnFields(own);
}

void DocumentForm::FillOwnFields(const std::vector<const FieldRecord*>& own)
{
    ClearFields();
    const auto& byStoredName = index().byStoredName;
    for (const FieldRecord* r : own) {
        const auto known = byStoredName.find(r->comp_name);
        const RowTarget target = known != byStoredName.end()
                                     ? known->second
                                     : rowTarget(QString::fromStdString(r->comp_name));
        if (target.field < 0 && target.memo < 0)
            continue;
        // No value is longer than a record can hold; a damaged file's longer one is cut there.
        const QString value = QString::fromStdString(r->value).left(kMaxValueBytes);
        if (target.field >= 0)
            setText(target.field, value, Origin::Stored);
        if (target.memo < 0)
            continue;
        if (isCertificate())
            setText(target.memo, value, Origin::Stored);
        else
            appendMemoLine(target.memo, value, Origin::Stored);
    }
    applyStudentData();
}

void DocumentForm::applyStudentData()
{
    const StudentData& student = StudentData::current();
    for (const StudentRule& rule : catalog_.studentRules.value(definition_.student)) {
        const int target = find(rule.target);
        if (target < 0)
            continue;
        if (rule.sexRule) {
            const bool masculine =
                student.fieldText(QStringLiteral("Plec_DATA_COMBOBOX")) == kMasculine;
            setText(target, masculine ? rule.masculine : rule.otherwise);
            continue;
        }
        if (rule.onlyIfEmpty && !texts_[target].isEmpty())
            continue;
        QStringList parts;
        for (const QString& field : rule.join)
            parts << student.fieldText(field);
        setText(target, parts.join(QLatin1Char(' ')));
    }
}

void DocumentForm::FillSampleData()
{
    const SampleSet samples = catalog_.samples.value(definition_.samples);
    if (samples.clearFirst)
        ClearFields();
    for (const SampleStep& step : samples.steps) {
        const int i = find(step.field);
        if (i < 0)
            continue;
        if (!step.isMemo) {
            setText(i, step.text);
            continue;
        }
        setText(i, QString());
        for (const QString& line : step.lines)
            appendMemoLine(i, line);
    }
}

void DocumentForm::CopyGradesToSheet(int column, int page, bool copyNames)
{
    for (const CopyBlock& block : catalog_.copyBlocks.value(definition_.copy)) {
        if (block.page != page || (block.column != 0 && block.column != column))
            continue;
        DocumentForm* target = registry_.form(block.targetClass);
        if (!target)
            return;
        for (const CopyStep& step : catalog_.copyMaps.value(block.map)) {
            if (step.namesOnly && !(block.names && copyNames))
                continue;
            QString value;
            if (step.from.isEmpty()) {
                // Only a fixed text names the block's values: what a person typed is copied as
                // typed.
                value = step.text;
                for (auto v = block.values.begin(); v != block.values.end(); ++v)
                    value.replace("{" + v.key() + "}", v.value());
            } else {
                QStringList parts;
                for (const QString& source : step.from)
                    parts << text(source);
                value = parts.join(step.separator);
            }
            QString to = step.to;
            target->setCopiedText(to.replace(QStringLiteral("{c}"), block.digit), value);
        }
        return;
    }
}

void DocumentForm::setCopiedText(const QString& name, const QString& text)
{
    const int i = find(name);
    if (i < 0)
        return;
    const LayoutComponent& c = component(i);
    // A wrapping memo already breaks where its printed line ends (FieldFitting.h); one that
    // does not would print a long paragraph as one line running out of its box.
    if (c.kind != ComponentKind::Memo || c.wrap || text.isEmpty()) {
        setText(i, text);
        return;
    }
    setText(i, BreakLines(text, PrintedFont(c), c.rect.width()).join(kCrLf));
}

void DocumentForm::LoadSchoolData()
{
    SchoolData* school = SchoolData::current();
    // A template that cannot be read changes nothing: the dialog has told the user.
    if (!school || !school->load())
        return;
    for (const auto& [dialogField, field] : catalog_.schoolData.value(definition_.schoolData))
        setText(field, school->fieldText(dialogField));
}

void DocumentForm::ApplyPreset(const QString& occasion)
{
    for (const Preset& p : definition_.presets.value(occasion))
        setText(p.field, p.text);
}

void DocumentForm::LoadColumn(int certificate, int column, bool copyNames)
{
    if (!definition_.loadBar || certificate < 0 ||
        certificate >= definition_.loadBar->certificates.size())
        return;
    DocumentForm* cert = registry_.form(definition_.loadBar->certificates[certificate].formClass);
    if (!cert)
        return;
    cert->CopyGradesToSheet(column + 1, definition_.loadBar->pageCode,
                            definition_.loadBar->namesCheckBox && copyNames);
}

FormWindow& DocumentForm::window()
{
    if (!window_)
        window_ = std::make_unique<FormWindow>(*this);
    return *window_;
}

void DocumentForm::releaseWindow()
{
    window_.reset();
}

int DocumentForm::ShowModal()
{
    FormWindow& w = window();
    w.prepareShow();
    const int result = DialogService::instance().showModal(w);
    // A closed window keeps nothing worth its memory (its widgets, its surface, its share
    // of the blanks): the values live here and the next show builds it again.
    releaseWindow();
    return result;
}
