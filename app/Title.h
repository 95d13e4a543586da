#pragma once

#include "DataForm.h"

class QLineEdit;

/// "Project Title": one line of at most 80 characters. Storing a changed text marks the
/// project modified; the dialog never refuses to close.
class TdlgTitle : public TDataForm {
    Q_OBJECT
public:
    TdlgTitle(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);
    QLineEdit *Edit1;

protected:
    void loadFields() override;
    void storeFields() override;
};
