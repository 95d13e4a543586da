#include "liveanalysis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The runner's output beside the project, and the curves it writes into its folder.
QString beside(const QString &project, const char *extension)
{
    const QFileInfo info(project);
    return info.dir().filePath(info.completeBaseName() + extension);
}

QString existing(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.size() > 0 ? path : QString();
}

QString seconds(int ms)
{
    return ms % 1000 == 0 ? QString::number(ms / 1000) + " s" : QString::number(ms / 1000.0, 'g', 3) + " s";
}

} // namespace

QString liveRunningText()
{
    return QString::fromUtf8("analysing\u2026");
}

QString liveResultText(int code)
{
    const char *meaning = nullptr;
    switch (code) {
    case 0: meaning = "the run completed without warning"; break;
    case 1: meaning = "the argument was not 15; nothing was read or written"; break;
    case 2:
    case 4:
    case 5: meaning = "the t-z analysis stopped at a value beyond one of its input curves"; break;
    case 3: meaning = "\"NEED ANOTHER SOIL LAYER\": the profile ends above the shaft the design needs"; break;
    case 6: meaning = "a rock-socket or intermediate-geomaterial method met input it cannot compute with"; break;
    case 10: meaning = "the project file is malformed, or holds a value no analysis can use"; break;
    case 11: meaning = "names.dat is absent or has no version line"; break;
    case 12: meaning = "a run file could not be opened or created (or writing it failed)"; break;
    case 13: meaning = "names.dat was incomplete and no file names came from standard input"; break;
    case 14: meaning = "an unexpected internal failure"; break;
    default: meaning = "there may be errors"; break;
    }
    return "Result " + QString::number(code) + ": " + meaning;
}

QString findEngine(const QString &programDir)
{
    const QDir dir(programDir);
    const QString here = dir.filePath("tarnel-engine");
    const QString installed = QDir::cleanPath(dir.filePath("../../bin/tarnel-engine"));
    for (const QString &candidate : {here, installed})
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    return here;
}

TLiveAnalysis::TLiveAnalysis(QObject *parent)
    : QObject(parent), m_enginePath(findEngine(QCoreApplication::applicationDirPath()))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5 % early
    connect(&m_timer, &QTimer::timeout, this, &TLiveAnalysis::timedOut);
}

TLiveAnalysis::~TLiveAnalysis()
{
    m_timer.stop();
    QList<QPointer<QProcess>> processes = m_retired;
    processes << QPointer<QProcess>(m_current);
    m_current = nullptr;
    for (const QPointer<QProcess> &p : processes) {
        if (!p)
            continue;
        p->disconnect(this);
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    // The processes are children and go with this object; m_root removes every run folder.
}

QString TLiveAnalysis::folder() const
{
    return m_root ? m_root->path() : QString();
}

quint64 TLiveAnalysis::requestIfChanged(const std::string &projectText, const QString &baseName)
{
    if (m_serial > 0 && projectText == m_lastText)
        return 0;
    return request(projectText, baseName);
}

quint64 TLiveAnalysis::request(const std::string &projectText, const QString &baseName)
{
    cancel();
    m_lastText = projectText;
    const quint64 serial = ++m_serial;
    m_clock.start();
    m_status = liveRunningText();
    emit statusChanged(m_status);

    auto notStarted = [&](const QString &why) {
        TLiveResult result;
        result.request = serial;
        result.status = "The analysis could not start: " + why;
        deliverLater(result);
        return serial;
    };

    if (!m_root) {
        m_root = std::make_unique<QTemporaryDir>(QDir::temp().filePath("tarnel-live-XXXXXX"));
        if (!m_root->isValid()) {
            const QString why = m_root->errorString();
            m_root.reset();
            return notStarted("no private folder (" + why + ")");
        }
    }
    const QString folder = QDir(m_root->path()).filePath("run-" + QString::number(serial));
    if (!QDir().mkpath(folder))
        return notStarted("cannot create " + folder);
    QString name = QFileInfo(baseName).completeBaseName();
    if (name.isEmpty() || name.startsWith('.'))
        name = "project";
    const QString project = QDir(folder).filePath(name + ".tnd");
    QFile file(project);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(projectText.data(), qint64(projectText.size())) != qint64(projectText.size()) || !file.flush()) {
        const QString why = file.errorString();
        file.close();
        removeRunFolder(folder);
        return notStarted("cannot write " + project + " (" + why + ")");
    }
    file.close();

    auto *process = new QProcess(this);
    process->setProgram(m_enginePath);
    process->setArguments({project});
    process->setWorkingDirectory(folder);
    // The runner echoes the whole report to the console; nobody reads it here.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProperty("projectPath", project);
    connect(process, &QProcess::finished, this,
            [this, process](int code, QProcess::ExitStatus status) { processFinished(process, code, status); });
    connect(process, &QProcess::errorOccurred, this,
            [this, process](QProcess::ProcessError error) { processFailed(process, error); });
    m_current = process;
    m_currentFolder = folder;
    m_timedOut = false;
    m_timer.start(m_timeoutMs);
    process->start();
    return serial;
}

void TLiveAnalysis::cancel()
{
    m_timer.stop();
    if (!m_current)
        return;
    m_lastText.clear(); // never analysed: the same text must run again
    QProcess *process = m_current;
    m_current = nullptr;
    retire(process);
}

void TLiveAnalysis::retire(QProcess *process)
{
    const QString folder = m_currentFolder;
    m_currentFolder.clear();
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        removeRunFolder(folder);
        process->deleteLater();
        return;
    }
    // Its folder goes once it has ended, so a dying engine never writes into a removed one.
    connect(process, &QProcess::finished, this, [this, process, folder] {
        m_retired.removeAll(QPointer<QProcess>(process));
        removeRunFolder(folder);
        process->deleteLater();
    });
    m_retired << QPointer<QProcess>(process);
    process->kill();
}

void TLiveAnalysis::processFailed(QProcess *process, QProcess::ProcessError error)
{
    if (process != m_current || error != QProcess::FailedToStart)
        return; // crashes and kills arrive through finished
    m_timer.stop();
    m_current = nullptr;
    const QString folder = m_currentFolder;
    m_currentFolder.clear();
    TLiveResult result;
    result.request = m_serial;
    result.outcome = TLiveOutcome::NotStarted;
    result.status = "The analysis could not start: " + m_enginePath + " (" + process->errorString() + ")";
    result.elapsedMs = m_clock.elapsed();
    process->disconnect(this);
    process->deleteLater();
    removeRunFolder(folder);
    deliverLater(result);
}

void TLiveAnalysis::processFinished(QProcess *process, int exitCode, QProcess::ExitStatus status)
{
    if (process != m_current)
        return;
    m_timer.stop();
    m_current = nullptr;
    TLiveResult result;
    result.request = m_serial;
    result.elapsedMs = m_clock.elapsed();
    if (m_timedOut) {
        result.outcome = TLiveOutcome::TimedOut;
        result.status = "The analysis took longer than " + seconds(m_timeoutMs) + " and was stopped";
    } else if (status == QProcess::CrashExit) {
        result.outcome = TLiveOutcome::Crashed;
        result.status = "The analysis failed: the engine crashed";
    } else {
        result.outcome = TLiveOutcome::Finished;
        result.code = exitCode;
        result.status = liveResultText(exitCode);
        result.projectPath = process->property("projectPath").toString();
        result.plotPath = existing(beside(result.projectPath, ".tnp"));
        result.tzDataPath = existing(QFileInfo(result.projectPath).dir().filePath("TZDATA.DAT"));
    }
    process->disconnect(this);
    process->deleteLater();
    const QString folder = m_currentFolder;
    m_currentFolder.clear();
    if (result.outcome == TLiveOutcome::Finished) {
        // The previous result's files are no longer anybody's; this one's stay until the next.
        if (!m_deliveredFolder.isEmpty())
            removeRunFolder(m_deliveredFolder);
        m_deliveredFolder = folder;
    } else {
        removeRunFolder(folder);
    }
    deliver(result);
}

void TLiveAnalysis::timedOut()
{
    if (!m_current)
        return;
    m_timedOut = true;
    m_current->kill();
}

void TLiveAnalysis::deliver(TLiveResult result)
{
    m_status = result.status;
    emit statusChanged(m_status);
    emit finished(result);
}

void TLiveAnalysis::deliverLater(TLiveResult result)
{
    // From the event loop like every other result (start() may report a failure at once),
    // and only while no newer request came.
    QMetaObject::invokeMethod(
        this,
        [this, result] {
            if (result.request == m_serial && !m_current)
                deliver(result);
        },
        Qt::QueuedConnection);
}

void TLiveAnalysis::removeRunFolder(const QString &path)
{
    if (path.isEmpty() || !m_root || !path.startsWith(m_root->path() + '/'))
        return;
    QDir(path).removeRecursively();
    if (path == m_deliveredFolder)
        m_deliveredFolder.clear();
}
