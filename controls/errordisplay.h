#pragma once
// The application's general error display: how an error that ends an
// operation reaches the user. The input fields report wrong entries through
// it; the windows use it for every other error that ends a handler.

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace orvanta {

// The text as the display shows it: a full stop is appended when the last
// character sorts after the full stop ("... keine gültige Zahl" gets one,
// a text ending in a quote or "!" does not).
QString ErrorDisplayText(const QString& text);

// Shows text modally: error icon, an OK button and the application's title
// (QGuiApplication::applicationDisplayName()). Returns when the box is closed.
void ShowErrorMessage(const QString& text, QWidget* parent = nullptr);

// The German text of an exception that ended an operation: the program's
// own errors say what happened (what() read as UTF-8); running out of memory
// (std::bad_alloc, or std::length_error for a table longer than any memory)
// is "Nicht genügend Arbeitsspeicher."; anything else is an internal error.
QString ExceptionText(const std::exception& e);

// Shows ExceptionText(e).
void ShowException(const std::exception& e, QWidget* parent = nullptr);

// Runs op; an exception it throws ends it and is shown with ShowException.
// Returns false when that happened. Exceptions must never leave a Qt event
// handler, so every handler that may fail (and every commit of a field that
// may hold a wrong entry) runs inside this or catches by itself.
bool RunAndReport(const std::function<void()>& op, QWidget* parent = nullptr);

} // namespace orvanta
