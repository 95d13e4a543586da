#include "Options.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

#include "DataEdit.h"
#include "Messages.h"
#include "core/projectdata.h"

TDlgOptions::TDlgOptions(TProgramData &project, TProjectTables &tables, QString &editorCommand, QWidget *parent)
    : TDataForm(project, tables, parent), m_editorCommand(editorCommand)
{
    setObjectName("DlgOptions");
    setWindowTitle("Control Options");

    auto *editorLabel = new QLabel("&Text Editor:", this);
    EdtWord = new QLineEdit(this);
    EdtWord->setObjectName("EdtWord");
    EdtWord->setMinimumWidth(300);
    editorLabel->setBuddy(EdtWord);
    BtnBrowse = new QPushButton("&Browse...", this);
    BtnBrowse->setObjectName("BtnBrowse");
    BtnBrowse->setAutoDefault(false);
    auto *editorRow = new QHBoxLayout;
    editorRow->addWidget(EdtWord, 1);
    editorRow->addWidget(BtnBrowse);

    auto *grid = new QGridLayout;
    DataEdit1 = addField(grid, 0, "DataEdit1", "Output Increment", "L2", std::numeric_limits<double>::max());
    grid->setColumnStretch(2, 1);

    CheckBox1 = new QCheckBox("Apply modification factor for tip resistance in sand", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(true);
    // A mirror of the option buttons: the flag it would set is theirs.
    CheckBox1->setEnabled(false);

    GroupBox1 = new QGroupBox("End Bearing in Sands", this);
    GroupBox1->setObjectName("GroupBox1");
    RadioButton1 = new QRadioButton("Use linear interpolation from zero at ground to ", GroupBox1);
    RadioButton1->setObjectName("RadioButton1");
    auto *continued = new QLabel("maximum values at 10 pile diameters.", GroupBox1);
    continued->setObjectName("Label2");
    // The second line of the first option lines up with its text, not with the button.
    continued->setIndent(RadioButton1->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                         RadioButton1->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    RadioButton2 = new QRadioButton("Use maximum values at any depth", GroupBox1);
    RadioButton2->setObjectName("RadioButton2");
    auto *groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->setSpacing(2);
    groupLayout->addWidget(RadioButton1);
    groupLayout->addWidget(continued);
    groupLayout->addSpacing(6);
    groupLayout->addWidget(RadioButton2);
    connect(RadioButton1, &QRadioButton::toggled, CheckBox1, &QCheckBox::setChecked);
    connect(RadioButton1, &QRadioButton::clicked, this, &TDlgOptions::setModified);
    connect(RadioButton2, &QRadioButton::clicked, this, &TDlgOptions::setModified);
    RadioButton1->setChecked(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(editorLabel);
    layout->addLayout(editorRow);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(CheckBox1);
    layout->addWidget(GroupBox1);

    connect(BtnBrowse, &QPushButton::clicked, this, &TDlgOptions::BtnBrowseClick);
}

void TDlgOptions::BtnBrowseClick()
{
    // A command without a folder ("xdg-open") starts the dialog at the program it names.
    QString preset = QProcess::splitCommand(EdtWord->text()).value(0);
    if (!preset.isEmpty() && !preset.contains('/'))
        preset = QStandardPaths::findExecutable(preset);
    TFileDialogSpec spec{"Browse", preset, "Programs|*|All Files (*.*)|*.*", {}, 1};
    const QString chosen = ask().openFileName(this, spec);
    if (!chosen.isEmpty())
        EdtWord->setText(QFileInfo(chosen).absoluteFilePath());
}

void TDlgOptions::loadFields()
{
    EdtWord->setText(m_editorCommand);
    DataEdit1->setNumber(m_project.OutputIncrement);
    const bool linear = m_project.SandTipOption == 1;
    RadioButton1->setChecked(linear);
    RadioButton2->setChecked(!linear);
    CheckBox1->setChecked(linear);
}

void TDlgOptions::storeFields()
{
    m_editorCommand = EdtWord->text();
    m_project.OutputIncrement = DataEdit1->Number();
    m_project.SandTipOption = RadioButton1->isChecked() ? 1 : 0;
}
