#include "About.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include <xlsxwriter.h>

#include "core/displayname.h"

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(6);

    QLabel *name = addLine("ProductName", "TARNEL");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);
    addLine("Comments", "Axial capacity and load\u2013settlement of drilled shafts");
    layout->addSpacing(8);
    addLine("Version", QString("Version %1").arg(kProgramVersion));
    addLine("BuildDate", QString("Built %1").arg(buildDate()));
    addLine("QtVersion", QString("Qt %1").arg(qVersion()));
    addLine("XlsxVersion", QString("libxlsxwriter %1").arg(LXW_VERSION));
    layout->addSpacing(8);
    QLabel *network = addLine("Network", "This program never contacts the network: it has no update check "
                                         "and sends nothing anywhere.");
    network->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName("OKButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    network->setMinimumWidth(360);
}

QString TAboutBox::buildDate()
{
    // __DATE__ is "Mmm dd yyyy" with a blank before a one-digit day.
    const QDate date = QLocale::c().toDate(QString(__DATE__).simplified(), "MMM d yyyy");
    return date.isValid() ? date.toString(Qt::ISODate) : QString(__DATE__);
}

QStringList TAboutBox::lines() const
{
    QStringList texts;
    for (const QLabel *label : findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        texts << label->text();
    return texts;
}

QLabel *TAboutBox::addLine(const char *objectName, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static_cast<QVBoxLayout *>(this->layout())->addWidget(label);
    return label;
}
