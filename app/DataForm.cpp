#include "DataForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>

#include "DataEdit.h"
#include "core/expression.h"
#include "core/projectdata.h"

bool entryPasses(const TDataEdit &field)
{
    try {
        const double value = field.Number();
        if (field.IntegerOnly() && value != std::trunc(value))
            return false;
        return value >= field.MinVal() && value <= field.MaxVal();
    } catch (const std::exception &) {
        return false;
    }
}

TDataForm::TDataForm(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : QWidget(parent), m_project(project), m_tables(tables)
{
}

void TDataForm::FormActivate()
{
    for (TDataEdit *field : m_fields)
        field->setUnits(m_project.Units);
    loadFields();
    // Typing over the value, as on entering a field with Tab.
    if (auto *entry = qobject_cast<QLineEdit *>(focusWidget()))
        entry->selectAll();
}

bool TDataForm::FormDeactivate(bool report)
{
    // The focused field is the one the user is at; any other entry that does not pass (left
    // while the program lost the focus) refuses as well, so no bad entry is ever stored.
    TDataEdit *refusing = qobject_cast<TDataEdit *>(focusWidget());
    if (refusing && (!refusing->isEnabled() || entryPasses(*refusing)))
        refusing = nullptr;
    for (TDataEdit *field : m_fields)
        if (!refusing && field->isEnabled() && !entryPasses(*field))
            refusing = field;
    if (!refusing) {
        storeFields();
        return true;
    }
    if (report) {
        // Validate shows the reason and, for a value out of bounds, puts the bound in, which
        // the next deactivation stores.
        refusing->Validate();
        refusing->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

TDataEdit *TDataForm::addField(QGridLayout *grid, int row, const char *name, const QString &caption,
                               const QString &unitsString, double maxVal, const QString &hint)
{
    auto *label = new QLabel(this);
    auto *field = new TDataEdit(this);
    field->setObjectName(name);
    field->setMaxVal(maxVal);
    field->setCaption(caption);
    field->setUnitsString(unitsString);
    field->setUnits(m_project.Units);
    field->setEditLabel(label);
    field->setFixedWidth(110);
    field->setAlignment(Qt::AlignRight);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (!hint.isEmpty())
        grid->addWidget(new QLabel(hint, this), row, 2);
    connect(field, &QLineEdit::textEdited, this, &TDataForm::setModified);
    m_fields.push_back(field);
    return field;
}

void TDataForm::setModified()
{
    m_tables.FormsModified = true;
}

void TDataForm::closeEvent(QCloseEvent *event)
{
    if (!FormDeactivate(true)) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    emit Closed();
}

QGroupBox *TDataForm::addLoadTypeGroup(QRadioButton *&compression, QRadioButton *&uplift, TDataEdit *&reduction)
{
    auto *group = new QGroupBox("Type of Loading", this);
    group->setObjectName("GroupBox1");
    compression = new QRadioButton("C&ompression", group);
    compression->setObjectName("rbCompression");
    uplift = new QRadioButton("&Uplift ", group);
    uplift->setObjectName("rbUplift");
    auto *grid = new QGridLayout(group);
    grid->addWidget(compression, 0, 0, 1, 2);
    grid->addWidget(uplift, 1, 0, 1, 2);
    reduction = addField(grid, 2, "deRCYCL", "&Reduction factor for uplift loading", "", 1);
    grid->setColumnStretch(0, 1);
    connect(compression, &QRadioButton::clicked, this, &TDataForm::setModified);
    connect(uplift, &QRadioButton::clicked, this, &TDataForm::setModified);
    return group;
}

void TDataForm::loadLoadType(QRadioButton *compression, QRadioButton *uplift, TDataEdit *reduction)
{
    // The reduction shows under compression too (it is 1 there), rather than a meaningless 0.
    reduction->setNumber(m_project.UpliftReduction);
    if (m_project.LoadType == 1)
        compression->setChecked(true);
    else
        uplift->setChecked(true);
}

void TDataForm::storeLoadType(QRadioButton *uplift, TDataEdit *reduction)
{
    if (uplift->isChecked()) {
        m_project.LoadType = 2;
        m_project.UpliftReduction = reduction->Number();
    } else {
        m_project.SetLoadType(1);
    }
}
