#include "ModalDialogs.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Waits for the dialog, then (for up to half a second) for the focus to arrive in it: on a busy
// machine the dialog can be up before its first field has the focus.
void waitForModal(std::function<void(QWidget*)> act, int focusTicks)
{
    QTimer::singleShot(10, [act, focusTicks] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            waitForModal(act, focusTicks);
            return;
        }
        if (!modal->isAncestorOf(QApplication::focusWidget()) && focusTicks > 0) {
            waitForModal(act, focusTicks - 1);
            return;
        }
        act(modal);
    });
}

} // namespace

void whenModal(std::function<void(QWidget*)> act)
{
    waitForModal(std::move(act), 50);
}

void typeIn(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}
