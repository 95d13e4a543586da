#pragma once

#include "DataForm.h"

class QRadioButton;

/// "Specification of Design Load": the design load and the type of loading; the uplift
/// reduction stays editable whatever is selected.
class TfrmDesignLoad : public TDataForm {
    Q_OBJECT
public:
    TfrmDesignLoad(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);
    TDataEdit *DataEditL, *deRCYCL;
    QRadioButton *rbCompression, *rbUplift;

protected:
    void loadFields() override;
    void storeFields() override;
};
