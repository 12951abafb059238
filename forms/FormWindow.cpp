#include "forms/FormWindow.h"

#include "forms/DocumentForm.h"
#include "forms/FieldFitting.h"
#include "forms/FormRegistry.h"
#include "forms/ScreenEndings.h"
#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/Edit.h"
#include "platform/Fonts.h"
#include "platform/Memo.h"
#include "platform/Pictures.h"
#include "platform/ScreenRoom.h"
#include "platform/StandardIcons.h"
#include "store/Folders.h"

#include <QCheckBox>
#include <QStyle>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPanelHeight = 41;
constexpr int kCertificateClientWidth = 745;
constexpr int kCertificateClientHeight = 732;

QImage blankPicture(const QString& name)
{
    ErrorStream es;
    const QString folder = QString::fromStdString(ProgramFolderPath(es));
    QImage picture = PictureCache::instance().picture(folder + "/blanki/" + name);
    if (picture.isNull()) {  // a missing blank still shows the fields in place
        picture = QImage(kBlankWidth, kBlankHeight, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    return picture;
}

// The small picture of a button's role.
QIcon glyphOf(const QString& role)
{
    const QStyle::StandardPixmap picture = role == "ok"       ? QStyle::SP_DialogOkButton
                                           : role == "cancel" ? QStyle::SP_DialogCancelButton
                                                              : QStyle::SP_DialogOpenButton;
    return StandardIcon(picture);
}

int screenHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 768;
}

}  // namespace

FormWindow::FormWindow(DocumentForm& form)
    : Form(nullptr, form.isCertificate()
                        ? Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint
                        : Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , form_(form)
{
    // A page of typing is left only through "Anuluj" (or a certificate's close box).
    keepOpenOnEscape();
    setObjectName(form.definition().className);
    setWindowTitle(form.definition().caption);
    setFont(DialogFont());
    widgets_.resize(form.componentCount());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const int pageCount = int(form.definition().pages.size());
    if (form.isCertificate()) {
        pages_ = new PageControl(this);
        pages_->setObjectName(QStringLiteral("PageControl1"));
        for (int p = 0; p < pageCount; ++p) {
            QWidget* page = buildPage(p);
            page->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
            pages_->addTab(page, form.definition().pages[p].tab);
        }
        // The tab shown when the window last closed.
        pages_->setCurrentIndex(
            std::clamp(form.windowChoices().page, 0, std::max(0, pageCount - 1)));
        // A certificate's other pages may never be looked at: their blanks wait for it.
        showBlank(pages_->currentIndex());
        connect(pages_, &QTabWidget::currentChanged, this, &FormWindow::showBlank);
        connect(pages_, &QTabWidget::currentChanged, this,
                [this](int page) { form_.windowChoices().page = page; });
        layout->addWidget(pages_, 1);
        resize(kCertificateClientWidth, kCertificateClientHeight);
    } else {
        for (int p = 0; p < pageCount; ++p) {
            layout->addWidget(buildPage(p), 1);
            showBlank(p);
        }
        resize(kBlankWidth + 40, kCertificateClientHeight);
    }
    PlaceEndingsOnScreen(form_, widgets_);
    layout->addWidget(buildPanel());

    connect(&form_, &DocumentForm::textChanged, this, &FormWindow::showValue);
}

QWidget* FormWindow::buildPage(int page)
{
    auto* box = new ScrollBox;
    // Built apart from the window, the page takes the window's font at once, so the fields
    // placed on it start with the font most of them show (see ApplyScreenFit).
    box->setFont(font());
    box->setObjectName(QStringLiteral("ScrollBox%1").arg(page + 1));
    box->setContentSize(QSize(kBlankWidth, kBlankHeight));
    scrollBoxes_ << box;
    auto* image = new Image(box->content());
    image->setObjectName(QStringLiteral("ImageSide%1").arg(page + 1));
    blanksToShow_ << image;
    image->move(0, 0);
    const bool singlePage = form_.definition().pages.size() == 1;
    QList<int> onPage;
    for (int i = 0; i < form_.componentCount(); ++i)
        if (singlePage || form_.component(i).page == page + 1)
            onPage << i;
    QList<int> fields;
    for (int i : onPage) {
        buildComponent(i, box->content());
        if (form_.component(i).kind != ComponentKind::Label)
            fields << i;
    }
    fitPage(onPage);
    // Tab order: numbered fields first, by number, then the others in component order.
    std::stable_sort(fields.begin(), fields.end(), [this](int a, int b) {
        const unsigned ta = unsigned(form_.component(a).tab), tb = unsigned(form_.component(b).tab);
        return ta < tb;
    });
    for (qsizetype k = 1; k < fields.size(); ++k)
        QWidget::setTabOrder(widgets_[fields[k - 1]], widgets_[fields[k]]);
    return box;
}

void FormWindow::buildComponent(int index, QWidget* parent)
{
    const LayoutComponent& c = form_.component(index);
    QWidget* w = nullptr;
    switch (c.kind) {
    case ComponentKind::Label: {
        auto* label = new QLabel(c.caption, parent);
        label->setAlignment(ScreenAlignment(c.font.align));
        w = label;
        break;
    }
    case ComponentKind::Edit: {
        auto* edit = new Edit(parent);
        edit->setTypingLimit(c.maxLength);
        edit->setReadOnly(c.readOnly);
        connect(edit, &QLineEdit::textEdited, this, [this, index] { takeValue(index); });
        w = edit;
        break;
    }
    case ComponentKind::Combo: {
        auto* combo = new ComboBox(
            c.editable ? ComboBox::Style::Editable : ComboBox::Style::ListOnly, parent);
        combo->addItems(c.items);
        combo->setTypingLimit(c.maxLength);
        connect(combo, &ComboBox::userChanged, this, [this, index] { takeValue(index); });
        w = combo;
        break;
    }
    case ComponentKind::Memo: {
        auto* memo = new Memo(parent);
        memo->setWordWrap(c.wrap);
        memo->setScrollBars(c.wrap ? Memo::ScrollBars::None : Memo::ScrollBars::Horizontal);
        memo->setLineLimit(c.lineLimit);
        memo->setReadOnly(c.readOnly);
        connect(memo, &QPlainTextEdit::textChanged, this, [this, index] {
            if (!showing_)
                takeValue(index);
        });
        w = memo;
        break;
    }
    }
    w->setObjectName(c.name);
    w->setEnabled(!c.disabled);
    widgets_[index] = w;
    showValue(index);
}

void FormWindow::fitPage(const QList<int>& onPage)
{
    QList<const LayoutComponent*> page;
    for (int i : onPage)
        page << &form_.component(i);
    for (int i : onPage) {
        const ScreenFit& fit = form_.screenFit(i);
        ApplyScreenFit(widgets_[i], fit, ScreenRect(form_.component(i), page, fit));
    }
}

void FormWindow::showBlank(int page)
{
    Image* image = blanksToShow_.value(page);
    if (!image)
        return;
    const FormPage& formPage = form_.definition().pages[page];
    image->setPicture(
        blankPicture(form_.registry().catalog().designs.value(formPage.design).picture));
    blanksToShow_[page] = nullptr;
}

QWidget* FormWindow::buildPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(kPanelHeight);
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(8, 6, 8, 6);
    rows->setSpacing(6);
    auto* row = new QHBoxLayout;
    rows->addLayout(row);
    panel_ = panel;
    panelRow_ = row;
    QList<Button*> right;
    for (const FormButton& b : form_.definition().buttons) {
        auto* button = new Button(b.caption, panel);
        button->setObjectName(b.name);
        if (b.glyph)
            button->setIcon(glyphOf(b.role));
        if (b.role == "schoolData") {
            row->addWidget(button);
            connect(button, &QPushButton::clicked, this, [this] { form_.LoadSchoolData(); });
        } else if (b.role == "load") {
            addLoadBar(row);
            row->addWidget(button);
            loadBar_ << button;
            connect(button, &QPushButton::clicked, this, [this] {
                const DocumentForm::WindowChoices& chosen = form_.windowChoices();
                form_.LoadColumn(chosen.certificate, chosen.column, chosen.copyNames);
            });
        } else {
            right << button;
            if (b.role == "ok")
                connect(button, &QPushButton::clicked, this, [this] {
                    if (form_.registry().saveStudentData())
                        accept();
                });
            else if (b.role == "cancel")
                connect(button, &QPushButton::clicked, this, &QDialog::reject);
            else if (b.role == "clear")
                connect(button, &QPushButton::clicked, this, [this] { form_.ClearFields(); });
        }
    }
    row->addStretch(1);
    for (Button* b : right)
        row->addWidget(b);
    return panel;
}

void FormWindow::addLoadBar(QHBoxLayout* panel)
{
    const std::optional<LoadBar>& bar = form_.definition().loadBar;
    if (!bar)
        return;
    // The lists and the box show the form's choices and keep them there.
    DocumentForm::WindowChoices& chosen = form_.windowChoices();
    certificateList_ = new ComboBox(ComboBox::Style::ListOnly, this);
    certificateList_->setObjectName(bar->certificateListName);
    for (const LoadBarEntry& e : bar->certificates)
        certificateList_->addItem(e.caption);
    certificateList_->setCurrentIndex(chosen.certificate);
    connect(certificateList_, &QComboBox::currentIndexChanged, this,
            [this](int index) { form_.windowChoices().certificate = index; });
    panel->addWidget(certificateList_);
    loadBar_ << certificateList_;
    if (!bar->columns.isEmpty()) {
        columnList_ = new ComboBox(ComboBox::Style::ListOnly, this);
        columnList_->setObjectName(bar->columnListName);
        columnList_->addItems(bar->columns);
        columnList_->setCurrentIndex(chosen.column);
        connect(columnList_, &QComboBox::currentIndexChanged, this,
                [this](int index) { form_.windowChoices().column = index; });
        panel->addWidget(columnList_);
        loadBar_ << columnList_;
    }
    if (bar->namesCheckBox) {
        namesCheckBox_ = new QCheckBox(QStringLiteral("Wczytaj nazwy przedmiotów"), this);
        namesCheckBox_->setObjectName(QStringLiteral("NazwyCheckBox"));
        namesCheckBox_->setChecked(chosen.copyNames);
        connect(namesCheckBox_, &QCheckBox::toggled, this,
                [this](bool ticked) { form_.windowChoices().copyNames = ticked; });
        panel->addWidget(namesCheckBox_);
        loadBar_ << namesCheckBox_;
    }
}

QWidget* FormWindow::widget(QStringView name) const
{
    const int i = form_.find(name);
    return i < 0 ? nullptr : widgets_.value(i);
}

void FormWindow::prepareShow()
{
    if (form_.isCertificate()) {
        fixSize(screenHeight() - 50);
    } else {
        fixSize(screenHeight() - 100);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().x() + (screen->geometry().width() - width()) / 2, 20);
        for (ScrollBox* box : scrollBoxes_)
            box->scrollToTop();
        if (certificateList_ && form_.definition().loadBar->selectOnShow)
            certificateList_->setCurrentIndex(0);
        if (columnList_)
            columnList_->setCurrentIndex(0);
    }
}

void FormWindow::fixSize(int height)
{
    // The dialog's border is fixed; it is as wide as its button panel needs, known before
    // the window is placed so that centring holds.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int room = ClientRoom(*this).width();
    if (minimumSizeHint().width() > room)
        putLoadBarOnItsOwnRow();
    const int width = std::min(std::max(this->width(), minimumSizeHint().width()), room);
    setFixedSize(width, height);
}

// A screen too narrow for the load bar beside the buttons shows it in a row above them.
void FormWindow::putLoadBarOnItsOwnRow()
{
    if (loadBar_.isEmpty())
        return;
    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::as_const(loadBar_)) {
        panelRow_->removeWidget(w);
        bar->addWidget(w);
    }
    bar->addStretch(1);
    static_cast<QVBoxLayout*>(panel_->layout())->insertLayout(0, bar);
    panel_->setFixedHeight(2 * kPanelHeight - 6);
    loadBar_.clear();
}

void FormWindow::showValue(int index)
{
    QWidget* w = widgets_.value(index);
    if (!w)
        return;
    const QString value = form_.text(index);
    showing_ = true;
    if (auto* edit = qobject_cast<Edit*>(w)) {
        if (edit->text() != value)
            edit->setText(value);
    } else if (auto* combo = qobject_cast<ComboBox*>(w)) {
        if (combo->text() != value)
            combo->setText(value);
    } else if (auto* memo = qobject_cast<Memo*>(w)) {
        if (memo->text() != value) {
            const int caret = memo->textCursor().position();
            memo->setText(value);
            QTextCursor cursor = memo->textCursor();
            cursor.setPosition(std::min(caret, memo->document()->characterCount() - 1));
            memo->setTextCursor(cursor);
        }
    }
    showing_ = false;
}

void FormWindow::takeValue(int index)
{
    QWidget* w = widgets_.value(index);
    QString value;
    if (auto* edit = qobject_cast<Edit*>(w))
        value = edit->text();
    else if (auto* combo = qobject_cast<ComboBox*>(w))
        value = combo->text();
    else if (auto* memo = qobject_cast<Memo*>(w))
        value = memo->text();
    else
        return;
    form_.setText(index, value, DocumentForm::Origin::User);
    showValue(index);  // a memo cut to its limit shows the cut text
}
