#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;
class TProgramData;

/// A corner of a shaft piece in drawing units (the project's length unit): X is 0 on the
/// shaft axis, Y grows downward from the top of the drawn shaft.
struct TSidePoint {
    double X = 0, Y = 0;
};

/// One quadrilateral of the shaft: the stem, or the bell below it.
struct TShaftPiece {
    TSidePoint TopLeft, TopRight, BottomLeft, BottomRight;
};

/// A soil layer as the view needs it: its type code (1 to 9) and its depths below ground.
struct TSideLayer {
    int SoilType = 0;
    double Top = 0, Bottom = 0;
};

/// What the view reads from the project; gathered once per build.
struct TSideInput {
    double Diameter = 0;    // DSTART
    double BellRatio = 0;   // RATIO, base over stem diameter
    double BellAngle = 0;   // BELANG, degrees from the vertical
    double DesignDepth = 0; // below 1e-4: the shaft ends at the bottom of the last layer
    std::vector<TSideLayer> Layers;
};

struct TSideExtents {
    double Xmin = -10, Xmax = 10, Ymin = 0, Ymax = 10;
    bool operator==(const TSideExtents &) const = default;
};

enum class TSideOutput { Screen, Page };

/// Colours and font of one painting; the window passes its palette and the "Pile Geometry"
/// label's font, the page always paints black on white.
struct TSideStyle {
    QColor Background = Qt::white; // the window colour
    QColor Ink = Qt::black;        // lines and labels
    QColor Shaft = Qt::black;      // the button-text colour
    QFont Font;
};

/// Reads the shaft, the design depth and the layers (type and bottom depth) of a project.
/// Never writes into it. A broken layer table raises ETableError.
TSideInput sideInputFromProject(const TProgramData &project);

/// The label of a layer: on screen "depth= 0 - 10; Sand" for soils and the bare name for
/// rock types; on the page always the depths and the name (type 6 reads "Soft Rock").
/// Unknown codes give the depths alone on the page and nothing on screen.
QString sideLayerLabel(const TSideLayer &layer, TSideOutput output);
/// Whether the screen label stands one text height below the layer's top line.
bool sideLabelBelowTopLine(int soilType);

/// "  Depth: 12.3": the depth below the ground surface under the pointer, one decimal.
QString sideDepthCaption(double depth);

/// The elevation of the shaft in its profile: pieces, world and view extents, the mapping
/// and the drawing shared by the window and the printed page.
class TSideView {
public:
    /// Rebuilds the pieces and the world extents. Without layers the pieces are dropped and
    /// the extents kept. The view rule is not applied here (it needs the client size).
    void Build(const TSideInput &input);

    const std::vector<TShaftPiece> &Pieces() const { return m_pieces; }
    const std::vector<TSideLayer> &Layers() const { return m_layers; }
    /// Height of the drawn shaft above the ground surface: twice the stem diameter.
    double Stickup() const { return m_stickup; }
    /// The length drawn: the design depth, or the last layer's bottom when that is below 1e-4.
    double Length() const { return m_length; }
    const TSideExtents &World() const { return m_world; }
    const TSideExtents &View() const { return m_view; }

    /// Widens the world's X extents (wide client) or Y extents (tall client) so the picture
    /// keeps its proportions. A client without area leaves the view as it was; a world that
    /// gives no finite proportion (zero width or height) disables the view until a build
    /// yields a drawable one.
    void ApplyViewRule(int width, int height);
    bool Disabled() const { return m_disabled; }

    /// Client pixel of a drawing point inside area (view extents mapped onto it).
    QPoint ToScreen(const TSidePoint &p, const QRect &area) const;
    /// Drawing Y of a client row.
    double YAt(int y, const QRect &area) const;
    /// Depth below the ground surface of a client row (negative above ground).
    double DepthAt(int y, const QRect &area) const { return YAt(y, area) - m_stickup; }

    /// Screen: the view mapped onto area (the client). Page: the landscape page mapping, with
    /// the profile between 10 % and 90 % of the page height. Nothing when disabled.
    void Paint(QPainter &painter, const QRect &area, TSideOutput output, const TSideStyle &style) const;

    /// Page row of a depth below ground, and the page's length scale (device pixels per
    /// drawing unit), the same horizontally so the shaft keeps its proportions.
    int PageY(double depth, const QRect &page) const;
    double PageScale(const QRect &page) const;

private:
    void paintScreen(QPainter &painter, const QRect &area, const TSideStyle &style) const;
    void paintPage(QPainter &painter, const QRect &page, const TSideStyle &style) const;
    double lastBottom() const { return m_layers.empty() ? 0 : m_layers.back().Bottom; }

    std::vector<TShaftPiece> m_pieces;
    std::vector<TSideLayer> m_layers;
    double m_stickup = 0;
    double m_length = 0;
    TSideExtents m_world;
    TSideExtents m_view;
    bool m_disabled = false;
};
