// The program's start, from the process start to the participant list shown and filled, beside
// the start of a bare Qt window in the same run, once empty and once with a line of text (the
// first text loads the system's font database). All run offscreen, as child processes of this
// program: one runs the program's own main routine, the others show a bare window. Each child
// writes one line when its window is there and ends at once.
#include "app/startup.h"
#include "participants/participantlistdialog.h"

#include "ratioreporter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char kChildVariable[] = "TESSARO_BENCH_CHILD";
constexpr int kParticipants = 30;

void reportShownAndEnd()
{
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, "shown\n", 6);
    std::_Exit(0);
}

// Watches for the window the child waits for; installed as the application object is made.
class ShownProbe : public QObject
{
public:
    explicit ShownProbe(bool program) : m_program(program) { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (!m_program) {
            if (const auto *window = qobject_cast<QWidget *>(watched); window && window->isWindow())
                QTimer::singleShot(0, &reportShownAndEnd);
        } else if (auto *list = qobject_cast<ParticipantListDialog *>(watched)) {
            // The list is filled 25 ms after showing; this runs right after the filling.
            connect(list->ui().fillTimer, &QTimer::timeout, list, &reportShownAndEnd);
        }
        return false;
    }

private:
    bool m_program;
};

void installShownProbe()
{
    const QByteArray child = qgetenv(kChildVariable);
    if (!child.isEmpty())
        qApp->installEventFilter(new ShownProbe(child == "program"));
}
Q_COREAPP_STARTUP_FUNCTION(installShownProbe)

// Home, configuration and runtime folders with 30 participants, the last one open.
const QTemporaryDir &userFolders()
{
    static const QTemporaryDir folders = [] {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/home/Documents/Tessaro/"_s;
        QDir().mkpath(data);
        QDir().mkpath(dir.path() + u"/config/Tessaro"_s);
        QDir().mkpath(dir.path() + u"/run"_s);
        QFile::setPermissions(
            dir.path() + u"/run"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (int i = 0; i < kParticipants; ++i) {
            QFile file(data + u"Teilnehmer %1.dat"_s.arg(i));
            file.open(QIODevice::WriteOnly);
            file.write("1a|\r\n");
            for (int day = 0; day < 50; ++day)
                file.write("Mo., 3. März 2025|\r\n1\r\n<--------------->\r\n");
        }
        QFile settings(dir.path() + u"/config/Tessaro/Tessaro.ini"_s);
        settings.open(QIODevice::WriteOnly);
        settings.write("[General]\nAktOrdner=1\nTeilnehmer=Teilnehmer 0\n");
        return dir;
    }();
    return folders;
}

void measureStart(benchmark::State &state, const QString &child)
{
    const QString base = userFolders().path();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), child);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"HOME"_s, base + u"/home"_s);
    environment.insert(u"XDG_CONFIG_HOME"_s, base + u"/config"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, base + u"/run"_s);
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(QCoreApplication::applicationFilePath(), {});
        while (!process.canReadLine() && process.waitForReadyRead(10000)) { }
        const qint64 nanoseconds = clock.nsecsElapsed();
        if (process.readLine() != "shown\n")
            state.SkipWithError("the child did not show its window");
        process.waitForFinished();
        state.SetIterationTime(double(nanoseconds) / 1e9);
    }
}

void BM_BareQtWindow(benchmark::State &state)
{
    measureStart(state, u"bare"_s);
}

void BM_BareQtWindowWithText(benchmark::State &state)
{
    measureStart(state, u"text"_s);
}

void BM_StartToParticipantList(benchmark::State &state)
{
    measureStart(state, u"program"_s);
}

BENCHMARK(BM_BareQtWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_BareQtWindowWithText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_StartToParticipantList)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

int runBareWindow(int argc, char **argv, bool withText)
{
    QApplication application(argc, argv);
    QWidget empty;
    QLabel text(u"Tessaro"_s);
    QWidget &window = withText ? static_cast<QWidget &>(text) : empty;
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    const QByteArray child = qgetenv(kChildVariable);
    if (child == "program")
        return runProgram(argc, argv);
    if (child == "bare" || child == "text")
        return runBareWindow(argc, argv, child == "text");

    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::vector<std::pair<std::string, std::string>>{
        {"BM_StartToParticipantList", "BM_BareQtWindow"},
        {"BM_StartToParticipantList", "BM_BareQtWindowWithText"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
