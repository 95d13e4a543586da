#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TGraphPlot;

/// One point of a curve: X is the horizontal value (load or resistance), Y the vertical one
/// (depth or settlement).
struct TFloatPoint {
    double X = 0;
    double Y = 0;
};

/// One curve of a graph.
class TLine {
public:
    TLine(TGraphPlot *owner, int index) : Owner(owner), Number(index + 1), m_index(index) {}

    std::vector<TFloatPoint> Points;
    TGraphPlot *Owner;
    double Number;     // 1-based position at creation; used in the default name
    QString Name;      // empty: the default name applies
    bool Visible = true;
    bool Active = true; // listed in the legend and the window's Plot menu at all

    /// Position in its line set.
    int Index() const { return m_index; }
    /// The name; else the owner's default-name entry at this line's index; else the owner's
    /// CurveName followed by Number ("Curve #3").
    QString DisplayName() const;

private:
    int m_index;
};

/// An owned list of lines, all of one point count after SetPointCount.
class TLineSet {
public:
    explicit TLineSet(TGraphPlot *owner) : m_owner(owner) {}

    /// Negative n counts as 0; surplus lines go from the end, new empty lines are appended.
    void SetLineCount(int n);
    /// Every line gets exactly n points (negative as 0): surplus points go from the end,
    /// new points are (0, 0).
    void SetPointCount(int n);
    int LineCount() const { return int(m_lines.size()); }
    /// Points of line 0; 0 without lines.
    int PointCount() const { return m_lines.empty() ? 0 : int(m_lines.front()->Points.size()); }
    TLine &Line(int i) { return *m_lines.at(size_t(i)); }
    const TLine &Line(int i) const { return *m_lines.at(size_t(i)); }
    TFloatPoint &Point(int line, int j) { return Line(line).Points.at(size_t(j)); }
    const TFloatPoint &Point(int line, int j) const { return Line(line).Points.at(size_t(j)); }

private:
    TGraphPlot *m_owner;
    std::vector<std::unique_ptr<TLine>> m_lines;
};

enum class TTitleLocation { Top, Bottom };

/// One result graph: named curves (line set 0), the soil layers (line set 1, one line with
/// one point per layer: X the fill code, Y the layer's bottom), captions with unit codes
/// and the display settings its window uses. Holds no widget; its window is referenced only.
class TGraphPlot {
public:
    TGraphPlot();
    /// Destroys an existing window.
    ~TGraphPlot();
    TGraphPlot(const TGraphPlot &) = delete;
    TGraphPlot &operator=(const TGraphPlot &) = delete;

    QString CurveName = "Curve #";
    QString Caption; // window caption and printer job title
    bool ShowLegend = true;
    bool ShowLayers = false;
    // Stored only: no graph of this program uses the wall overlay or the three-panel layout.
    bool ShowWall = false;
    int WallLineCount = 0;
    bool ShowThree = false;
    QString XCaption2, XUnits2, YCaption2, YUnits2, XCaption3, XUnits3, YCaption3, YUnits3;
    bool ShowFontWidth = true; // the window offers the Font Size and Line Width menus
    int Markers = 1;           // marker every this many points; 0: none
    int SizeFont = 10;         // text scale in tenths
    int LegendFont = 11;       // legend font size in points, set by the window when it opens
    int WidthLine = 1;         // curve pen width multiplier
    QString XCaption, YCaption;
    QString XUnits, YUnits; // unit codes such as "F2" or "L2", see UnitText
    bool XOnTop = true;     // X axis along the top edge, Y growing downward
    /// Lets the owner change a line's legend text when a window opens.
    std::function<void(int line, QString &caption)> onGetCaption;

    int Units() const { return m_units; }
    /// Clamped to 1 (English), 2 (SI) or 3 (codes shown as they are).
    void SetUnits(int units);
    /// The unit text of a code in this graph's unit system: "F2" reads "tons" or "kN".
    QString UnitText(const QString &code) const;
    /// Caption followed by " (" + unit text + ")" when there is a unit code, with one blank
    /// before the bracket however many the caption ends in.
    QString AxisTitle(const QString &caption, const QString &units) const;

    /// Set 0 holds the curves, set 1 the soil layers; sets 2 and 3 are never drawn.
    TLineSet &Lines(int set = 0) { return *m_sets.at(size_t(set)); }
    const TLineSet &Lines(int set = 0) const { return *m_sets.at(size_t(set)); }

    QStringList DefaultNames; // default line names by index; empty unless the owner fills it
    QString Title;            // graph title; empty: none
    TTitleLocation TitleLocation = TTitleLocation::Top;
    double BandOrigin = 0; // Y where the soil-layer band starts
    bool LimitLines = true; // a window shows at most the first 20 curves

    /// What a window does when it opens: every curve active, and with LimitLines only the
    /// first 20 of them.
    void ResetActiveLines();
    /// Position of curve i among the active curves (its colour index); -1 when inactive.
    int ActivePosition(int line) const;
    /// The legend text of curve i: its display name, passed through onGetCaption.
    QString LegendText(int line) const;
    /// Set 1 has a line with a point.
    bool HasLayers() const;

    /// The plot window, filled in by the window itself; null when no window exists, also
    /// after the window destroyed itself.
    QPointer<QObject> Window;
    bool WindowExists() const { return !Window.isNull(); }

private:
    int m_units = 1;
    std::array<std::unique_ptr<TLineSet>, 4> m_sets;
};

inline constexpr int kPaletteSize = 17;
inline constexpr int kMaxShownLines = 20;
/// Curve colour for a position among the active curves, taken modulo 17.
QColor paletteColor(int position);
