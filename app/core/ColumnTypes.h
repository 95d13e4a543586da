#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class TGridTable;

/// A broken invariant of the table framework; the message names it.
class ETableError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

enum class TColumnKind { Enum = 0, Int = 1, Float = 2, Table = 3, String = 4 };

/// One column of a table: a value per row and the header lines shown above it.
class TColumn {
public:
    explicit TColumn(QStringList header) : m_header(std::move(header)) {}
    virtual ~TColumn() = default;
    virtual TColumnKind kind() const = 0;
    const QStringList &header() const { return m_header; }
    /// Unit pattern of a real column; empty for every other kind.
    virtual QString unitPattern() const { return {}; }
    /// The cell as the grid shows it; nested tables show nothing (their cell is a button).
    virtual QString text(int row) const = 0;

protected:
    friend class TGridTable;
    virtual void insertRows(TGridTable &table, int at, int count) = 0;
    virtual void removeRows(int at, int count) = 0;

private:
    QStringList m_header;
};

/// Values 1..n shown as the n-th item; 0 or a value beyond n shows nothing.
class TEnumColumn : public TColumn {
public:
    TEnumColumn(QStringList header, QStringList items, int defaultValue = 1)
        : TColumn(std::move(header)), m_items(std::move(items)), m_default(defaultValue) {}
    TColumnKind kind() const override { return TColumnKind::Enum; }
    QString text(int row) const override;
    const QStringList &items() const { return m_items; }
    int value(int row) const { return m_values.at(size_t(row)); }

protected:
    friend class TGridTable;
    void insertRows(TGridTable &, int at, int count) override;
    void removeRows(int at, int count) override;
    std::vector<int> m_values;

private:
    QStringList m_items;
    int m_default;
};

class TIntColumn : public TColumn {
public:
    TIntColumn(QStringList header, int defaultValue, int minimum, int maximum)
        : TColumn(std::move(header)), m_default(defaultValue), m_min(minimum), m_max(maximum) {}
    TColumnKind kind() const override { return TColumnKind::Int; }
    QString text(int row) const override { return QString::number(value(row)); }
    int value(int row) const { return m_values.at(size_t(row)); }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

protected:
    friend class TGridTable;
    void insertRows(TGridTable &, int at, int count) override;
    void removeRows(int at, int count) override;
    std::vector<int> m_values;

private:
    int m_default, m_min, m_max;
};

/// Reals in the unit of the pattern (see unitFactor), shown with up to 8 significant digits.
class TFloatColumn : public TColumn {
public:
    TFloatColumn(QStringList header, QString unitPattern, double defaultValue = 0)
        : TColumn(std::move(header)), m_pattern(std::move(unitPattern)), m_default(defaultValue) {}
    TColumnKind kind() const override { return TColumnKind::Float; }
    QString unitPattern() const override { return m_pattern; }
    QString text(int row) const override;
    double value(int row) const { return m_values.at(size_t(row)); }

protected:
    friend class TGridTable;
    void insertRows(TGridTable &, int at, int count) override;
    void removeRows(int at, int count) override;
    std::vector<double> m_values;

private:
    QString m_pattern;
    double m_default;
};

/// A nested table per row, built from the template chosen by the row's value in the
/// table's first (enumeration) column: templates[value - 1].
class TTableColumn : public TColumn {
public:
    TTableColumn(QStringList header, std::vector<int> templates);
    ~TTableColumn() override;
    TColumnKind kind() const override { return TColumnKind::Table; }
    QString text(int) const override { return {}; }
    TGridTable &table(int row) const { return *m_tables.at(size_t(row)); }
    /// Template identifier for an enumeration value; 0 when none is defined for it.
    int templateFor(int enumValue) const;

protected:
    friend class TGridTable;
    void insertRows(TGridTable &table, int at, int count) override;
    void removeRows(int at, int count) override;
    std::vector<std::unique_ptr<TGridTable>> m_tables;

private:
    std::vector<int> m_templates;
};

class TStringColumn : public TColumn {
public:
    explicit TStringColumn(QStringList header) : TColumn(std::move(header)) {}
    TColumnKind kind() const override { return TColumnKind::String; }
    QString text(int row) const override { return m_values.at(size_t(row)); }

protected:
    friend class TGridTable;
    void insertRows(TGridTable &, int at, int count) override;
    void removeRows(int at, int count) override;
    std::vector<QString> m_values;
};

/// Typed table: ordered columns, a row count kept within [MinRows, MaxRows] by the editing
/// window, nested tables per row, its own unit system and a changed flag. Rows and columns
/// count from 0 here; the window shows rows from 1. Reading a cell out of range or of the
/// wrong kind throws ETableError.
class TGridTable {
public:
    /// Identifier 0 takes the next number of a running counter, above every definition's.
    TGridTable(int identifier, QString caption);
    ~TGridTable();
    /// Every table alive, in order of creation.
    static const std::vector<TGridTable *> &liveTables();
    TGridTable(const TGridTable &) = delete;
    TGridTable &operator=(const TGridTable &) = delete;

    /// A fresh table from a definition: 1 to 7, 31, 32 (property tables) or 10 (layers),
    /// with its minimum row count. Other identifiers throw ETableError.
    static std::unique_ptr<TGridTable> fromTemplate(int identifier);

    int Identifier;
    QString Caption;
    QString Comments; // shown above the grid; hidden when empty
    QString TopLeft;
    int MaxRows = 0; // 0: no maximum
    int MinRows = 0;
    int RowGroup = 1;
    bool HardwiredButton = false; // true: the row buttons are hidden
    QImage HelpPicture;           // shown under the grid; none when null

    template <class C, class... Args> C &addColumn(Args &&...args)
    {
        if (m_rows != 0)
            throw ETableError("Column Type list not empty");
        auto column = std::make_unique<C>(std::forward<Args>(args)...);
        C &ref = *column;
        m_columns.push_back(std::move(column));
        return ref;
    }
    int columnCount() const { return int(m_columns.size()); }
    const TColumn &column(int col) const;
    /// Number of header lines of the longest header.
    int headerRows() const;

    int rowCount() const { return m_rows; }
    /// Adds rows at the end with the columns' defaults, or removes rows from the end.
    /// Negative counts are taken as 0.
    void setRowCount(int rows);
    void insertRows(int at, int count);
    void deleteRows(int at, int count);

    double floatValue(int col, int row) const;
    /// Enumeration and integer cells.
    int intValue(int col, int row) const;
    QString text(int col, int row) const;
    TGridTable &nested(int col, int row) const;

    void setFloat(int col, int row, double value);
    /// Setting the first enumeration column to a new value replaces the row's nested tables
    /// by fresh ones of the new type; the old values are lost.
    void setInt(int col, int row, int value);
    void setText(int col, int row, const QString &value);

    /// The table holding this one in a cell; nullptr at top level.
    TGridTable *parentTable() const { return m_parent; }
    /// Row number (from 1) of the parent cell; 0 at top level.
    int number() const { return m_number; }
    /// "2: Clay Layer Data": what the parent cell's button shows.
    QString buttonCaption() const;
    /// Caption, a blank, then a blank and the number of every table from the outermost
    /// down to this one whose number is not 0: "Sand Layer Data  3".
    QString windowCaption() const;

    int units() const { return m_units; }
    /// Converts every real column and the nested tables into u (clamped to 1 or 2); nothing
    /// happens when the table is already in u.
    void setUnits(int u);

    /// True when this table or one of its nested tables was edited.
    bool changed() const;
    void setChanged() { m_changed = true; }
    /// Clears the flag here and in every nested table.
    void resetChanged();

    /// Called after values or rows changed through this interface (not while an editing
    /// window makes the change itself); windows refresh from it.
    std::function<void()> OnChanged;
    /// Called from the destructor; an open editing window closes on it.
    std::function<void()> OnDestroy;

private:
    friend class TTableColumn;
    void notify();
    void renumberNested();
    void checkCell(int col, int row) const;

    std::vector<std::unique_ptr<TColumn>> m_columns;
    int m_rows = 0;
    int m_units = 1;
    bool m_changed = false;
    TGridTable *m_parent = nullptr;
    int m_number = 0;
};

/// Cell reference: a column and a row of one table.
struct TData {
    TGridTable &table;
    int col, row;
    TGridTable &nested() const { return table.nested(col, row); }
    double real() const { return table.floatValue(col, row); }
    int integer() const { return table.intValue(col, row); }
    QString text() const { return table.text(col, row); }
    void setReal(double v) const { table.setFloat(col, row, v); }
    void setInteger(int v) const { table.setInt(col, row, v); }
};

/// Soil type names, codes 1 to 9 in order.
QStringList soilTypeNames();
/// Columns of the layer table.
enum LayerColumn { colSoilType = 0, colDepth, colLayerData, colMaxSide, colMaxEnd, colRFSide, colRFTip };
/// Comment text of the layer table for a design method (1 LRFD, 2 allowable stress).
QString layerComments(int designMethod);
