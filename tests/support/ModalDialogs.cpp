#include "ModalDialogs.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTimer>
#include <QWidget>

void whenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(10, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            whenModal(act);
            return;
        }
        act(modal);
    });
}

void typeIn(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}
