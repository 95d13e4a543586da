#include "graph.h"

#include <algorithm>

#include "units.h"

QString TLine::DisplayName() const
{
    if (!Name.isEmpty())
        return Name;
    if (Owner && m_index < Owner->DefaultNames.size())
        return Owner->DefaultNames.at(m_index);
    return (Owner ? Owner->CurveName : QString()) + QString::number(Number, 'g', 15);
}

void TLineSet::SetLineCount(int n)
{
    n = std::max(n, 0);
    if (size_t(n) < m_lines.size())
        m_lines.resize(size_t(n));
    while (m_lines.size() < size_t(n))
        m_lines.push_back(std::make_unique<TLine>(m_owner, int(m_lines.size())));
}

void TLineSet::SetPointCount(int n)
{
    n = std::max(n, 0);
    for (auto &line : m_lines)
        line->Points.resize(size_t(n));
}

TGraphPlot::TGraphPlot()
{
    for (auto &set : m_sets)
        set = std::make_unique<TLineSet>(this);
}

TGraphPlot::~TGraphPlot()
{
    delete Window.data();
}

void TGraphPlot::SetUnits(int units)
{
    m_units = std::clamp(units, 1, 3);
}

QString TGraphPlot::UnitText(const QString &code) const
{
    return unitText(code, m_units);
}

QString TGraphPlot::AxisTitle(const QString &caption, const QString &units) const
{
    // Captions such as "Resistance/F.S. " end in a blank; the unit follows after one blank.
    return units.isEmpty() ? caption : caption.trimmed() + " (" + UnitText(units) + ")";
}

void TGraphPlot::ResetActiveLines()
{
    TLineSet &curves = Lines(0);
    for (int i = 0; i < curves.LineCount(); ++i)
        curves.Line(i).Active = !LimitLines || i < kMaxShownLines;
}

int TGraphPlot::ActivePosition(int line) const
{
    const TLineSet &curves = Lines(0);
    if (line < 0 || line >= curves.LineCount() || !curves.Line(line).Active)
        return -1;
    int position = 0;
    for (int i = 0; i < line; ++i)
        position += curves.Line(i).Active ? 1 : 0;
    return position;
}

QString TGraphPlot::LegendText(int line) const
{
    QString text = Lines(0).Line(line).DisplayName();
    if (onGetCaption)
        onGetCaption(line, text);
    return text;
}

bool TGraphPlot::HasLayers() const
{
    const TLineSet &layers = Lines(1);
    for (int i = 0; i < layers.LineCount(); ++i)
        if (!layers.Line(i).Points.empty())
            return true;
    return false;
}

QColor paletteColor(int position)
{
    // The standard 16-colour values; gray and silver stand twice.
    static const QColor kPalette[kPaletteSize] = {
        QColor(0, 0, 0),       QColor(0, 0, 255),     QColor(255, 0, 0),     QColor(0, 128, 0),
        QColor(128, 0, 128),   QColor(128, 0, 0),     QColor(0, 0, 128),     QColor(255, 0, 255),
        QColor(128, 128, 0),   QColor(0, 128, 128),   QColor(128, 128, 128), QColor(0, 255, 0),
        QColor(128, 128, 128), QColor(192, 192, 192), QColor(192, 192, 192), QColor(255, 255, 0),
        QColor(0, 255, 255)};
    const int i = ((position % kPaletteSize) + kPaletteSize) % kPaletteSize;
    return kPalette[i];
}
