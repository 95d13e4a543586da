#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "core/exportgraphs.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TGraphPlot;

/// "Export to Excel": the twelve result graphs as a check list, available as the Graphics
/// menu enables them, written as one workbook with a data sheet and a chart per graph.
class TDlgExport : public QDialog {
    Q_OBJECT
public:
    using TPlots = std::array<const TGraphPlot *, kExportPlotCount>;
    using TAvailable = std::array<bool, kExportPlotCount>;

    /// graphs: the Graphics menu's graphs 1 to 12; available: whether each item is enabled;
    /// projectPath: the project file, beside which the workbook is offered.
    TDlgExport(const TPlots &graphs, const TAvailable &available, const QString &projectPath,
               QWidget *parent = nullptr);

    /// New graphs and enabling for the next showing (the list is rebuilt on every show).
    void SetPlots(const TPlots &graphs, const TAvailable &available, const QString &projectPath);

    /// The number of checked rows.
    int GetNPlots() const;
    /// The workbook offered first: the project's name with ".xlsx", in the project's folder.
    QString defaultWorkbookPath() const;

public slots:
    void FormShow();
    void BtnSelectAllClick();
    void BtnUnselectAllClick();
    void BtnGenerateClick();
    void BtnCloseClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void CheckGenerateBtn();
    void checkAll(bool checked);

    TPlots m_graphs{};
    TAvailable m_available{};
    QString m_projectPath;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QListWidget *CheckListBoxPlots = nullptr;
    QPushButton *BtnSelectAll = nullptr;
    QPushButton *BtnUnselectAll = nullptr;
    QPushButton *BtnGenerate = nullptr;
    QPushButton *BtnClose = nullptr;
};
