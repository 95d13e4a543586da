// Messages of the depth walk in a whole run: which file receives each, how often, how framed.
#include <gtest/gtest.h>

#include "whole_run.h"

using wholerun::count;

TEST(AuditStepNotes, EachMessageGoesToItsFiles)
{
    // Clay 0-4 ft by blow count (4 steps), sand 4-8 ft at 40 pcf with N 60 (4 steps), gravel
    // 8-10 ft with N 20 and a computed coefficient (2 steps), gravelly sand with N 40 below.
    const wholerun::RunOutput r = wholerun::analyse("aud-p-notes.tnd");
    ASSERT_EQ(r.result, 0);
    struct Case {
        const char *name;
        const char *text;
        std::size_t report, runtime;
    };
    const Case cases[] = {
        {"clay strength from blow counts", "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE", 4, 0},
        {"sand tip by blow count over 50", "                BLOWS PER FOOT IS =    60.00\n", 4, 0},
        {"missing unit weight", "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM", 0, 4},
        {"missing sand strength", "PLEASE INPUT EITHER THE N-VALUE", 0, 0},
        {"gravel blow counts of 25 or less", "Blow counts should be greater than 25 for this criterion.", 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(count(r.report, c.text), c.report);
        EXPECT_EQ(count(r.runtime, c.text), c.runtime);
    }
}

TEST(AuditStepNotes, Framing)
{
    const wholerun::RunOutput r = wholerun::analyse("aud-p-notes.tnd");
    struct Case {
        const char *name;
        const std::string *file;
        std::string block;
    };
    const Case cases[] = {
        {"clay warning: two empty lines before, two after", &r.report,
         "\n\n\n*********************WARNING**********************\n"
         "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE\n"
         "FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR\n"
         "THE FINAL DESIGN.  PLEASE INPUT THE UNDRAIDED SHEAR\n"
         "STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN.\n\n\n"},
        {"sand tip warning, two empty lines after", &r.report,
         "\n                 WARNING MESSAGE                \n"
         "  ------------------------------------------------------------\n"
         "                BLOWS PER FOOT IS =    60.00\n"
         "  UNIT TIP RESISTANCE IS LIMITED TO 30 TSF IF SPT-N IS OVER 50.\n"
         "  LOADING TEST IS RECOMMENDED FOR USING HIGHER VALUE.\n\n\n"},
        {"unit weight error in the run-time file", &r.runtime,
         "\n\n*********************ERROR**********************\n"
         "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM\n"
         "WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL\n"
         "IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER\n\n\n"},
        {"gravel warning in the report: one empty line after", &r.report,
         "\n\n\n*****************WARNING*********************\n"
         "       Blow counts should be greater than 25 for this criterion.\n"
         "       Select other soil criteria and do not use this output data.\n\n"},
        {"gravel warning in the run-time file", &r.runtime,
         "\n\n\n*****************WARNING*********************\n"
         "       Blow counts should be greater than 25 for this criterion.\n"
         "       Select other soil criteria and do not use this output data.\n\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(c.file->find(c.block), std::string::npos);
    }
}
