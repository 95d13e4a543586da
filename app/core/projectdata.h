#pragma once

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ColumnTypes.h"

/// Saving failed; the message names the file and the reason. The old file is untouched.
class ESaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The tables of the project that the main window holds (the layer table, identifier 10,
/// with one property table per layer) and the main window's modified flag. Kept apart from
/// the window so that a project is built, loaded and saved without one.
class TProjectTables {
public:
    TProjectTables();
    TGridTable &layers() const { return *m_layers; }
    /// Every top-level table; nested tables follow their parents.
    std::vector<TGridTable *> all() const { return {m_layers.get()}; }

    /// Set by the data forms on any change.
    bool FormsModified = false;
    bool modified() const;
    void clearModified();

    /// Called when a project is built: the window closes its child windows.
    std::function<void()> OnCloseChildWindows;
    /// Called after the unit system was switched: open forms re-read their values.
    std::function<void()> OnUnitsChanged;

private:
    std::unique_ptr<TGridTable> m_layers;
};

/// Indices into TProgramData::ShaftData.
enum ShaftIndex { sdDSTART = 0, sdDIALIM, sdRATIO, sdBELANG, sdTOPLENG, sdBS, sdEc, sdWTD };

/// The project in memory: title, unit system, design options and the scalar shaft, load and
/// water-table data. The layers live in the tables it is given, which it fills on loading
/// and reads on saving. Never opens a window.
class TProgramData {
public:
    /// A new project with the defaults (Create).
    explicit TProgramData(TProjectTables &tables);

    int Units = 1; // 1 English, 2 SI
    QString FileName;
    QString Title;
    double OutputIncrement = 1.0;
    int DesignMode = 2; // 1 design load given, 2 design depth given
    int LoadType = 1;   // 1 compression, 2 uplift
    double UpliftReduction = 1.0;
    std::array<double, 8> ShaftData{};
    double DesignDepth = 0;
    double SideSafetyFactor = 2.5;
    double BaseSafetyFactor = 3.0;
    double DesignLoad = 0;
    int SettlementCurves = 1;
    int SandTipOption = 1;
    int CurrentLayout = 1;
    int DesignMethod = 2; // 1 LRFD, 2 allowable stress

    /// Resets to a new project named fileName: child windows closed, English units, default
    /// values, every table emptied to its minimum row count, nothing modified.
    void Create(const QString &fileName = "NewTarnel.tnd");
    /// Create, then the loader on the file; currentLayout false reads the older "TARNEL 6.0"
    /// layout. A bad file raises EInOutError with the loader's message; what was read before
    /// the error stays, the rest keeps its defaults.
    void CreateFromFile(const QString &fileName, bool currentLayout);
    /// The same over file text already in memory (FileName is left as it is).
    void LoadFromText(std::string_view text, bool currentLayout);

    /// Writes the project to FileName through a temporary file in the same folder that then
    /// replaces the old file, so a failure leaves the old file whole. Raises ESaveError with
    /// the reason; on success the project is in the current layout and not modified.
    void SaveToFile();
    /// The file text as SaveToFile writes it. Applies the design-mode rule first: design depth
    /// above 0 means IDESIGN 2 and the design load becomes 0, otherwise IDESIGN 1 and the
    /// design depth becomes 0. Under compression the uplift reduction is written, and kept, as 1.
    std::string WriteText();

    /// What the design-load form stores: a load above 0 makes the design depth 0.
    void SetDesignLoad(double load);
    /// What the shaft-length form stores: a depth above 0 makes the design load 0.
    void SetDesignDepth(double depth);
    /// Compression (1) sets the uplift reduction back to 1.
    void SetLoadType(int loadType);

    /// Switches to unit system units (clamped to 1 or 2), converting the stored values and
    /// the tables with exact factors; choosing the current system converts nothing.
    void SetUnits(int units);

    /// The layer table (one row per layer).
    TGridTable &layers() const { return m_tables.layers(); }

private:
    void load(class TWordReader &reader, bool currentLayout);
    void readValues(class TWordReader &reader, bool currentLayout);

    // A title read from a file that is not UTF-8 (an older file in a Windows code page) is
    // written back in Latin-1, so its bytes survive a save unchanged.
    bool m_titleLatin1 = false;

    TProjectTables &m_tables;
};

/// Line end of the project files the program writes.
inline constexpr const char *kProjectLineEnd = "\n";
