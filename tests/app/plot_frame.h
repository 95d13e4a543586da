#pragma once

// A frame for the graph windows of one test function, with scripted answers for what they
// ask. The windows go with the frame, before the answers are taken back.
#include <QMdiArea>
#include <QtTest>

#include "PltData.h"
#include "scripted_ask.h"

struct TPlotFrame {
    TScriptedAsk ask;
    QMdiArea frame;

    TPlotFrame()
    {
        frame.resize(900, 700);
        frame.show();
    }

    /// The graph's window in the frame, shown; nullptr when the graph cannot be drawn.
    TPlotForm *open(TGraphPlot &g)
    {
        TPlotForm *w = ShowGraph(g, &frame);
        if (w && !QTest::qWaitForWindowExposed(w))
            qWarning("plot window not exposed");
        return w;
    }
};
