#include "SaveAttb.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

#include "DataEdit.h"

namespace {

TDataEdit *numberField(QWidget *parent, const char *name, const QString &caption, double value, double min,
                       bool integer, QFormLayout *form)
{
    auto *edit = new TDataEdit(parent);
    edit->setObjectName(name);
    auto *label = new QLabel(parent);
    edit->setEditLabel(label);
    edit->setCaption(caption);
    edit->setIntegerOnly(integer);
    edit->setMinVal(min);
    edit->setNumber(value);
    edit->setMaximumWidth(90);
    form->addRow(label, edit);
    return edit;
}

} // namespace

TdlgFormat::TdlgFormat(bool raster, QWidget *parent) : QDialog(parent), m_raster(raster)
{
    setObjectName("dlgFormat");
    setWindowTitle("Save Attributes");
    auto *fields = new QFormLayout;
    HeightEdit = numberField(this, "HeightEdit", "&Height (in)", 4, 2, false, fields);
    WidthEdit = numberField(this, "WidthEdit", "&Width (in)", 6, 2, false, fields);
    PixelsEdit = numberField(this, "PixelsEdit", "&Pixels Per Inch", 72, 10, true, fields);

    auto *group = new QGroupBox("Colors", this);
    auto *groupLayout = new QVBoxLayout(group);
    auto radio = [&](const char *name, const QString &text) {
        auto *b = new QRadioButton(text, group);
        b->setObjectName(name);
        groupLayout->addWidget(b);
        return b;
    };
    rbBlackWhite = radio("rbBlackWhite", "Black and White");
    rb16Colors = radio("rb16Colors", "16 Colors");
    rb256Colors = radio("rb256Colors", "256 Colors");
    rbHighColor = radio("rbHighColor", "High Color (16 bit)");
    rbTrueColor = radio("rbTrueColor", "True Color (24 bit)");
    rb16Colors->setChecked(true);
    // The colour depth means nothing to a drawing made of vectors.
    group->setEnabled(raster);

    // Enter in a number field evaluates it; the dialog closes only by its buttons.
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setAutoDefault(false);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setAutoDefault(false);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(group);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TdlgFormat::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TPictureColors TdlgFormat::colors() const
{
    if (rbBlackWhite->isChecked())
        return TPictureColors::BlackWhite;
    if (rb256Colors->isChecked())
        return TPictureColors::Colors256;
    if (rbHighColor->isChecked())
        return TPictureColors::HighColor;
    if (rbTrueColor->isChecked())
        return TPictureColors::TrueColor;
    return TPictureColors::Colors16;
}

void TdlgFormat::OKBtnClick()
{
    for (TDataEdit *edit : {HeightEdit, WidthEdit, PixelsEdit})
        if (!edit->Validate())
            return;
    const double ppi = PixelsEdit->Number();
    const double w = std::round(ppi * WidthEdit->Number());
    const double h = std::round(ppi * HeightEdit->Number());
    if (!(w * h <= kMaxPixels)) {
        done(kNotEnoughMemory);
        return;
    }
    m_size = QSize(int(w), int(h));
    if (m_raster) {
        m_image = QImage(m_size, QImage::Format_RGB32);
        if (m_image.isNull()) {
            done(kNotEnoughMemory);
            return;
        }
        m_image.fill(Qt::white);
    }
    accept();
}
