#include "Caption.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Messages.h"

TfrmGraphCaption::TfrmGraphCaption(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmGraphCaption");
    setWindowTitle("Graph Caption");
    auto *label = new QLabel("Enter Graph Caption", this);
    edtCaption = new QLineEdit(this);
    edtCaption->setObjectName("edtCaption");
    edtCaption->setMinimumWidth(320);
    label->setBuddy(edtCaption);

    auto *group = new QGroupBox("Caption Location", this);
    rbTop = new QRadioButton("Top", group);
    rbTop->setObjectName("rbTop");
    rbBottom = new QRadioButton("Bottom", group);
    rbBottom->setObjectName("rbBottom");
    rbTop->setChecked(true);
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(rbTop);
    groupLayout->addWidget(rbBottom);
    groupLayout->addStretch();

    btnOK = new QPushButton("&OK", this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edtCaption);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TfrmGraphCaption::setTitle(const QString &title, TTitleLocation location)
{
    edtCaption->setText(title);
    (location == TTitleLocation::Top ? rbTop : rbBottom)->setChecked(true);
}

QString TfrmGraphCaption::title() const
{
    return edtCaption->text();
}

TTitleLocation TfrmGraphCaption::location() const
{
    return rbTop->isChecked() ? TTitleLocation::Top : TTitleLocation::Bottom;
}

void EditGraphTitle(QWidget *parent, TGraphPlot &graph)
{
    TfrmGraphCaption dialog(parent);
    dialog.setTitle(graph.Title, graph.TitleLocation);
    ask().runDialog(&dialog);
    graph.Title = dialog.title();
    graph.TitleLocation = dialog.location();
}
