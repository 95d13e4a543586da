#include "shaftlength.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

#include "DataEdit.h"
#include "core/projectdata.h"

TfrmPenetration::TfrmPenetration(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : TDataForm(project, tables, parent)
{
    setObjectName("frmPenetration");
    setWindowTitle("Drilled Shaft Length");
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    DataEdit1 = addField(grid, 0, "DataEdit1", "Enter the proposed &length", "L2", std::numeric_limits<double>::max());
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    layout->addWidget(addLoadTypeGroup(rbCompression, rbUplift, deRCYCL));
    connect(rbCompression, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbCompressionClick();
    });
    connect(rbUplift, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbUpliftClick();
    });
    rbCompression->setChecked(true);
    deRCYCL->setEnabled(false);
    setMinimumWidth(420);
}

void TfrmPenetration::rbCompressionClick()
{
    deRCYCL->setEnabled(false);
}

void TfrmPenetration::rbUpliftClick()
{
    deRCYCL->setEnabled(true);
}

void TfrmPenetration::loadFields()
{
    DataEdit1->setNumber(m_project.DesignDepth);
    loadLoadType(rbCompression, rbUplift, deRCYCL);
}

void TfrmPenetration::storeFields()
{
    m_project.SetDesignDepth(DataEdit1->Number());
    storeLoadType(rbUplift, deRCYCL);
}
