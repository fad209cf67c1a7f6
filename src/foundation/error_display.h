#pragma once

#include "foundation/error.h"

#include <QObject>
#include <QString>

#include <exception>
#include <new>

// The caption of every error box: the name of the program's executable.
QString applicationTitle();

// The message as the error box shows it: a full stop is added when the last character sorts
// above "." ("Cannot open file x" gets one, "List index out of bounds (-1)" does not).
QString errorDisplayText(const QString &message);

// Shows a message in the error box (through the modal seam, so tests can answer it).
void showError(const QString &message);

// Runs one event handler; an error stops the handler and is shown, and the program goes on.
// Nothing thrown ever reaches Qt's event code.
template <typename Handler>
void runGuarded(Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const Error &error) {
        showError(error.message());
    } catch (const std::bad_alloc &) {
        showError(QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        showError(QString::fromLocal8Bit(error.what()));
    }
}

// Connects a signal to a handler method behind the guard. The handler takes no arguments;
// whatever the signal carries is not needed by any handler of this program.
template <typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection connectHandler(Sender *sender, Signal signal, Receiver *receiver,
                                       void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, handler] { runGuarded([&] { (receiver->*handler)(); }); });
}
