#include "PileSide.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "Messages.h"
#include "core/ColumnTypes.h"

namespace {

// Room around the drawing so the ground line and the last layer line stay off the edges.
constexpr int kMargin = 8;

} // namespace

/// The drawing area: hands paint, resize and pointer moves to the window.
class TSideViewBox : public QWidget {
public:
    explicit TSideViewBox(TDlgSideView *owner) : QWidget(owner), m_owner(owner)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(120, 120);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_owner->PaintBoxPaint(painter);
    }
    void resizeEvent(QResizeEvent *) override { m_owner->PaintBoxResize(); }
    void mouseMoveEvent(QMouseEvent *e) override { m_owner->PaintBoxMouseMove(e->position().toPoint().y()); }

private:
    TDlgSideView *m_owner;
};

TDlgSideView::TDlgSideView(const TProgramData &project, QWidget *parent)
    : QWidget(parent), m_project(project)
{
    setObjectName("DlgSideView");
    setWindowTitle("Elevation View");
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = new QLabel("Pile Geometry", this);
    Label1->setObjectName("Label1");
    QFont labelFont = Label1->font();
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    PrintBtn = new QPushButton("Print", this);
    PrintBtn->setObjectName("PrintBtn");
    PaintBox1 = new TSideViewBox(this);
    PaintBox1->setObjectName("PaintBox1");

    auto *bar = new QHBoxLayout;
    bar->addWidget(Label1);
    bar->addStretch();
    bar->addWidget(PrintBtn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(PaintBox1, 1);

    connect(PrintBtn, &QPushButton::clicked, this, &TDlgSideView::PrintBtnClick);
    resize(480, 640);
    FormActivate();
}

QWidget *TDlgSideView::paintBox() const { return PaintBox1; }

QRect TDlgSideView::drawingArea() const
{
    return PaintBox1->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

void TDlgSideView::FormActivate()
{
    try {
        m_view.Build(sideInputFromProject(m_project));
    } catch (const ETableError &) {
        showMessage(this, "One or more Pile Types does not have any sections");
        QTimer::singleShot(0, this, [this] { (parentWidget() ? parentWidget() : this)->close(); });
        return;
    } catch (const std::exception &error) {
        showMessage(this, QString::fromLocal8Bit(error.what()));
        QTimer::singleShot(0, this, [this] { (parentWidget() ? parentWidget() : this)->close(); });
        return;
    }
    PaintBoxResize();
}

void TDlgSideView::PaintBoxResize()
{
    const QRect area = drawingArea();
    m_view.ApplyViewRule(area.width(), area.height());
    PaintBox1->update();
}

void TDlgSideView::PaintBoxPaint(QPainter &painter)
{
    const QPalette pal = palette();
    painter.fillRect(PaintBox1->rect(), pal.color(QPalette::Base));
    TSideStyle style;
    style.Background = pal.color(QPalette::Base);
    style.Ink = pal.color(QPalette::Text);
    style.Shaft = pal.color(QPalette::ButtonText);
    style.Font = font();
    m_view.Paint(painter, drawingArea(), TSideOutput::Screen, style);
}

void TDlgSideView::PaintBoxMouseMove(int y)
{
    if (m_view.Disabled())
        return;
    setWindowTitle(sideDepthCaption(m_view.DepthAt(y, drawingArea())));
}

void TDlgSideView::PrintBtnClick()
{
    const QString jobTitle = "Soil-Pile Profile";
    // Paper is always black on white, whatever the screen's colours.
    TSideStyle style;
    style.Font = Label1->font();
    const auto paintPage = [this, style](QPainter &painter, const QRect &page) {
        m_view.Paint(painter, page, TSideOutput::Page, style);
    };
    ask().printPage(this, jobTitle, paintPage);
}

bool TDlgSideView::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TDlgSideView::showEvent(QShowEvent *e)
{
    // Inside the frame the sub-window is what becomes active, not this widget.
    if (!m_watchingSubWindow) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &TDlgSideView::FormActivate);
            m_watchingSubWindow = true;
        }
    }
    QWidget::showEvent(e);
}
