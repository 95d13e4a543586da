#include "Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "Messages.h"
#include "core/ColumnTypes.h"
#include "core/expression.h"
#include "core/units.h"

namespace {

QHash<const TGridTable *, QPointer<TTableForm>> &openForms()
{
    static QHash<const TGridTable *, QPointer<TTableForm>> forms;
    return forms;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TGridModel

int TGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : m_table->rowCount();
}

int TGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : m_table->columnCount();
}

bool TGridModel::isTextCell(const QModelIndex &index) const
{
    if (!m_table || !index.isValid())
        return false;
    const TColumnKind kind = m_table->column(index.column()).kind();
    return kind == TColumnKind::Int || kind == TColumnKind::Float || kind == TColumnKind::String;
}

QVariant TGridModel::data(const QModelIndex &index, int role) const
{
    if (!isTextCell(index) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_table->text(index.column(), index.row());
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_table)
        return {};
    if (orientation == Qt::Vertical)
        return section / std::max(m_table->RowGroup, 1) + 1;
    if (section < 0 || section >= m_table->columnCount())
        return {};
    const TColumn &column = m_table->column(section);
    QStringList lines = column.header();
    if (!column.unitPattern().isEmpty())
        lines << "(" + unitText(column.unitPattern(), m_table->units()) + ")";
    return lines.join('\n');
}

Qt::ItemFlags TGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (!isTextCell(index))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QString TGridModel::commitText(const QModelIndex &index, const QString &text)
{
    if (!isTextCell(index))
        return {};
    const int col = index.column(), row = index.row();
    const TColumn &column = m_table->column(col);
    const QScopedValueRollback<bool> guard(m_committing, true);
    if (column.kind() == TColumnKind::String) {
        m_table->setText(col, row, text);
    } else {
        if (text.trimmed().isEmpty())
            return "Entry cannot be blank.";
        double value = 0;
        try {
            value = Evaluate(text.toStdString());
        } catch (const EEvaluateError &) {
            return text + " is not a valid number.";
        }
        if (column.kind() == TColumnKind::Int) {
            const auto &ints = static_cast<const TIntColumn &>(column);
            if (std::fabs(value - std::round(value)) > 1e-10)
                return "Entry must be an integer.";
            if (value < ints.minimum() || value > ints.maximum())
                return QString::asprintf("Entry must be between %d and %d.", ints.minimum(), ints.maximum());
            m_table->setInt(col, row, int(std::lround(value)));
        } else {
            m_table->setFloat(col, row, value);
        }
    }
    m_table->setChanged();
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1));
    return {};
}

void TGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

// ---------------------------------------------------------------------------------------
// TGridView

// Remembers the editor it opens and its cell, so the view commits the right one.
class TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TGridView *view) : QStyledItemDelegate(view), m_view(view) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_view->m_editor = editor;
        m_view->m_editIndex = index;
        return editor;
    }
    // The view stores the text itself, through the evaluator.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

private:
    TGridView *m_view;
};

TGridView::TGridView(QWidget *parent) : QTableView(parent), m_corner(new QLabel(this))
{
    setItemDelegate(new TCellDelegate(this));
    setObjectName("Grid");
    m_corner->setObjectName("TopLeft");
    m_corner->setAlignment(Qt::AlignCenter);
    m_corner->setWordWrap(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

void TGridView::setTopLeft(const QString &text)
{
    m_corner->setText(text);
    m_corner->setVisible(!text.isEmpty());
    verticalHeader()->setMinimumWidth(text.isEmpty() ? 0 : 90);
}

void TGridView::updateGeometries()
{
    QTableView::updateGeometries();
    const int frame = frameWidth();
    m_corner->setGeometry(frame, frame, verticalHeader()->width(), horizontalHeader()->height());
    m_corner->raise();
}

void TGridView::commitData(QWidget *editor)
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    auto *grid = qobject_cast<TGridModel *>(model());
    if (!line || !grid) {
        QTableView::commitData(editor);
        return;
    }
    if (editor != m_editor || !m_editIndex.isValid())
        return; // an editor already closed
    const QModelIndex edited = m_editIndex;
    if (m_inMessage) {
        // The message box took the focus from the editor; the text is still refused.
        m_refused = edited;
        return;
    }
    const QString message = grid->commitText(edited, line->text());
    if (message.isEmpty()) {
        m_refused = QPersistentModelIndex();
        return;
    }
    m_refused = edited;
    m_inMessage = true;
    showMessage(this, message);
    m_inMessage = false;
}

void TGridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex cell = m_refused;
    m_refused = QPersistentModelIndex();
    if (!cell.isValid() || hint == QAbstractItemDelegate::RevertModelCache) {
        if (editor == m_editor) {
            m_editor = nullptr;
            QTableView::closeEditor(editor, hint);
        }
        return;
    }
    // Refused: the editor stays open and the selection goes back to its cell.
    QTimer::singleShot(0, this, [this, cell = QPersistentModelIndex(cell), editor = QPointer<QWidget>(editor)] {
        if (selectionModel() && cell.isValid())
            selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
        if (editor)
            editor->setFocus();
    });
}

bool TGridView::commitOpenEditor()
{
    QWidget *editor = m_editor;
    if (!editor)
        return true;
    commitData(editor);
    const bool refused = m_refused.isValid();
    m_refused = QPersistentModelIndex();
    if (refused)
        return false;
    m_editor = nullptr;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

// ---------------------------------------------------------------------------------------
// TTableForm

TTableForm *TTableForm::open(TGridTable &table, QWidget *parent)
{
    if (TTableForm *form = formOf(table)) {
        form->show();
        form->raise();
        form->activateWindow();
        return form;
    }
    auto *form = new TTableForm(table, parent);
    openForms().insert(&table, form);
    form->show();
    return form;
}

TTableForm *TTableForm::formOf(const TGridTable &table)
{
    return openForms().value(&table).data();
}

TTableForm::TTableForm(TGridTable &table, QWidget *parent)
    : QWidget(parent, Qt::Window), m_table(&table), m_model(new TGridModel(table, this)),
      m_grid(new TGridView(this)), m_comments(new QLabel(this)),
      m_picture(new QLabel(this)), m_add(new QPushButton("&Add Row", this)),
      m_insert(new QPushButton("&Insert Row", this)), m_delete(new QPushButton("&Delete Row", this))
{
    setObjectName("TableForm");
    setAttribute(Qt::WA_DeleteOnClose);
    m_add->setObjectName("AddButton");
    m_insert->setObjectName("InsertButton");
    m_delete->setObjectName("DeleteButton");
    m_comments->setObjectName("Comments");
    m_comments->setWordWrap(true);

    if (table.rowCount() < table.MinRows)
        table.setRowCount(table.MinRows);
    setWindowTitle(table.windowCaption());
    m_grid->setModel(m_model);
    m_grid->setTopLeft(table.TopLeft);
    m_comments->setText(withLineBreaks(table.Comments));
    m_comments->setVisible(!table.Comments.isEmpty());
    m_picture->setObjectName("HelpPicture");
    m_picture->setPixmap(QPixmap::fromImage(table.HelpPicture));
    m_picture->setVisible(!table.HelpPicture.isNull());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_comments);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_picture);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_insert);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    for (QPushButton *b : {m_add, m_insert, m_delete}) {
        b->setVisible(!table.HardwiredButton);
        b->setAutoDefault(false);
    }

    connect(m_add, &QPushButton::clicked, this, &TTableForm::AddClick);
    connect(m_insert, &QPushButton::clicked, this, &TTableForm::InsertClick);
    connect(m_delete, &QPushButton::clicked, this, &TTableForm::DeleteClick);

    table.OnChanged = [this] { tableChanged(); };
    table.OnDestroy = [this] { tableDestroyed(); };
    rebuild();
    resize(760, 320);
}

TTableForm::~TTableForm()
{
    if (m_table) {
        m_table->OnChanged = nullptr;
        m_table->OnDestroy = nullptr;
        openForms().remove(m_table);
    }
}

QWidget *TTableForm::cellWidget(int row, int col) const
{
    return m_grid->indexWidget(m_model->index(row, col));
}

void TTableForm::rebuild()
{
    m_model->reload();
    for (int row = 0; row < m_table->rowCount(); ++row)
        buildRowWidgets(row);
    m_grid->resizeColumnsToContents();
    m_grid->resizeRowsToContents();
    if (!m_grid->currentIndex().isValid()) {
        for (int col = 0; col < m_table->columnCount(); ++col) {
            const QModelIndex index = m_model->index(0, col);
            if (m_model->isTextCell(index)) {
                m_grid->setCurrentIndex(index);
                break;
            }
        }
    }
    refreshButtons();
}

void TTableForm::buildRowWidgets(int row)
{
    for (int col = 0; col < m_table->columnCount(); ++col) {
        const TColumn &column = m_table->column(col);
        const QModelIndex index = m_model->index(row, col);
        if (column.kind() == TColumnKind::Enum) {
            auto *list = new QComboBox;
            list->setMaxVisibleItems(11);
            list->addItems(static_cast<const TEnumColumn &>(column).items());
            list->setCurrentIndex(m_table->intValue(col, row) - 1);
            connect(list, &QComboBox::activated, this, [this, list, col](int item) {
                const int r = m_grid->indexAt(list->geometry().center()).row();
                if (r < 0 || r >= m_table->rowCount() || item < 0)
                    return;
                m_selfChange = true;
                m_table->setInt(col, r, item + 1);
                m_table->setChanged();
                m_selfChange = false;
                // Only the nested-table buttons of the row change; the list itself stays.
                for (int c = 0; c < m_table->columnCount(); ++c)
                    if (m_table->column(c).kind() == TColumnKind::Table)
                        buildRowWidgets(r);
            });
            if (!m_grid->indexWidget(index))
                m_grid->setIndexWidget(index, list);
            else
                delete list;
        } else if (column.kind() == TColumnKind::Table) {
            TGridTable &nested = m_table->nested(col, row);
            auto *button = new QPushButton(nested.buttonCaption());
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, &nested] {
                if (m_grid->commitOpenEditor())
                    TTableForm::open(nested, parentWidget());
            });
            m_grid->setIndexWidget(index, button);
        }
    }
}

void TTableForm::refreshButtons()
{
    const int rows = m_table->rowCount();
    m_add->setEnabled(rows != m_table->MaxRows);
    m_insert->setEnabled(rows != m_table->MaxRows);
    m_delete->setEnabled(rows > m_table->MinRows);
}

bool TTableForm::currentGroupStart(int &first)
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= m_table->rowCount()) {
        showMessage(this, "Grid.Row not in valid range");
        return false;
    }
    const int group = std::max(m_table->RowGroup, 1);
    first = row / group * group;
    return true;
}

void TTableForm::AddClick()
{
    if (!m_grid->commitOpenEditor())
        return;
    m_selfChange = true;
    m_table->insertRows(m_table->rowCount(), std::max(m_table->RowGroup, 1));
    m_table->setChanged();
    m_selfChange = false;
    rebuild();
}

void TTableForm::InsertClick()
{
    int first = 0;
    if (!m_grid->commitOpenEditor() || !currentGroupStart(first))
        return;
    m_selfChange = true;
    m_table->insertRows(first, std::max(m_table->RowGroup, 1));
    m_table->setChanged();
    m_selfChange = false;
    rebuild();
}

void TTableForm::DeleteClick()
{
    int first = 0;
    if (!m_grid->commitOpenEditor() || !currentGroupStart(first))
        return;
    const int count = std::min(std::max(m_table->RowGroup, 1), m_table->rowCount() - first);
    const int current = m_grid->currentIndex().column();
    m_selfChange = true;
    m_table->deleteRows(first, count);
    m_table->setChanged();
    m_selfChange = false;
    rebuild();
    if (m_table->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(std::min(first, m_table->rowCount() - 1), std::max(current, 0)));
}

void TTableForm::tableChanged()
{
    if (m_selfChange || m_model->committing())
        return;
    setWindowTitle(m_table->windowCaption());
    refreshComments();
    rebuild();
}

void TTableForm::refreshComments()
{
    m_comments->setText(withLineBreaks(m_table->Comments));
    m_comments->setVisible(!m_table->Comments.isEmpty());
}

void TTableForm::tableDestroyed()
{
    openForms().remove(m_table);
    m_table = nullptr;
    m_model->detach();
    m_model->reload();
    hide();
    deleteLater();
}

void TTableForm::closeEvent(QCloseEvent *event)
{
    if (!m_grid->commitOpenEditor()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TTableForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Going to another window of the program commits the cell being edited, as leaving the
    // cell does; switching to another application does not.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_table && QApplication::activeWindow())
        m_grid->commitOpenEditor();
}
