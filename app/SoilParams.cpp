#include "SoilParams.h"

#include <QGridLayout>

#include <limits>

#include "DataEdit.h"
#include "core/projectdata.h"

TfrmSafetyFactor::TfrmSafetyFactor(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : TDataForm(project, tables, parent)
{
    setObjectName("frmSafetyFactor");
    setWindowTitle("Factor of Safety (F.S.)");
    auto *grid = new QGridLayout(this);
    constexpr double kLargest = std::numeric_limits<double>::max();
    DataEdit1 = addField(grid, 0, "DataEdit1", "The F.S. applied to the ultimate &side friction", "", kLargest);
    DataEdit2 = addField(grid, 1, "DataEdit2", "The F.S. applied to the ultimate &base capacity", "", kLargest);
    grid->setColumnStretch(0, 1);
}

void TfrmSafetyFactor::loadFields()
{
    DataEdit1->setNumber(m_project.SideSafetyFactor);
    DataEdit2->setNumber(m_project.BaseSafetyFactor);
}

void TfrmSafetyFactor::storeFields()
{
    m_project.SideSafetyFactor = DataEdit1->Number();
    m_project.BaseSafetyFactor = DataEdit2->Number();
}
