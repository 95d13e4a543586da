#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>

class QTemporaryDir;

/// How one analysis while editing ended.
enum class TLiveOutcome {
    Finished,   // the engine ended by itself with a result code
    Crashed,    // the engine died (signal, abort)
    TimedOut,   // stopped at the time limit
    NotStarted, // the engine or the private folder could not be had
};

/// One finished analysis. The files lie in the run's private folder and stay there until
/// the next result is delivered or the TLiveAnalysis is destroyed.
struct TLiveResult {
    quint64 request = 0; // serial number of the request it answers, from 1
    TLiveOutcome outcome = TLiveOutcome::NotStarted;
    int code = -1;       // the engine's result code when Finished, else -1
    QString status;      // the status bar line
    QString projectPath; // the project file as analysed
    QString plotPath;    // the .tnp; empty unless Finished and written
    QString tzDataPath;  // TZDATA.DAT; empty unless Finished and the run wrote one
    qint64 elapsedMs = 0; // from the request to the end of the engine
};
Q_DECLARE_METATYPE(TLiveResult)

/// The status line while a run goes on.
QString liveRunningText();
/// The meaning of an engine result code, as the runner's result table gives it, as a status
/// line: "Result 0: the run completed without warning".
QString liveResultText(int code);

/// "tarnel-engine" in programDir, else in the bin folder beside an installed lib/tarnel
/// (programDir/../../bin); the first of them when neither exists.
QString findEngine(const QString &programDir);

/// Analysis while editing: each request writes the project text into a private folder
/// (one temporary folder per program run, a fresh subfolder per request) and runs
/// tarnel-engine on it in a separate process, so a crash or a hang never reaches the
/// program and nothing is written beside the project. A newer request kills a run still
/// going; the old run's result is never delivered. Uses QtCore only.
class TLiveAnalysis : public QObject {
    Q_OBJECT
public:
    explicit TLiveAnalysis(QObject *parent = nullptr);
    /// Kills a run still going and removes the private folder.
    ~TLiveAnalysis() override;

    /// Default: findEngine(QCoreApplication::applicationDirPath()).
    QString enginePath() const { return m_enginePath; }
    void setEnginePath(const QString &path) { m_enginePath = path; }
    /// Time limit of one run in ms (default 5000); below 1 counts as 1.
    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms < 1 ? 1 : ms; }

    /// Starts an analysis of the project text (TProgramData::WriteText) under the base name
    /// (its folders dropped; empty: "project"). A run still going is killed first. Emits
    /// statusChanged(liveRunningText()) now and finished() when the run ends, never from
    /// inside this call; returns the request's serial number.
    quint64 request(const std::string &projectText, const QString &baseName = QString());
    /// request(), unless the text is that of the last request, running or answered: the data
    /// windows store their values on every deactivation, changed or not. 0 when nothing
    /// was started.
    quint64 requestIfChanged(const std::string &projectText, const QString &baseName = QString());
    /// Kills a run still going without delivering anything.
    void cancel();
    bool isRunning() const { return m_current != nullptr; }
    /// The status line of the last request.
    QString statusText() const { return m_status; }
    /// The private folder of this program run; empty before the first request.
    QString folder() const;

signals:
    void statusChanged(const QString &text);
    void finished(const TLiveResult &result);

private:
    void retire(QProcess *process);
    void processFinished(QProcess *process, int exitCode, QProcess::ExitStatus status);
    void processFailed(QProcess *process, QProcess::ProcessError error);
    void timedOut();
    void deliver(TLiveResult result);
    void deliverLater(TLiveResult result);
    void removeRunFolder(const QString &path);

    QString m_enginePath;
    int m_timeoutMs = 5000;
    std::unique_ptr<QTemporaryDir> m_root;
    quint64 m_serial = 0;
    std::string m_lastText; // of the last request; empty after cancel
    QProcess *m_current = nullptr;
    QString m_currentFolder;
    QElapsedTimer m_clock;
    QTimer m_timer;
    bool m_timedOut = false;
    QString m_deliveredFolder;        // holds the files of the last result handed out
    QList<QPointer<QProcess>> m_retired; // killed, not yet ended
    QString m_status;
};
