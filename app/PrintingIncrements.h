#pragma once

#include "DataForm.h"

/// "Water Table": the depth of the water table (ShaftData element 7, WTD).
class TfrmWaterDepth : public TDataForm {
    Q_OBJECT
public:
    TfrmWaterDepth(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);
    TDataEdit *DataEdit1;

protected:
    void loadFields() override;
    void storeFields() override;
};
