#include "PrintingIncrements.h"

#include <QGridLayout>

#include <limits>

#include "DataEdit.h"
#include "core/projectdata.h"

TfrmWaterDepth::TfrmWaterDepth(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : TDataForm(project, tables, parent)
{
    setObjectName("frmWaterDepth");
    setWindowTitle("Water Table");
    auto *grid = new QGridLayout(this);
    DataEdit1 = addField(grid, 0, "DataEdit1", "&Depth of water table", "L2", std::numeric_limits<double>::max());
    grid->setColumnMinimumWidth(0, 200);
}

void TfrmWaterDepth::loadFields()
{
    DataEdit1->setNumber(m_project.ShaftData[sdWTD]);
}

void TfrmWaterDepth::storeFields()
{
    m_project.ShaftData[sdWTD] = DataEdit1->Number();
}
