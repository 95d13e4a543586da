#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <QWidget>

class QLabel;
class QPushButton;
class TGridTable;

/// Adapts a TGridTable to the grid: text cells show and take the stored values; enumeration
/// and nested-table cells are drawn by widgets of the window.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TGridModel(TGridTable &table, QObject *parent = nullptr) : QAbstractTableModel(parent), m_table(&table) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    /// Evaluates and stores the text of a text cell; the message for the user when it is
    /// refused, empty when stored. Every text cell is redrawn afterwards.
    QString commitText(const QModelIndex &index, const QString &text);
    bool isTextCell(const QModelIndex &index) const;
    void reload();
    void detach() { m_table = nullptr; }
    /// True while commitText stores a value; the window then needs no rebuild.
    bool committing() const { return m_committing; }

private:
    TGridTable *m_table;
    bool m_committing = false;
};

/// The grid of the table window. Leaving a cell commits its text; a refused text keeps the
/// editor open on the cell with the message shown.
class TGridView : public QTableView {
    Q_OBJECT
public:
    explicit TGridView(QWidget *parent = nullptr);
    void setTopLeft(const QString &text);
    /// Commits an open editor; false when its text was refused (the editor stays open).
    bool commitOpenEditor();
    /// True while a cell editor is open.
    bool isEditing() const { return state() == EditingState; }

protected:
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void updateGeometries() override;

private:
    friend class TCellDelegate;
    QLabel *m_corner;
    QPointer<QWidget> m_editor; // the open cell editor
    QPersistentModelIndex m_editIndex;
    QPersistentModelIndex m_refused; // cell whose text was refused by the last commit
    bool m_inMessage = false;
};

/// The editing window of one table: the grid with the row buttons, the comment text, in-place
/// lists for enumeration cells and buttons that open nested tables. At most one per table;
/// it closes when its table goes away.
class TTableForm : public QWidget {
    Q_OBJECT
public:
    /// Opens the table's window, or brings the open one to the front. parent is the window
    /// that holds the table windows (nullptr: top-level windows).
    static TTableForm *open(TGridTable &table, QWidget *parent = nullptr);
    /// The open window of a table, or nullptr.
    static TTableForm *formOf(const TGridTable &table);
    ~TTableForm() override;

    TGridView *grid() const { return m_grid; }
    /// Shows the table's comment text as it is now.
    void refreshComments();
    TGridTable *table() const { return m_table; }
    /// The row buttons "&Add Row", "&Insert Row" and "&Delete Row".
    QPushButton *addButton() const { return m_add; }
    QPushButton *insertButton() const { return m_insert; }
    QPushButton *deleteButton() const { return m_delete; }
    /// The list of an enumeration cell and the button of a nested-table cell.
    QWidget *cellWidget(int row, int col) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TTableForm(TGridTable &table, QWidget *parent);
    void AddClick();
    void InsertClick();
    void DeleteClick();
    void rebuild();
    void buildRowWidgets(int row);
    void refreshButtons();
    void tableChanged();
    void tableDestroyed();
    bool currentGroupStart(int &first);

    TGridTable *m_table;
    TGridModel *m_model;
    TGridView *m_grid;
    QLabel *m_comments;
    QLabel *m_picture;
    QPushButton *m_add, *m_insert, *m_delete;
    bool m_selfChange = false;
};
