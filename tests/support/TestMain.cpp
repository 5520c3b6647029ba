#include "TestMain.h"

#include "DbError.h"
#include "ServerConnection.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <map>
#include <QApplication>
#include <QTest>

namespace {

std::map<QByteArray, std::function<std::unique_ptr<QObject>()>>& tests()
{
    static std::map<QByteArray, std::function<std::unique_ptr<QObject>()>> all;
    return all;
}

} // namespace

int TestMain::add(const char* file, std::function<std::unique_ptr<QObject>()> make)
{
    QByteArray name(file);
    name = name.mid(name.lastIndexOf('/') + 1);
    tests()[name.left(name.lastIndexOf('.'))] = std::move(make);
    return 0;
}

// Usage: tests_<area> [tst_File] [Qt Test options]. Without a class it runs them all.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The suite runs under a locale whose decimals are written with a comma (CTest sets it), so
    // that a number read or written through the process's locale fails somewhere.
    if (std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::fprintf(stderr, "the tests need a locale with a decimal comma (LC_ALL=de_DE.UTF-8; "
                             "scripts/setup generates it)\n");
        return 2;
    }
    QByteArray only;
    int skip = 0;
    if (argc > 1 && argv[1][0] != '-') {
        only = argv[1];
        skip = 1;
        if (!tests().count(only)) {
            std::fprintf(stderr, "no test class %s\n", only.constData());
            return 2;
        }
    }
    // On the server (PELVAR_TEST_BACKEND=postgresql, the label postgresql) the program gets a
    // database of its own on PELVAR_TEST_SERVER, dropped at its end; each test case empties it.
    QString database;
    if (qgetenv("PELVAR_TEST_BACKEND") == "postgresql") {
        const QString server = qEnvironmentVariable("PELVAR_TEST_SERVER");
        if (server.isEmpty()) {
            std::fprintf(stderr, "skipped: no PostgreSQL server for the tests (PELVAR_TEST_SERVER; "
                                 "scripts/test starts one)\n");
            return 77;
        }
        database = ServerConnection::withDatabase(
            server, QStringLiteral("pelvar_%1_%2").arg(QString::fromLatin1(only).toLower()).arg(QCoreApplication::applicationPid()));
        try {
            ServerConnection::dropDatabase(database);
            ServerConnection::createDatabase(database);
        } catch (const DbError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.description()));
            return 2;
        }
        qputenv("PELVAR_TEST_DATABASE", database.toUtf8());
    }
    QList<char*> args{argv[0]};
    for (int i = 1 + skip; i < argc; ++i)
        args << argv[i];
    int failed = 0;
    for (const auto& [name, make] : tests()) {
        if (!only.isEmpty() && name != only)
            continue;
        std::unique_ptr<QObject> test = make();
        failed += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    if (!database.isEmpty()) {
        try {
            ServerConnection::dropDatabase(database);
        } catch (const DbError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        }
    }
    return failed;
}
