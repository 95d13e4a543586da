#pragma once

#include <QString>
#include <QWidget>

#include "core/sideview.h"

class QLabel;
class QPainter;
class QPushButton;
class TProgramData;
class TSideViewBox;

/// "Elevation View": the shaft drawn to scale in its soil profile, the depth under the pointer
/// in the caption, and "Print" to a landscape page. Rebuilt from the project on every
/// activation; reads the project, never writes it. Deletes itself when closed.
class TDlgSideView : public QWidget {
    Q_OBJECT
public:
    explicit TDlgSideView(const TProgramData &project, QWidget *parent = nullptr);

    const TSideView &view() const { return m_view; }
    /// The drawing area whose size the view rule uses.
    QWidget *paintBox() const;

public slots:
    /// Rebuilds the pieces from the project, applies the view rule and repaints.
    void FormActivate();
    void PrintBtnClick();

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    friend class TSideViewBox;
    void PaintBoxPaint(QPainter &painter);
    void PaintBoxResize();
    void PaintBoxMouseMove(int y);
    QRect drawingArea() const;

    const TProgramData &m_project;
    TSideView m_view;
    QLabel *Label1 = nullptr;
    QPushButton *PrintBtn = nullptr;
    TSideViewBox *PaintBox1 = nullptr;
    bool m_watchingSubWindow = false;
};
