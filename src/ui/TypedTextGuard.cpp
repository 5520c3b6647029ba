#include "TypedTextGuard.h"

#include "ControlCharacters.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

class NoControlCharacters final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        const bool refused = ControlCharacters::contains(input) || input.contains(QLatin1Char('\n')) ||
                             input.contains(QLatin1Char('\r'));
        return refused ? Invalid : Acceptable;
    }
};

} // namespace

void TypedTextGuard::install()
{
    if (!qApp->findChild<TypedTextGuard*>(QString(), Qt::FindDirectChildrenOnly))
        qApp->installEventFilter(new TypedTextGuard(qApp));
}

bool TypedTextGuard::eventFilter(QObject* watched, QEvent* event)
{
    // Every widget is polished once before it is first shown.
    if (event->type() == QEvent::Polish)
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->validator())
            edit->setValidator(new NoControlCharacters(edit));
    return QObject::eventFilter(watched, event);
}
