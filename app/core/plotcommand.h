#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

#include "graphpaint.h"

/// Picture file kinds, chosen by the file's extension (any case).
enum class TPictureKind { None, Png, Bmp, Svg, Pdf, Csv };
TPictureKind pictureKind(const QString &path);

/// Writes the graph as a picture of pixels.width() x pixels.height() drawn at dpi pixels per
/// inch in bitmap mode (legend drawn in): PNG and BMP as pixels, SVG and PDF as vectors of
/// the same size. Written through a temporary file, so a failure leaves no partial file; the
/// reason goes to *failure.
bool saveGraphPicture(const QString &path, const TGraphPlot &graph, const GraphView &view, QSize pixels, int dpi,
                      std::string *failure = nullptr);

/// The graph's data: a pair of columns per line of set 0, a header row with the line's
/// display name over its X column, then X and Y of every point, numbers in the C locale in
/// the shortest form that reads back exactly.
QString graphCsv(const TGraphPlot &graph);
bool writeGraphCsv(const QString &path, const TGraphPlot &graph, std::string *failure = nullptr);

/// Picture size of --plot unless given: 6 by 4 inches at 150 pixels per inch.
inline constexpr double kPlotWidthInches = 6;
inline constexpr double kPlotHeightInches = 4;
inline constexpr int kPlotPixelsPerInch = 150;

/// "--plot N PROJECT.tnd OUT.(png|bmp|svg|pdf|csv) [--size WxH] [--ppi P]" (arguments after
/// the program name): loads the project and the plot data file beside it and writes graph N
/// (1 to 12, Graphics menu order). -1 when the line does not start with --plot, 2 for a
/// malformed line, 1 with a one-line message to err when the project has no results, N is
/// out of range, the graph has no data or the file cannot be written; 0 when written.
/// Needs a QGuiApplication for the fonts.
int runPlotCommand(const QStringList &arguments, std::ostream &err);

/// For --plot, installed before the application object: keeps the platform's note about a
/// missing runtime folder off standard error, so that a failure is the only line there.
/// Every other message goes on as before.
void installPlotMessageFilter();
