#include "ColumnTypes.h"

#include <limits>

#include "numformat.h"
#include "units.h"

namespace {

template <class T> void insertValues(std::vector<T> &values, int at, int count, const T &value)
{
    values.insert(values.begin() + at, size_t(count), value);
}

template <class T> void eraseValues(std::vector<T> &values, int at, int count)
{
    values.erase(values.begin() + at, values.begin() + at + count);
}

} // namespace

QString TEnumColumn::text(int row) const
{
    const int v = value(row);
    return v >= 1 && v <= m_items.size() ? m_items[v - 1] : QString();
}

void TEnumColumn::insertRows(TGridTable &, int at, int count) { insertValues(m_values, at, count, m_default); }
void TEnumColumn::removeRows(int at, int count) { eraseValues(m_values, at, count); }
void TIntColumn::insertRows(TGridTable &, int at, int count) { insertValues(m_values, at, count, m_default); }
void TIntColumn::removeRows(int at, int count) { eraseValues(m_values, at, count); }
void TFloatColumn::insertRows(TGridTable &, int at, int count) { insertValues(m_values, at, count, m_default); }
void TFloatColumn::removeRows(int at, int count) { eraseValues(m_values, at, count); }
void TStringColumn::insertRows(TGridTable &, int at, int count) { insertValues(m_values, at, count, QString()); }
void TStringColumn::removeRows(int at, int count) { eraseValues(m_values, at, count); }

QString TFloatColumn::text(int row) const
{
    return QString::fromStdString(formatFileReal(value(row)));
}

TTableColumn::TTableColumn(QStringList header, std::vector<int> templates)
    : TColumn(std::move(header)), m_templates(std::move(templates))
{
}

TTableColumn::~TTableColumn() = default;

int TTableColumn::templateFor(int enumValue) const
{
    return enumValue >= 1 && enumValue <= int(m_templates.size()) ? m_templates[size_t(enumValue - 1)] : 0;
}

void TTableColumn::insertRows(TGridTable &table, int at, int count)
{
    std::vector<std::unique_ptr<TGridTable>> fresh;
    for (int k = 0; k < count; ++k) {
        // The row's type sits in the first column, which was inserted before this one.
        const int type = table.columnCount() > 0 && table.column(0).kind() == TColumnKind::Enum
                             ? static_cast<const TEnumColumn &>(table.column(0)).value(at + k)
                             : 1;
        auto nested = TGridTable::fromTemplate(templateFor(type));
        nested->m_parent = &table;
        nested->setUnits(table.units());
        fresh.push_back(std::move(nested));
    }
    m_tables.insert(m_tables.begin() + at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
}

void TTableColumn::removeRows(int at, int count) { eraseValues(m_tables, at, count); }

namespace {

std::vector<TGridTable *> &registry()
{
    static std::vector<TGridTable *> tables;
    return tables;
}

int g_nextIdentifier = 100; // above the identifiers of the definitions

} // namespace

TGridTable::TGridTable(int identifier, QString caption)
    : Identifier(identifier != 0 ? identifier : g_nextIdentifier++), Caption(std::move(caption))
{
    registry().push_back(this);
}

TGridTable::~TGridTable()
{
    if (OnDestroy)
        OnDestroy();
    std::erase(registry(), this);
}

const std::vector<TGridTable *> &TGridTable::liveTables()
{
    return registry();
}

const TColumn &TGridTable::column(int col) const
{
    if (col < 0 || col >= columnCount())
        throw ETableError("Column " + std::to_string(col) + " out of range");
    return *m_columns[size_t(col)];
}

int TGridTable::headerRows() const
{
    int rows = 0;
    for (const auto &c : m_columns)
        rows = std::max(rows, int(c->header().size()));
    return rows;
}

void TGridTable::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows > m_rows)
        insertRows(m_rows, rows - m_rows);
    else if (rows < m_rows)
        deleteRows(rows, m_rows - rows);
}

void TGridTable::insertRows(int at, int count)
{
    if (at < 0 || at > m_rows)
        throw ETableError("ATopRow " + std::to_string(at));
    if (count < 0)
        throw ETableError("ACount " + std::to_string(count));
    if (count == 0)
        return;
    for (auto &c : m_columns)
        c->insertRows(*this, at, count);
    m_rows += count;
    renumberNested();
    notify();
}

void TGridTable::deleteRows(int at, int count)
{
    if (at < 0 || at >= m_rows)
        throw ETableError("ATopRow " + std::to_string(at));
    if (count < 0 || at + count > m_rows)
        throw ETableError("ACount " + std::to_string(count));
    if (count == 0)
        return;
    for (auto &c : m_columns)
        c->removeRows(at, count);
    m_rows -= count;
    renumberNested();
    notify();
}

void TGridTable::renumberNested()
{
    for (auto &c : m_columns)
        if (auto *t = dynamic_cast<TTableColumn *>(c.get()))
            for (size_t r = 0; r < t->m_tables.size(); ++r)
                t->m_tables[r]->m_number = int(r) + 1;
}

void TGridTable::checkCell(int col, int row) const
{
    column(col);
    if (row < 0 || row >= m_rows)
        throw ETableError("Row " + std::to_string(row) + " out of range");
}

double TGridTable::floatValue(int col, int row) const
{
    checkCell(col, row);
    const TColumn &c = column(col);
    if (c.kind() == TColumnKind::Float)
        return static_cast<const TFloatColumn &>(c).value(row);
    if (c.kind() == TColumnKind::Int || c.kind() == TColumnKind::Enum)
        return intValue(col, row);
    throw ETableError("Column " + std::to_string(col) + " holds no number");
}

int TGridTable::intValue(int col, int row) const
{
    checkCell(col, row);
    const TColumn &c = column(col);
    if (c.kind() == TColumnKind::Int)
        return static_cast<const TIntColumn &>(c).value(row);
    if (c.kind() == TColumnKind::Enum)
        return static_cast<const TEnumColumn &>(c).value(row);
    throw ETableError("Column " + std::to_string(col) + " holds no integer");
}

QString TGridTable::text(int col, int row) const
{
    checkCell(col, row);
    return column(col).text(row);
}

TGridTable &TGridTable::nested(int col, int row) const
{
    checkCell(col, row);
    if (column(col).kind() != TColumnKind::Table)
        throw ETableError("Column " + std::to_string(col) + " holds no table");
    return static_cast<const TTableColumn &>(column(col)).table(row);
}

void TGridTable::setFloat(int col, int row, double value)
{
    checkCell(col, row);
    TColumn &c = *m_columns[size_t(col)];
    if (c.kind() == TColumnKind::Float) {
        static_cast<TFloatColumn &>(c).m_values[size_t(row)] = value;
        notify();
    } else {
        setInt(col, row, int(value));
    }
}

void TGridTable::setInt(int col, int row, int value)
{
    checkCell(col, row);
    TColumn &c = *m_columns[size_t(col)];
    if (c.kind() == TColumnKind::Int) {
        static_cast<TIntColumn &>(c).m_values[size_t(row)] = value;
    } else if (c.kind() == TColumnKind::Enum) {
        auto &values = static_cast<TEnumColumn &>(c).m_values;
        if (col == 0 && (value < 1 || value > static_cast<TEnumColumn &>(c).items().size()))
            for (auto &other : m_columns)
                if (other->kind() == TColumnKind::Table)
                    throw ETableError("No table for item " + std::to_string(value));
        const bool replaced = values[size_t(row)] != value;
        values[size_t(row)] = value;
        if (col == 0 && replaced) {
            for (auto &other : m_columns) {
                if (auto *t = dynamic_cast<TTableColumn *>(other.get())) {
                    t->removeRows(row, 1);
                    t->insertRows(*this, row, 1);
                }
            }
            renumberNested();
        }
    } else if (c.kind() == TColumnKind::Float) {
        static_cast<TFloatColumn &>(c).m_values[size_t(row)] = value;
    } else {
        throw ETableError("Column " + std::to_string(col) + " holds no number");
    }
    notify();
}

void TGridTable::setText(int col, int row, const QString &value)
{
    checkCell(col, row);
    TColumn &c = *m_columns[size_t(col)];
    if (c.kind() != TColumnKind::String)
        throw ETableError("Column " + std::to_string(col) + " holds no text");
    static_cast<TStringColumn &>(c).m_values[size_t(row)] = value;
    notify();
}

QString TGridTable::buttonCaption() const
{
    return QString::number(m_number) + ": " + Caption;
}

QString TGridTable::windowCaption() const
{
    std::vector<int> numbers;
    for (const TGridTable *t = this; t; t = t->m_parent)
        if (t->m_number != 0)
            numbers.insert(numbers.begin(), t->m_number);
    QString caption = Caption + ' ';
    for (int n : numbers)
        caption += ' ' + QString::number(n);
    return caption;
}

void TGridTable::setUnits(int u)
{
    u = u >= 2 ? 2 : 1;
    if (u == m_units)
        return;
    for (auto &c : m_columns) {
        if (auto *f = dynamic_cast<TFloatColumn *>(c.get())) {
            const double factor = unitFactor(f->unitPattern(), u);
            for (double &v : f->m_values)
                v *= factor;
        }
    }
    m_units = u;
    for (auto &c : m_columns)
        if (auto *t = dynamic_cast<TTableColumn *>(c.get()))
            for (auto &nested : t->m_tables)
                nested->setUnits(u);
    notify();
}

bool TGridTable::changed() const
{
    if (m_changed)
        return true;
    for (const auto &c : m_columns)
        if (const auto *t = dynamic_cast<const TTableColumn *>(c.get()))
            for (const auto &nested : t->m_tables)
                if (nested->changed())
                    return true;
    return false;
}

void TGridTable::resetChanged()
{
    m_changed = false;
    for (auto &c : m_columns)
        if (auto *t = dynamic_cast<TTableColumn *>(c.get()))
            for (auto &nested : t->m_tables)
                nested->resetChanged();
}

void TGridTable::notify()
{
    if (OnChanged)
        OnChanged();
}

QStringList soilTypeNames()
{
    return {"sand (FHWA Spec.)",
            "clay (FHWA Spec.)",
            "shale (Reese &Aurora)",
            "strong rock (FHWA - use either side friction or end bearing)",
            "decomposed rock/gravel (FHWA Spec.)",
            "weak rock (FHWA Spec.)",
            "strong rock (side friction+end bearing)",
            "gravelly sand (Rollins et al)",
            "gravel (Rollins et al)"};
}

QString layerComments(int designMethod)
{
    const QString bullet(QChar(0x00B7));
    QString text = "Max. Side Friction and Max. End Bearing:\r" + bullet +
                   " If entries are left as zero, the program assumes no limits in side friction and end bearing "
                   "computed by the program.";
    if (designMethod == 1)
        text += "\rLRFD Resistance Factors\r" + bullet +
                " Options for entering LRFD resistance factors for side friction and for for tip resistance in each "
                "layer.";
    return text;
}

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
const QString kStress = "F/L2^2", kUnitWeight = "F/L2^3", kModulus = "F/L^2", kLength = "L2";

void propertyDefaults(TGridTable &t)
{
    t.MaxRows = 2;
    t.MinRows = 2;
    t.RowGroup = 1;
    t.TopLeft = "Location, 1=Top, 2=Bottom";
    t.HardwiredButton = true;
}

void sandColumns(TGridTable &t)
{
    t.addColumn<TFloatColumn>(QStringList{"Total Unit Weight"}, kUnitWeight);
    t.addColumn<TFloatColumn>(QStringList{"Friction Angle"}, "");
    t.addColumn<TIntColumn>(QStringList{"Blow Counts", "-Optional-"}, 0, 0, 100);
    t.addColumn<TFloatColumn>(QStringList{"Ko  "}, "");
    t.addColumn<TFloatColumn>(QStringList{" Beta  "}, "");
}

void clayColumns(TGridTable &t)
{
    t.addColumn<TFloatColumn>(QStringList{"Total Unit Weight"}, kUnitWeight);
    t.addColumn<TFloatColumn>(QStringList{"Cohesion"}, kStress);
    t.addColumn<TIntColumn>(QStringList{"Blow Counts", "-Optional-"}, 0, 0, 100);
    t.addColumn<TFloatColumn>(QStringList{"Alpha", "Factor"}, "");
    t.addColumn<TFloatColumn>(QStringList{"Bearing Capacity", "Coefficient, Nc"}, "");
}

void strongRockColumns(TGridTable &t, const QString &thickness, const QString &rqd)
{
    t.addColumn<TFloatColumn>(QStringList{"Rock Compressive", "Strength"}, kStress);
    t.addColumn<TFloatColumn>(QStringList{"Concrete Compressive", "Strength"}, kStress);
    t.addColumn<TFloatColumn>(QStringList{"Discontinuity", "Spacing"}, kLength);
    t.addColumn<TFloatColumn>(QStringList{thickness, "Thickness"}, kLength);
    t.addColumn<TFloatColumn>(QStringList{"Socket", "Diameter"}, kLength);
    t.addColumn<TFloatColumn>(QStringList{"Elastic", "Modulus"}, kModulus);
    t.addColumn<TFloatColumn>(QStringList{rqd}, "");
}

void gravelColumns(TGridTable &t)
{
    t.addColumn<TFloatColumn>(QStringList{"Total Unit Weight"}, kUnitWeight);
    t.addColumn<TIntColumn>(QStringList{"Blow Counts"}, 0, kIntMin, kIntMax);
    t.addColumn<TFloatColumn>(QStringList{"Beta", "(optional)"}, "");
}

} // namespace

std::unique_ptr<TGridTable> TGridTable::fromTemplate(int identifier)
{
    std::unique_ptr<TGridTable> t;
    switch (identifier) {
    case 1:
        t = std::make_unique<TGridTable>(1, "Sand Layer Data");
        sandColumns(*t);
        break;
    case 2:
    case 3:
        t = std::make_unique<TGridTable>(identifier, identifier == 2 ? "Clay Layer Data" : "Shale Layer Data");
        clayColumns(*t);
        break;
    case 4:
        t = std::make_unique<TGridTable>(4, "Strong Rock Layer Data");
        strongRockColumns(*t, "Dicontinuity", "RQD, %");
        break;
    case 7:
        t = std::make_unique<TGridTable>(7, "Strong Rock Layer Data");
        strongRockColumns(*t, "Discontinuity", "RQD,%");
        break;
    case 5:
        t = std::make_unique<TGridTable>(5, "Decomposed Geo. Layer Data");
        t->addColumn<TFloatColumn>(QStringList{"Total Unit Weight,"}, kUnitWeight);
        t->addColumn<TIntColumn>(QStringList{"Blow Counts", "(SPT Test)"}, 0, 0, 100);
        t->addColumn<TFloatColumn>(QStringList{"Poisson's", "Ratio"}, "");
        t->addColumn<TFloatColumn>(QStringList{"Young's Modulus", "-optional-"}, kModulus);
        t->addColumn<TFloatColumn>(QStringList{"Socket", "Diameter"}, kLength);
        break;
    case 6:
        t = std::make_unique<TGridTable>(6, "Weak Rock Layer Data");
        t->addColumn<TFloatColumn>(QStringList{"Rock Compressive", "Strength"}, kStress);
        t->addColumn<TEnumColumn>(QStringList{"Interface", "Condition"},
                                  QStringList{"Rough Surface w/closed joints", "Smooth Surface w/closed joints",
                                              "Rough Surface w/open joints", "Smooth Surface w/open joints"});
        t->addColumn<TFloatColumn>(QStringList{"Concrete ", "Slump"}, "L");
        t->addColumn<TFloatColumn>(QStringList{"Interface Friction", "Angle, Deg."}, "");
        t->addColumn<TFloatColumn>(QStringList{"Socket ", "Diameter"}, kLength);
        t->addColumn<TFloatColumn>(QStringList{"Elastic Modulus of", "Rock Core"}, kModulus);
        t->addColumn<TFloatColumn>(QStringList{"RQD", "(%)"}, "");
        break;
    case 31:
    case 32:
        t = std::make_unique<TGridTable>(identifier, identifier == 31 ? "Gravelly Sand Layer Data" : "Gravel Layer Data");
        gravelColumns(*t);
        break;
    case 10:
        t = std::make_unique<TGridTable>(10, "Soil Layer Data");
        t->MaxRows = 20;
        t->MinRows = 1;
        t->RowGroup = 1;
        t->TopLeft = "Layer";
        t->addColumn<TEnumColumn>(QStringList{"Soil Type"}, soilTypeNames());
        t->addColumn<TFloatColumn>(QStringList{"Depth at Bottom ", "of each Layer"}, kLength);
        t->addColumn<TTableColumn>(QStringList{"Layer  Data"}, std::vector<int>{1, 2, 3, 4, 5, 6, 7, 31, 32});
        t->addColumn<TFloatColumn>(QStringList{"Max. Side ", "Friction"}, kStress);
        t->addColumn<TFloatColumn>(QStringList{"Max. End ", "Bearing"}, kStress);
        t->addColumn<TFloatColumn>(QStringList{"LRFD Resistance Factor", "(Side Friction)"}, "", 1.0);
        t->addColumn<TFloatColumn>(QStringList{"LRFD Resistance Factor", "(End Bearing)"}, "", 1.0);
        t->Comments = layerComments(2);
        break;
    default:
        throw ETableError("No table definition " + std::to_string(identifier));
    }
    if (identifier >= 1 && identifier <= 7)
        propertyDefaults(*t);
    else if (identifier == 31 || identifier == 32) {
        propertyDefaults(*t);
        t->TopLeft.clear();
        t->HardwiredButton = false;
    }
    t->setRowCount(t->MinRows);
    return t;
}
