#include "cPileProperties.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "DataEdit.h"
#include "core/projectdata.h"

namespace {

const char *const kNote[] = {
    "Shaft diameter, B, is automatically incremented in 6-inch or 0.15 m increments between the specified minimum ",
    "and maximum diameters.",
    "",
    "For shafts in cohesive soils, the upper exclusion zone, Lue, is used to eliminate side resistance lost due to ",
    "desiccation cracking and the lower exclusion zone, Lle, is used to account for side resistance lost due to horizontal ",
    "stress loss under loading. ",
    "",
    "For shafts in cohesive soils, a lower exclusion zone for side resistance is usually not reccomended for uplift loading. ",
    "",
    "No exclusion zones are recommended for shafts in cohesionless soils.",
    "",
    "Bells should not be specified for shafts in cohesionless soils or rock.",
};

} // namespace

TfrmShaftpeneta::TfrmShaftpeneta(TProgramData &project, TProjectTables &tables, QWidget *parent)
    : TDataForm(project, tables, parent)
{
    setObjectName("frmShaftpeneta");
    setWindowTitle("Drilled-Shaft Properties");
    constexpr double kLargest = std::numeric_limits<double>::max();

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    DataEdit1 = addField(grid, 0, "DataEdit1", "Minimum Shaft Diameter, B, to be Considered", "L2", 30);
    DataEdit2 = addField(grid, 1, "DataEdit2", "Maximum Shaft Diameter, B, to be Considered", "L2", 30,
                         "(Enter 0 if same as minimum)");
    DataEdit3 = addField(grid, 2, "DataEdit3", "&Ratio of Base Diameter to Shaft Diameter,  Bb/B", "", 10,
                         "(Enter 0 for straight shaft)");
    DataEdit4 = addField(grid, 3, "DataEdit4", "&Angle of Bell with Respect to Vertical,  Ang ", "deg", 90,
                         "(Enter 0 for straight shaft)");
    DataEdit5 = addField(grid, 4, "DataEdit5", "Length of &Upper Exclusion Zone without Skin Friction, Lue", "L2",
                         kLargest);
    DataEdit6 = addField(grid, 5, "DataEdit6", "Lenght of Bottom Portion of Shaft without Skin Friction, Lle", "L2",
                         100);
    DataEdit7 = addField(grid, 6, "DataEdit7", "&Modulus of Elasticity of Drilled Shaft ", "F/L²", 300000000);
    grid->setColumnMinimumWidth(2, 190);

    auto *picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(QPixmap(":/pictures/shaft.png"));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setFrameShape(QFrame::StyledPanel);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    QStringList note;
    for (const char *line : kNote)
        note << QString::fromUtf8(line);
    Memo1->setPlainText(note.join('\n'));
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Wide enough for its longest line, so the note breaks only where its lines do.
    int widest = 0;
    for (const QString &line : note)
        widest = std::max(widest, Memo1->fontMetrics().horizontalAdvance(line));
    Memo1->setMinimumWidth(widest + 2 * Memo1->frameWidth() + 16);
    Memo1->setMinimumHeight(Memo1->fontMetrics().lineSpacing() * 15 + 12);

    auto *left = new QVBoxLayout;
    left->addLayout(grid);
    left->addSpacing(6);
    left->addWidget(Memo1, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(picture, 0, Qt::AlignTop);
}

void TfrmShaftpeneta::loadFields()
{
    TDataEdit *const fields[] = {DataEdit1, DataEdit2, DataEdit3, DataEdit4, DataEdit5, DataEdit6, DataEdit7};
    for (int k = sdDSTART; k <= sdEc; ++k)
        fields[k]->setNumber(m_project.ShaftData[size_t(k)]);
}

void TfrmShaftpeneta::storeFields()
{
    TDataEdit *const fields[] = {DataEdit1, DataEdit2, DataEdit3, DataEdit4, DataEdit5, DataEdit6, DataEdit7};
    for (int k = sdDSTART; k <= sdEc; ++k)
        m_project.ShaftData[size_t(k)] = fields[k]->Number();
}
