#include "ModalDialogs.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Waits for the dialog (for up to five seconds, so that a dialog that never came up cannot catch
// a later test's), then (for up to half a second) for the focus to arrive in it: on a busy
// machine the dialog can be up before its first field has the focus.
void waitForModal(std::function<void(QWidget*)> act, int ticks, int focusTicks)
{
    QTimer::singleShot(10, [act, ticks, focusTicks] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (ticks > 0)
                waitForModal(act, ticks - 1, focusTicks);
            else
                qWarning("whenModal: no modal dialog came up");
            return;
        }
        if (!modal->isAncestorOf(QApplication::focusWidget()) && focusTicks > 0) {
            waitForModal(act, ticks, focusTicks - 1);
            return;
        }
        act(modal);
    });
}

} // namespace

void whenModal(std::function<void(QWidget*)> act)
{
    waitForModal(std::move(act), 500, 50);
}

void typeIn(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}
