#include "Title.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/projectdata.h"

TdlgTitle::TdlgTitle(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : TDataForm(project, tables, parent)
{
    setObjectName("dlgTitle");
    setWindowTitle("Project Title");
    auto *label = new QLabel("Enter line of text for project description:", this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(80);
    label->setBuddy(Edit1);
    // Room for the 80 characters the file keeps.
    Edit1->setMinimumWidth(Edit1->fontMetrics().averageCharWidth() * 82);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Edit1);
}

void TdlgTitle::loadFields()
{
    Edit1->setText(m_project.Title);
    Edit1->setModified(false);
}

void TdlgTitle::storeFields()
{
    // Only the user's edits count: a longer title read from a file is not cut to 80
    // characters by merely looking at it.
    if (Edit1->isModified() && Edit1->text() != m_project.Title) {
        m_project.Title = Edit1->text();
        setModified();
    }
}
