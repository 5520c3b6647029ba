#include "CupsTestQueue.h"

#include <cups/cups.h>
#include <QCoreApplication>
#include <QProcess>
#include <QTcpSocket>

bool runTool(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    if (!ok)
        qWarning().noquote() << program << arguments.join(QLatin1Char(' ')) << ":" << process.readAll();
    return ok;
}

Listener::Listener()
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* socket = m_server.nextPendingConnection();
        ++connections;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received += socket->readAll(); });
        // The sender half-closes when its job is out and waits for the printer to hang up.
        connect(socket, &QTcpSocket::readChannelFinished, socket, &QTcpSocket::disconnectFromHost);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            ++jobsDone;
            socket->deleteLater();
        });
    });
}

Queue::Queue(const QString& suffix, quint16 port)
    : name(QStringLiteral("打印测试%1_%2").arg(QCoreApplication::applicationPid()).arg(suffix))
{
    added = runTool(QStringLiteral("lpadmin"),
                    {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("socket://127.0.0.1:%1").arg(port)});
}

Queue::~Queue()
{
    if (added)
        runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

QStringList Queue::jobTitles() const
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QStringList titles;
    for (int i = 0; i < count; ++i)
        titles << QString::fromUtf8(jobs[i].title);
    if (count > 0)
        cupsFreeJobs(count, jobs);
    return titles;
}

bool cupsServerAnswers(QString& why)
{
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http) {
        why = QStringLiteral("no CUPS server answers at %1: %2")
                  .arg(QString::fromUtf8(cupsServer()), QString::fromUtf8(cupsLastErrorString()));
        return false;
    }
    httpClose(http);
    return true;
}
