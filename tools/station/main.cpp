// tamsel-station: the station's side of the link, without the station.
//
// It opens a pseudo-terminal (or a real serial port), prints the path the program is to
// open as the first line of standard output, answers hellos and frames as the station's
// controller does and simulates the process a flow runs. Every later line of standard
// output is one event; the formats are listed in the help text below and stay stable,
// because the end-to-end tests read them.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

#include "console_reader.h"
#include "event_log.h"
#include "fault_injector.h"
#include "pty_port.h"
#include "serial_device_port.h"
#include "signal_watcher.h"
#include "station_model.h"
#include "station_server.h"
#include "station_state_file.h"

namespace {

const char* const HelpDetails = R"(
The first line of standard output is the path to open (the pseudo-terminal's slave, or
the --device path). Every further line is one event, flushed at once:
  hello                      a hello byte 0x55 was answered with 0x55
  hello-unanswered           a hello was left unanswered (--mute-hello, or silent)
  poll flow=F run=BB         a good frame without the write request; BB = ControlFlags
                             bits 1 and 0, F = the frame's Flow
  write run=BB flow=F desoldering=0|1 ir=0|1 celsius=0|1 T0=n TB=n T1=n S1=n T2=n TL=n
        S2=n T3=n S3=n K1=n K2=n K3=n K4=n baud=n
                             a good frame with the write request, its fields decoded
  crc-error count=N          a frame with a bad checksum, not answered; N counts them
  unanswered                 a good frame left unanswered (silent)
  fault noise | fault corrupt | fault lost=N
                             the answer just sent had a stray byte before it, a bad
                             checksum, or lost N of its bytes
  flow F                     a poll selected flow F (0 to 9)
  flow-ignored flow=F        a poll named a flow above 9
  stored flow=F              a parameter write (run bits 0, 0) was stored in flow F
  baud N                     the write carried a new rate; a real port switches to it
                             right after the answer
  start flow=F | start-ignored
                             a process started (or was already running)
  phase ramp-t1 | phase soak | phase ramp-t3 | phase hold | phase cooling
                             the process moved on: to T1 at 1.73 deg C a second, T1 to
                             T2 over S1 (process code 0x2D, only here), to T3 over S2,
                             T3 held for S3, cooling until Tc is below T0 (50 degrees C
                             when T0 is not above room temperature)
  stop                       a stop command ended the process
  idle                       the process is over; run bits back to 0, 0
  set silent=on|off | set mute-hello=on|off | set drop=P | set corrupt=P | set noise=P
                             a fault switch changed (--silent-after or standard input)

Lines on standard input change the faults while it runs:
  silent on|off   mute-hello on|off   drop P   corrupt P   noise P   (P from 0 to 1)
  start           stop                (the station's own start and stop keys)
  quit            end, as SIGINT and SIGTERM do (the --link is removed)

Faults touch only what the station sends: it still decodes and carries out every frame.
A process runs the profile its flow had when it started; a parameter write or a poll
selecting another flow meanwhile changes what is reported, not the process.
Without --state every flow starts with the default profile: desoldering, IR, Celsius,
T0 100, TB 150, T1 120, S1 50, T2 140, TL 183, S2 45, T3 195, S3 15, K 0, 0, 128, 63.
Exit status: 0 after quit or a signal, 1 when the port or the state file fails, 2 for
wrong options.
)";

struct Options
{
    QString link;
    QString device;
    int baud = 19200;
    QString statePath;
    double speed = 1.0;
    double drop = 0.0;
    double corrupt = 0.0;
    double noise = 0.0;
    bool muteHello = false;
    double silentAfter = -1.0;
    uint32_t seed = 0;
};

int usageError(const QString& message)
{
    std::fprintf(stderr, "tamsel-station: %s\nTry tamsel-station --help.\n", qPrintable(message));
    return 2;
}

bool readProbability(const QCommandLineParser& parser, const QCommandLineOption& option, double* out,
                     QString* error)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const double v = parser.value(option).toDouble(&ok);
    if (!ok || !(v >= 0.0 && v <= 1.0)) {
        *error = QStringLiteral("--%1 needs a probability from 0 to 1, not \"%2\"")
                     .arg(option.names().constFirst(), parser.value(option));
        return false;
    }
    *out = v;
    return true;
}

// PATH becomes a symbolic link to target. A stale link is replaced; anything else at
// PATH is left alone.
bool makeLink(const QString& path, const QString& target, QString* error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isSymLink()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link; not replacing it").arg(path);
        return false;
    }
    const QByteArray linkPath = QFile::encodeName(path);
    const QByteArray temp = linkPath + ".tmp" + QByteArray::number(qint64(::getpid()));
    ::unlink(temp.constData());
    if (::symlink(QFile::encodeName(target).constData(), temp.constData()) != 0
        || ::rename(temp.constData(), linkPath.constData()) != 0) {
        *error = QStringLiteral("cannot make the link %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        ::unlink(temp.constData());
        return false;
    }
    return true;
}

// Only our own link goes; another station may have taken the name over meanwhile.
void removeLink(const QString& path, const QString& target)
{
    const QByteArray linkPath = QFile::encodeName(path);
    char buf[4096];
    const ssize_t n = ::readlink(linkPath.constData(), buf, sizeof buf);
    if (n > 0 && QByteArray(buf, static_cast<int>(n)) == QFile::encodeName(target))
        ::unlink(linkPath.constData());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamsel-station"));
    std::signal(SIGPIPE, SIG_IGN); // a reader gone from stdout must not kill us before clean-up

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates the rework station's controller on a pseudo-terminal or serial port, so "
        "Tamsel can be tried without the hardware."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption linkOption(QStringLiteral("link"),
        QStringLiteral("Also make <path> a symbolic link to the pseudo-terminal (a stale link "
                       "there is replaced), so a settings file can name a stable path."),
        QStringLiteral("path"));
    const QCommandLineOption deviceOption(QStringLiteral("device"),
        QStringLiteral("Open the real serial port <dev> instead of a pseudo-terminal."), QStringLiteral("dev"));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
        QStringLiteral("Line rate, 9600 or 19200 (default 19200). A parameter write with another "
                       "rate switches a real port to it."),
        QStringLiteral("rate"), QStringLiteral("19200"));
    const QCommandLineOption stateOption(QStringLiteral("state"),
        QStringLiteral("Load the ten flow memories and the selected flow from <file> at start and "
                       "save them there on every change (JSON; created when missing)."),
        QStringLiteral("file"));
    const QCommandLineOption speedOption(QStringLiteral("speed"),
        QStringLiteral("Run the simulated clock <n> times faster than real time (default 1)."),
        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption dropOption(QStringLiteral("drop"),
        QStringLiteral("Lose each outgoing byte with probability <p> (default 0)."), QStringLiteral("p"));
    const QCommandLineOption corruptOption(QStringLiteral("corrupt"),
        QStringLiteral("Send each status frame with a bad checksum with probability <p> (default 0)."),
        QStringLiteral("p"));
    const QCommandLineOption noiseOption(QStringLiteral("noise"),
        QStringLiteral("Send a stray byte before each status frame with probability <p> (default 0)."),
        QStringLiteral("p"));
    const QCommandLineOption muteHelloOption(QStringLiteral("mute-hello"),
        QStringLiteral("Never answer a hello."));
    const QCommandLineOption silentAfterOption(QStringLiteral("silent-after"),
        QStringLiteral("Answer nothing from <s> seconds (real time) after start on."), QStringLiteral("s"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
        QStringLiteral("Seed of the fault and noise generator, for repeatable runs (default: random)."),
        QStringLiteral("n"));
    parser.addOptions({linkOption, deviceOption, baudOption, stateOption, speedOption, dropOption,
                       corruptOption, noiseOption, muteHelloOption, silentAfterOption, seedOption});

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::fputs(HelpDetails, stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    Options opt;
    QString error;
    opt.link = parser.value(linkOption);
    opt.device = parser.value(deviceOption);
    opt.statePath = parser.value(stateOption);
    opt.muteHello = parser.isSet(muteHelloOption);
    bool ok = false;
    opt.baud = parser.value(baudOption).toInt(&ok);
    if (!ok || (opt.baud != 9600 && opt.baud != 19200))
        return usageError(QStringLiteral("--baud must be 9600 or 19200, not \"%1\"").arg(parser.value(baudOption)));
    opt.speed = parser.value(speedOption).toDouble(&ok);
    if (!ok || !(opt.speed > 0.0 && opt.speed <= 1e6))
        return usageError(QStringLiteral("--speed needs a positive factor, not \"%1\"").arg(parser.value(speedOption)));
    if (!readProbability(parser, dropOption, &opt.drop, &error)
        || !readProbability(parser, corruptOption, &opt.corrupt, &error)
        || !readProbability(parser, noiseOption, &opt.noise, &error))
        return usageError(error);
    if (parser.isSet(silentAfterOption)) {
        opt.silentAfter = parser.value(silentAfterOption).toDouble(&ok);
        if (!ok || !(opt.silentAfter >= 0.0 && opt.silentAfter < 2e6))
            return usageError(QStringLiteral("--silent-after needs seconds, not \"%1\"").arg(parser.value(silentAfterOption)));
    }
    if (parser.isSet(seedOption)) {
        opt.seed = parser.value(seedOption).toUInt(&ok);
        if (!ok)
            return usageError(QStringLiteral("--seed needs a whole number, not \"%1\"").arg(parser.value(seedOption)));
    } else {
        opt.seed = std::random_device{}();
    }

    StationModel model(opt.seed + 1);
    model.setBaudRate(static_cast<uint16_t>(opt.baud));
    if (!opt.statePath.isEmpty()
        && StationStateFile::load(opt.statePath, model, &error) == StationStateFile::LoadResult::Failed) {
        std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(error));
        return 1;
    }

    FaultInjector faults(opt.seed);
    faults.setDropProbability(opt.drop);
    faults.setCorruptProbability(opt.corrupt);
    faults.setNoiseProbability(opt.noise);
    faults.setMuteHello(opt.muteHello);

    StationPort* port = nullptr;
    if (opt.device.isEmpty()) {
        auto* pty = new PtyPort(&app);
        if (!pty->open(&error)) {
            std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(error));
            return 1;
        }
        port = pty;
    } else {
        auto* serial = new SerialDevicePort(opt.device, &app);
        if (!serial->open(opt.baud, &error)) {
            std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(error));
            return 1;
        }
        port = serial;
    }

    // The link must exist before the first line tells anyone to use it.
    if (!opt.link.isEmpty() && !makeLink(opt.link, port->path(), &error)) {
        std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(error));
        return 1;
    }

    EventLog log;
    log.line(port->path());

    int exitCode = 0;
    StationServer server(*port, model, faults, log);
    server.setSpeed(opt.speed);
    server.setStatePath(opt.statePath);
    QObject::connect(&server, &StationServer::quitRequested, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(port, &StationPort::failed, &app, [&exitCode](const QString& why) {
        std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(why));
        exitCode = 1;
        QCoreApplication::exit(1);
    });

    ConsoleReader console;
    QObject::connect(&console, &ConsoleReader::lineReceived, &server, [&server](const QString& line) {
        QString why;
        if (!server.executeCommand(line, &why))
            std::fprintf(stderr, "tamsel-station: %s\n", qPrintable(why));
    });
    SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &SignalWatcher::terminationRequested, &app, [] { QCoreApplication::exit(0); });

    server.start(opt.silentAfter);
    app.exec();

    if (!opt.link.isEmpty())
        removeLink(opt.link, port->path());
    return exitCode;
}
