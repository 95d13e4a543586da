#include "ShafLoad.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

#include "DataEdit.h"
#include "core/projectdata.h"

TfrmDesignLoad::TfrmDesignLoad(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : TDataForm(project, tables, parent)
{
    setObjectName("frmDesignLoad");
    setWindowTitle("Specification of Design Load");
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    DataEditL = addField(grid, 0, "DataEditL", "Enter the &design load", "F2", std::numeric_limits<double>::max());
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    layout->addWidget(addLoadTypeGroup(rbCompression, rbUplift, deRCYCL));
    rbCompression->setChecked(true);
    setMinimumWidth(420);
}

void TfrmDesignLoad::loadFields()
{
    DataEditL->setNumber(m_project.DesignLoad);
    loadLoadType(rbCompression, rbUplift, deRCYCL);
}

void TfrmDesignLoad::storeFields()
{
    m_project.SetDesignLoad(DataEditL->Number());
    storeLoadType(rbUplift, deRCYCL);
}
