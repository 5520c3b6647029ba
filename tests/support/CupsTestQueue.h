#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

// Runs a CUPS command-line tool; its output goes to the test log when it fails.
bool runTool(const QString& program, const QStringList& arguments, const QByteArray& input = {});

// A printer on a local port that records every byte it is sent.
class Listener final : public QObject
{
public:
    Listener();

    quint16 port() const { return m_server.serverPort(); }

    QByteArray received;
    int connections = 0;
    int jobsDone = 0;

private:
    QTcpServer m_server;
};

// A raw queue of the machine's CUPS server to a listener, removed with its jobs when the test
// ends, also when it fails.
class Queue final
{
public:
    Queue(const QString& suffix, quint16 port);
    ~Queue();
    Queue(const Queue&) = delete;
    Queue& operator=(const Queue&) = delete;

    // Every job of the queue, finished or not: its title.
    QStringList jobTitles() const;

    const QString name;
    bool added = false;
};

// Whether a CUPS server answers; `why` tells why not.
bool cupsServerAnswers(QString& why);
