#pragma once

#include <QDialog>

#include "core/graph.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

/// "Graph Caption": the graph title and whether it stands above or below the plot.
class TfrmGraphCaption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGraphCaption(QWidget *parent = nullptr);

    void setTitle(const QString &title, TTitleLocation location);
    QString title() const;
    TTitleLocation location() const;

    QLineEdit *edtCaption;
    QRadioButton *rbTop;
    QRadioButton *rbBottom;
    QPushButton *btnOK;
};

/// Runs the dialog on the graph's title. However the dialog closes, the text and the
/// location are stored, as it offers only "&OK".
void EditGraphTitle(QWidget *parent, TGraphPlot &graph);
