#include "PageSet.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>

#include <cmath>
#include <stdexcept>

#include "Messages.h"

void TPageSetupDialog::applyTo(QPrinter &printer) const
{
    const QMarginsF inches(Margins[0] / 1000.0, Margins[1] / 1000.0, Margins[2] / 1000.0, Margins[3] / 1000.0);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    // Below the printer's minimum the layout refuses the margins; the print rule lifts them
    // to the unprintable border anyway.
    layout.setMode(QPageLayout::StandardMode);
    if (!layout.setMargins(inches)) {
        layout.setMode(QPageLayout::FullPageMode);
        layout.setMargins(inches);
    }
    printer.setPageLayout(layout);
}

bool TPageSetupDialog::Execute(QPrinter &printer, QWidget *parent)
{
    try {
        if (!printer.isValid())
            throw std::runtime_error("Error getting Printer\r" + printer.printerName().toStdString() +
                                     " cannot be reached.");
        applyTo(printer);
        QPageSetupDialog dialog(&printer, parent);
        if (ask().runDialog(&dialog) != QDialog::Accepted)
            return false;
        const QMarginsF m = printer.pageLayout().margins(QPageLayout::Inch);
        auto thou = [this](double inches, int side) {
            return std::max(int(std::lround(inches * 1000)), MinMargins[size_t(side)]);
        };
        Margins = {thou(m.left(), 0), thou(m.top(), 1), thou(m.right(), 2), thou(m.bottom(), 3)};
        return true;
    } catch (const std::exception &error) {
        showMessage(parent, QString("Error in %1\r%2").arg("TPageSetupDialog.Execute", error.what()));
        return false;
    }
}
