#pragma once

#include "DataForm.h"

class QRadioButton;

/// "Drilled Shaft Length": the proposed length (DesignDepth) and the type of loading. The
/// uplift reduction can be edited only under uplift.
class TfrmPenetration : public TDataForm {
    Q_OBJECT
public:
    TfrmPenetration(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);
    TDataEdit *DataEdit1, *deRCYCL;
    QRadioButton *rbCompression, *rbUplift;

protected:
    void loadFields() override;
    void storeFields() override;

private:
    void rbCompressionClick();
    void rbUpliftClick();
};
