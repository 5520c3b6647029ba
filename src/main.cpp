#include "DataFolder.h"
#include "Database.h"
#include "DbError.h"
#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvo餐饮"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelvar"));

    MessageBoxPrompt prompt;
    Database db(prompt);
    try {
        db.open(QDir(DataFolder::resolve(app.arguments())).filePath(Database::kFileName));
    } catch (const DbError& e) {
        prompt.error(e.description());
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Orvo餐饮收银系统 V2.5"));
    window.setCentralWidget(new QLabel(QStringLiteral("Orvo餐饮收银系统"), &window));
    window.showMaximized();
    return app.exec();
}
