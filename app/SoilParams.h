#pragma once

#include "DataForm.h"

/// "Factor of Safety (F.S.)": the factors on ultimate side and base capacity (allowable
/// stress design).
class TfrmSafetyFactor : public TDataForm {
    Q_OBJECT
public:
    TfrmSafetyFactor(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);
    TDataEdit *DataEdit1, *DataEdit2;

protected:
    void loadFields() override;
    void storeFields() override;
};
