#pragma once

#include "DataForm.h"

class QPlainTextEdit;

/// "Drilled-Shaft Properties": the stem diameters to try, the bell, the two zones without
/// side resistance and the concrete modulus (ShaftData elements 0 to 6), beside a sketch.
class TfrmShaftpeneta : public TDataForm {
    Q_OBJECT
public:
    TfrmShaftpeneta(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);

    TDataEdit *DataEdit1, *DataEdit2, *DataEdit3, *DataEdit4, *DataEdit5, *DataEdit6, *DataEdit7;
    QPlainTextEdit *Memo1;

protected:
    void loadFields() override;
    void storeFields() override;
};
