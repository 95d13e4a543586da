#pragma once

#include "DataForm.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

/// "Control Options": the editor command of the result viewers, the output increment
/// (OUTINC) and the end-bearing rule in sands (ISANDTIP). The check box mirrors the option
/// buttons, which alone decide the stored flag.
class TDlgOptions : public TDataForm {
    Q_OBJECT
public:
    TDlgOptions(TProgramData &project, TProjectTables &tables, QString &editorCommand, QWidget *parent = nullptr);

    QLineEdit *EdtWord;
    QPushButton *BtnBrowse;
    TDataEdit *DataEdit1;
    QCheckBox *CheckBox1;
    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1, *RadioButton2;

protected:
    void loadFields() override;
    void storeFields() override;

private:
    void BtnBrowseClick();

    QString &m_editorCommand;
};
