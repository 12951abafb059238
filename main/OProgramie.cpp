#include "main/OProgramie.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "main/MakerAddresses.h"
#include "platform/Button.h"
#include "platform/Controls.h"

TFOProgramie* FOProgramie = nullptr;

namespace {

// A quaver on a blue disc: the program's own small picture.
QImage AboutPicture()
{
    QImage picture(64, 64, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(30, 70, 170));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(2, 2, 60, 60);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(18, 38, 16, 12));
    painter.fillRect(QRectF(31, 14, 3, 30), Qt::white);
    QPainterPath flag;
    flag.moveTo(34, 14);
    flag.cubicTo(44, 20, 48, 26, 42, 36);
    flag.cubicTo(44, 28, 40, 24, 34, 22);
    painter.drawPath(flag);
    return picture;
}

}  // namespace

TFOProgramie::TFOProgramie(QWidget* owner)
    : Form(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("FOProgramie");
    setWindowTitle("O programie");

    auto* layout = new QHBoxLayout(this);
    Image1 = new ::Image(this);
    Image1->setObjectName("Image1");
    Image1->setPicture(AboutPicture());
    layout->addWidget(Image1, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    const QString lines[] = {
        "Tovrix – oprogramowanie dla szkół artystycznych",
        "ul. Przykładowa 1",
        "00-000 Miasto",
        "tel. +48 00 000 00 00",
        "fax +48 00 000 00 01",
        "Autor programu:",
        "Zespół programistów Tovrix",
        "e-mail: " + SupportMailAddress(),
        MakerSiteUrl(),
    };
    int n = 0;
    for (const QString& text : lines) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString("Label%1").arg(++n));
        label->setTextFormat(Qt::PlainText);
        column->addWidget(label);
    }
    ZamknijButton = new Button("Zamknij", this);
    ZamknijButton->setObjectName("ZamknijButton");
    connect(ZamknijButton, &QPushButton::clicked, this, [this] { ZamknijButtonClick(); });
    column->addWidget(ZamknijButton, 0, Qt::AlignRight);
    layout->addLayout(column);
    // Sized to its texts when first shown: measuring them at start would load the font then.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFOProgramie::ZamknijButtonClick()
{
    close();
}
