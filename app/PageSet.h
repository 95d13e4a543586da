#pragma once

#include <array>

class QPrinter;
class QWidget;

/// The page setup of a graph window: four margins in thousandths of an inch (left, top,
/// right, bottom) kept between print jobs, edited with the system's page-setup dialog.
class TPageSetupDialog {
public:
    std::array<int, 4> Margins{1000, 1000, 1000, 1000};
    std::array<int, 4> MinMargins{0, 0, 0, 0};

    /// Runs the dialog for printer with the margins preset; on OK the printer keeps the
    /// paper and Margins the new margins. False on Cancel and on a failure, which is shown
    /// as "Error in TPageSetupDialog.Execute" with its reason.
    bool Execute(QPrinter &printer, QWidget *parent);
    /// Puts Margins on the printer's page layout, as far as the paper allows.
    void applyTo(QPrinter &printer) const;
};
