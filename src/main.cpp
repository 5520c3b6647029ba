#include "CMainFrame.h"
#include "CPelvarApp.h"
#include "DataFolder.h"
#include "MessageBoxPrompt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    CPelvarApp::prepareProcess();

    MessageBoxPrompt prompt;
    CPelvarApp app(prompt, DataFolder::resolve(qapp.arguments()));
    if (!app.openData(qapp.arguments().contains(QStringLiteral("--demo"))))
        return 1;
    if (!app.login())
        return 0;

    CMainFrame frame(app);
    frame.showMaximized();
    frame.activateWindow();
    return qapp.exec();
}
