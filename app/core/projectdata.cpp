#include "projectdata.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

#include "WordRead.h"
#include "numformat.h"
#include "units.h"

TProjectTables::TProjectTables() : m_layers(TGridTable::fromTemplate(10)) {}

bool TProjectTables::modified() const
{
    if (FormsModified)
        return true;
    for (const TGridTable *t : all())
        if (t->changed())
            return true;
    return false;
}

void TProjectTables::clearModified()
{
    FormsModified = false;
    for (TGridTable *t : all())
        t->resetChanged();
}

TProgramData::TProgramData(TProjectTables &tables) : m_tables(tables)
{
    Create();
}

void TProgramData::Create(const QString &fileName)
{
    if (m_tables.OnCloseChildWindows)
        m_tables.OnCloseChildWindows();
    FileName = fileName;
    Units = 1;
    Title = "New Pile";
    m_titleLatin1 = false;
    // Emptied tables are put back to English before they refill, so that the next switch to
    // SI converts them; otherwise a table left in SI by the last project would stay marked SI.
    for (TGridTable *t : m_tables.all()) {
        t->setRowCount(0);
        t->setUnits(1);
    }
    SetUnits(1);
    OutputIncrement = 1.0;
    DesignMode = 2;
    LoadType = 1;
    UpliftReduction = 1.0;
    ShaftData.fill(0);
    DesignDepth = 0;
    SideSafetyFactor = 2.5;
    BaseSafetyFactor = 3.0;
    DesignLoad = 0;
    SettlementCurves = 1;
    SandTipOption = 1;
    CurrentLayout = 1;
    DesignMethod = 2;
    m_tables.layers().Comments = layerComments(DesignMethod);
    for (TGridTable *t : m_tables.all())
        t->setRowCount(t->MinRows);
    m_tables.clearModified();
}

void TProgramData::SetUnits(int units)
{
    units = units >= 2 ? 2 : 1;
    if (units != Units) {
        using namespace UnitFactors;
        const bool si = units == 2;
        const double force = si ? kKilonewtonsPerPound : kPoundsPerKilonewton;
        const double load = si ? kKilonewtonsPerTon : kTonsPerKilonewton;
        const double shortLength = si ? kMetresPerInch : kInchesPerMetre;
        const double length = si ? kMetresPerFoot : kFeetPerMetre;
        Units = units;
        for (TGridTable *t : m_tables.all())
            t->setUnits(units);
        // Converted values keep 12 significant digits: 3 ft shows as 0.9144 m, not as the
        // binary product 0.9144000000000001.
        auto convert = [](double &value, double factor) { value = roundSignificant(value * factor, 12); };
        for (int k : {sdDSTART, sdDIALIM, sdTOPLENG, sdBS, sdWTD})
            convert(ShaftData[size_t(k)], length);
        convert(DesignDepth, length);
        convert(ShaftData[sdEc], force / (shortLength * shortLength));
        convert(DesignLoad, load);
    }
    if (m_tables.OnUnitsChanged)
        m_tables.OnUnitsChanged();
}

void TProgramData::SetDesignLoad(double load)
{
    DesignLoad = load;
    if (load > 0) {
        DesignDepth = 0;
        DesignMode = 1;
    }
}

void TProgramData::SetDesignDepth(double depth)
{
    DesignDepth = depth;
    if (depth > 0) {
        DesignLoad = 0;
        DesignMode = 2;
    }
}

void TProgramData::SetLoadType(int loadType)
{
    LoadType = loadType;
    if (loadType == 1)
        UpliftReduction = 1.0;
}

// ---------------------------------------------------------------------------------------
// Writer

namespace {

class LineWriter {
public:
    explicit LineWriter(std::string &out) : m_out(out) {}
    LineWriter &real(double v) { return word(formatFileReal(v)); }
    LineWriter &integer(int v) { return word(std::to_string(v)); }
    LineWriter &word(const std::string &w)
    {
        if (!m_first)
            m_out += ' ';
        m_out += w;
        m_first = false;
        return *this;
    }
    /// Ends the line; trailingBlank for the lines that end in a blank.
    void end(bool trailingBlank = false)
    {
        if (trailingBlank)
            m_out += ' ';
        m_out += kProjectLineEnd;
        m_first = true;
    }

private:
    std::string &m_out;
    bool m_first = true;
};

// The value the writer fills in for a quantity the table does not hold.
const std::string kNotHeld = "0.0";

double cellOr0(const TGridTable &t, int col, int row)
{
    return row < t.rowCount() && col < t.columnCount() ? t.floatValue(col, row) : 0.0;
}
int intOr0(const TGridTable &t, int col, int row)
{
    return row < t.rowCount() && col < t.columnCount() ? t.intValue(col, row) : 0;
}

} // namespace

std::string TProgramData::WriteText()
{
    if (DesignDepth > 0) {
        DesignMode = 2;
        DesignLoad = 0;
    } else {
        DesignMode = 1;
        DesignDepth = 0;
    }
    if (LoadType == 1)
        UpliftReduction = 1.0;

    std::string out;
    LineWriter w(out);
    // A line break inside the title would shift every later value by a line.
    QString title = Title;
    title.replace('\r', ' ').replace('\n', ' ');
    const bool latin1 = m_titleLatin1 && std::all_of(title.begin(), title.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    w.word(latin1 ? title.toLatin1().toStdString() : title.toStdString());
    w.end();
    w.integer(Units).end(true);
    w.integer(DesignMode).integer(LoadType).real(UpliftReduction).real(OutputIncrement).integer(SandTipOption)
        .integer(DesignMethod).end();
    for (int k = sdDSTART; k <= sdEc; ++k)
        w.real(ShaftData[size_t(k)]);
    w.end();
    const TGridTable &layerTable = layers();
    w.integer(layerTable.rowCount()).real(ShaftData[sdWTD]).real(DesignMode == 1 ? DesignLoad : DesignDepth)
        .real(SideSafetyFactor).real(BaseSafetyFactor).end();

    for (int r = 0; r < layerTable.rowCount(); ++r) {
        const int type = layerTable.intValue(colSoilType, r);
        w.integer(type).real(layerTable.floatValue(colDepth, r)).end(true);
        if (type >= 4 && type <= 7)
            SettlementCurves = 0;
        const TGridTable &p = layerTable.nested(colLayerData, r);
        const double tranlm = layerTable.floatValue(colMaxSide, r);
        const double qblim = layerTable.floatValue(colMaxEnd, r);
        const double rfSide = layerTable.floatValue(colRFSide, r);
        const double rfTip = layerTable.floatValue(colRFTip, r);
        for (int row = 0; row < 2; ++row) {
            auto f = [&](int col) { return cellOr0(p, col, row); };
            auto i = [&](int col) { return intOr0(p, col, row); };
            switch (type) {
            case 1:
                w.word(kNotHeld).real(f(0)).real(f(1)).word(kNotHeld).integer(i(2)).real(tranlm).real(qblim);
                break;
            case 2:
            case 3:
                w.real(f(4)).real(f(0)).word(kNotHeld).real(f(1)).integer(i(2)).real(tranlm).real(qblim);
                break;
            case 4:
            case 7:
                w.real(f(0)).real(f(1)).real(f(2)).real(f(3)).real(f(4)).real(tranlm).real(f(5)).real(f(6)).real(qblim);
                break;
            case 5:
                w.real(f(0)).integer(i(1)).real(f(2)).real(f(3)).real(f(4)).real(tranlm).real(qblim);
                break;
            case 6:
                w.real(f(0)).integer(i(1)).real(f(2)).real(f(3)).real(f(4)).real(tranlm).real(f(5)).real(f(6))
                    .real(qblim);
                break;
            default: // 8, 9
                w.real(f(0)).integer(i(1)).real(f(2)).real(tranlm).real(qblim);
                break;
            }
            w.real(rfSide).real(rfTip).end();
        }
        if (type == 1) {
            const bool ko = cellOr0(p, 3, 1) > 0;
            w.integer(ko ? 1 : 2).end(true);
            w.real(cellOr0(p, ko ? 3 : 4, 0)).real(cellOr0(p, ko ? 3 : 4, 1)).end(true);
        } else if (type == 2 || type == 3) {
            w.real(cellOr0(p, 3, 0)).real(cellOr0(p, 3, 1)).end(true);
        }
    }
    return out;
}

void TProgramData::SaveToFile()
{
    const std::string text = WriteText();
    QSaveFile file(FileName);
    const auto failure = [&](const QString &reason) {
        return ESaveError(QString("The project could not be saved to \"%1\":\r%2").arg(FileName, reason).toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw failure(reason);
    }
    if (!file.commit())
        throw failure(file.errorString());
    CurrentLayout = 1;
    m_tables.clearModified();
}

// ---------------------------------------------------------------------------------------
// Loader

void TProgramData::CreateFromFile(const QString &fileName, bool currentLayout)
{
    Create(fileName);
    TWordReader reader(QFile::encodeName(fileName).toStdString());
    load(reader, currentLayout);
}

void TProgramData::LoadFromText(std::string_view text, bool currentLayout)
{
    Create(FileName);
    TWordReader reader = TWordReader::fromText(text);
    load(reader, currentLayout);
}

void TProgramData::load(TWordReader &reader, bool currentLayout)
{
    // After an error what was read stays; the tables still get their minimum rows.
    const auto finish = [this] {
        for (TGridTable *t : m_tables.all())
            if (t->rowCount() < t->MinRows)
                t->setRowCount(t->MinRows);
        m_tables.clearModified();
    };
    try {
        readValues(reader, currentLayout);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

namespace {

// Full word count of a layer's top and bottom lines; two fewer in the older layout, which
// has no LRFD factors.
int fullCount(int type)
{
    switch (type) {
    case 4: case 6: case 7: return 11;
    case 8: case 9: return 7;
    default: return 9;
    }
}

} // namespace

void TProgramData::readValues(TWordReader &r, bool currentLayout)
{
    TGridTable &d = layers();
    d.setRowCount(0);

    // Each group of values starts on a new line and the rest of its last line is passed
    // over, as the engine reads the file; a file the program wrote reads the same either way.
    const std::string title = r.ReadLine();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    Title = utf8(QByteArrayView(title.data(), qsizetype(title.size())));
    m_titleLatin1 = utf8.hasError();
    if (m_titleLatin1)
        Title = QString::fromLatin1(title.data(), qsizetype(title.size()));
    // Any code other than 2 is English, as the engine reads it.
    SetUnits(r.ReadInteger() == 2 ? 2 : 1);
    r.EndGroup();

    const int wordsOnLine3 = r.WordsOnLine();
    const int design = r.ReadInteger();
    LoadType = r.ReadInteger();
    UpliftReduction = r.ReadFloat();
    OutputIncrement = r.ReadFloat();
    if (currentLayout) {
        SandTipOption = r.ReadInteger();
        DesignMethod = r.ReadInteger();
    } else if (wordsOnLine3 >= 5) {
        SandTipOption = r.ReadInteger();
    } else {
        SandTipOption = 1;
    }
    r.EndGroup();
    CurrentLayout = currentLayout ? 1 : 0;
    DesignMode = design;
    d.Comments = layerComments(DesignMethod);

    for (int k = sdDSTART; k <= sdEc; ++k)
        ShaftData[size_t(k)] = r.ReadFloat();
    r.EndGroup();
    const int layerCount = r.ReadInteger();
    if (layerCount < 0 || layerCount > d.MaxRows)
        r.wrongKind("A number of layers from 0 to " + std::to_string(d.MaxRows) + " was expected but not found.");
    d.setRowCount(layerCount);
    ShaftData[sdWTD] = r.ReadFloat();
    const double third = r.ReadFloat();
    DesignLoad = DesignMode == 1 ? third : 0;
    DesignDepth = DesignMode == 1 ? 0 : third;
    SideSafetyFactor = r.ReadFloat();
    BaseSafetyFactor = r.ReadFloat();
    r.EndGroup();

    for (int k = 0; k < layerCount; ++k) {
        const int type = r.ReadInteger();
        if (type < 1 || type > 9)
            r.wrongKind("A soil type from 1 to 9 was expected but not found.");
        d.setInt(colSoilType, k, type);
        d.setFloat(colDepth, k, r.ReadFloat());
        r.EndGroup();
        TGridTable &p = d.nested(colLayerData, k);
        p.setRowCount(p.MinRows);

        for (int row = 0; row < 2; ++row) {
            auto real = [&](int col) { p.setFloat(col, row, r.ReadFloat()); };
            auto integer = [&](int col) { p.setInt(col, row, r.ReadInteger()); };
            auto layerReal = [&](int col) { d.setFloat(col, k, r.ReadFloat()); };
            // The older layout has no LRFD factors: its lines are two words shorter.
            const bool full = r.WordsOnLine() >= fullCount(type);
            switch (type) {
            case 1:
                r.ReadWord();
                real(0);
                real(1);
                r.ReadWord();
                integer(2);
                break;
            case 2:
            case 3:
                real(4);
                real(0);
                r.ReadWord();
                real(1);
                integer(2);
                break;
            case 4:
            case 7:
            case 6:
                real(0);
                type == 6 ? integer(1) : real(1);
                real(2);
                real(3);
                real(4);
                layerReal(colMaxSide);
                real(5);
                real(6);
                break;
            case 5:
                real(0);
                integer(1);
                real(2);
                real(3);
                real(4);
                break;
            default:
                real(0);
                integer(1);
                real(2);
                break;
            }
            if (type != 4 && type != 6 && type != 7)
                layerReal(colMaxSide);
            layerReal(colMaxEnd);
            if (full) {
                layerReal(colRFSide);
                layerReal(colRFTip);
            }
            r.EndGroup();
        }
        if (type == 1) {
            const int column = r.ReadInteger() == 1 ? 3 : 4;
            r.EndGroup();
            p.setFloat(column, 0, r.ReadFloat());
            p.setFloat(column, 1, r.ReadFloat());
            r.EndGroup();
        } else if (type == 2 || type == 3) {
            p.setFloat(3, 0, r.ReadFloat());
            p.setFloat(3, 1, r.ReadFloat());
            r.EndGroup();
        }
    }
}
