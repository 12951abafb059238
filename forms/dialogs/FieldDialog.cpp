#include "forms/dialogs/FieldDialog.h"

#include "platform/Button.h"
#include "platform/ScreenRoom.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

FieldDialog::FieldDialog(const QString& instanceName, const QString& caption, QWidget* parent,
                         Qt::WindowFlags flags)
    : Form(parent, flags)
{
    setObjectName(instanceName);
    setWindowTitle(caption);
}

void FieldDialog::setVisible(bool visible)
{
    if (visible && !built_) {
        built_ = true;
        auto* layout = new QVBoxLayout(this);
        buildWidgets(layout);
        auto* ok = new Button(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("OKButton"));
        auto* cancel = new Button(QStringLiteral("Anuluj"), this);
        cancel->setObjectName(QStringLiteral("AnulujButton"));
        connect(ok, &QPushButton::clicked, this, &FieldDialog::OKButtonClick);
        connect(cancel, &QPushButton::clicked, this, &FieldDialog::AnulujButtonClick);
        auto* panel = new QHBoxLayout;
        panel->addStretch();
        panel->addWidget(ok);
        panel->addWidget(cancel);
        layout->addLayout(panel);
    }
    Form::setVisible(visible);
}

void FieldDialog::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (event->spontaneous())
        return;
    FitAndCentreOnScreen(*this);
    FormShow();
    // Every showing starts in the first field, whichever widget had the focus when the
    // dialog last closed, so typing straight away goes where it belongs.
    if (QWidget* first = firstField())
        first->setFocus(Qt::OtherFocusReason);
}

QWidget* FieldDialog::firstField() const
{
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        for (const DialogFields::Field* field : fields_.fields())
            if (field->widget == w && w->isEnabled())
                return w;
    }
    return nullptr;
}

void FieldDialog::AnulujButtonClick()
{
    reject();
}
