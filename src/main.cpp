#include "CMainFrame.h"
#include "CPelvarApp.h"
#include "DataFolder.h"
#include "DbError.h"
#include "MessageBoxPrompt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    CPelvarApp::prepareProcess();

    MessageBoxPrompt prompt;
    const QString folder = DataFolder::resolve(qapp.arguments());
    try {
        DataFolder::keepDatabaseSetting(qapp.arguments(), folder);
    } catch (const DbError& e) {
        prompt.error(e.description());
        return 1;
    }
    CPelvarApp app(prompt, folder);
    if (!app.openData(qapp.arguments().contains(QStringLiteral("--demo"))))
        return 1;
    if (!app.login())
        return 0;

    CMainFrame frame(app);
    frame.showMaximized();
    frame.activateWindow();
    return qapp.exec();
}
