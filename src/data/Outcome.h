#pragma once

#include <QString>

// What a settings operation came to. A refusal carries the message it showed through the prompt
// and the input that message is about, so the dialog can put the focus back there. Input is the
// operation's own enum; its None means no input in particular (a failed statement, whose error
// the database layer has shown).
template <typename Input> struct Outcome
{
    bool done = false;
    QString message;
    Input input = Input::None;

    static Outcome of(bool done) { return {done, QString(), Input::None}; }
    explicit operator bool() const { return done; }
};
